// What a fuzz target asserts: a broken property prints what broke and where, and aborts, so that libFuzzer
// keeps the input that broke it. (A plain assert would vanish from a build with NDEBUG.)
#pragma once

#include <cstdio>
#include <cstdlib>

#define KX_FUZZ_REQUIRE(condition)                                                          \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
