// LiteralFinder against a naive search: every start position, both letter-case modes, runs of one to
// several bytes, haystacks shorter and longer than a vector, bytes above 127 and zero bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "control/engine/literal_finder.h"

namespace zarn::test {
namespace {

bool MatchesAt(const LiteralRun& run, const std::string& hay, std::size_t at) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(hay[at + i]);
    if (run.folded[i] && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte | 0x20);
    if (byte != static_cast<unsigned char>(run.bytes[i])) return false;
  }
  return true;
}

std::ptrdiff_t NaiveFind(const LiteralRun& run, const std::string& hay, std::size_t from, std::size_t to) {
  for (std::size_t at = from; at + run.size() <= to; ++at)
    if (MatchesAt(run, hay, at)) return static_cast<std::ptrdiff_t>(at);
  return -1;
}

TEST(LiteralFinder, AgreesWithANaiveSearchEverywhere) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("abAB \xC3\xA9", 7) + std::string(1, '\0');
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  for (int round = 0; round < 3000; ++round) {
    LiteralRun run;
    const std::size_t length = 1 + pick(5);
    for (std::size_t i = 0; i < length; ++i) {
      char byte = alphabet[pick(alphabet.size())];
      const bool folded = pick(2) == 1;
      if (folded && byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte | 0x20);
      run.bytes += byte;
      run.folded.push_back(folded);
    }
    std::string hay;
    const std::size_t hay_length = pick(100);
    for (std::size_t i = 0; i < hay_length; ++i) hay += alphabet[pick(alphabet.size())];
    const LiteralFinder finder(run);
    const std::size_t from = pick(hay_length + 1);
    const std::size_t to = from + pick(hay_length - from + 1);
    const auto* base = reinterpret_cast<const unsigned char*>(hay.data());
    const unsigned char* found = finder.Find(base + from, base + to);
    const std::ptrdiff_t expected = NaiveFind(run, hay, from, to);
    ASSERT_EQ(found ? found - base : -1, expected) << "round " << round;
  }
}

TEST(LiteralFinder, FindsARareRunFarIntoALargeBlock) {
  std::string hay(1 << 20, 'e');
  hay.replace(700001, 5, "QuArK");
  LiteralRun run{"quark", {true, true, true, true, true}};
  const auto* base = reinterpret_cast<const unsigned char*>(hay.data());
  EXPECT_EQ(LiteralFinder(run).Find(base, base + hay.size()) - base, 700001);
  LiteralRun exact{"QuArk", {false, false, false, false, false}};
  EXPECT_EQ(LiteralFinder(exact).Find(base, base + hay.size()), nullptr);
}

}  // namespace
}  // namespace zarn::test
