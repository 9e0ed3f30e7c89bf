// LiteralFinder against a naive search: every start position, both letter-case modes, runs of one to
// several bytes, haystacks shorter and longer than a vector, bytes above 127 and zero bytes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "control/engine/literal_finder.h"
#include "control/engine/pair_scan.h"

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

// Both vector versions of the pair scan find the same first start as a byte-by-byte look, whatever the
// alignment and length of the stretch searched.
TEST(PairScan, BothVersionsAgreeWithAPlainLook) {
  std::mt19937 random(11);
  std::string hay(300, 'a');
  for (char& c : hay) c = "abAB\xC3"[random() % 5];
  const auto* base = reinterpret_cast<const unsigned char*>(hay.data());
  auto confirm_all = [](const void*, const unsigned char*) { return true; };
  const PairScan scan{0, 3, 'b', 'a', 0x20, 0, confirm_all, nullptr};
  for (const PairScanFunction version : {Sse2PairScan(), Avx2PairScan()}) {
    if (!version) continue;
    for (std::size_t from = 0; from < 40; ++from) {
      for (std::size_t length = 4; length < 200; length += 7) {
        const unsigned char* begin = base + from;
        const unsigned char* end = begin + length;
        const unsigned char* last = end - 4;
        const unsigned char* resume = begin;
        const unsigned char* found = version(scan, begin, last, end, &resume);
        const unsigned char* expected = nullptr;
        for (const unsigned char* p = begin; p <= last && !expected; ++p)
          if ((p[0] | 0x20) == 'b' && p[3] == 'a') expected = p;
        if (!found) {
          for (const unsigned char* p = begin; p < resume && p <= last; ++p)
            ASSERT_FALSE((p[0] | 0x20) == 'b' && p[3] == 'a') << "missed a start before resume";
          ASSERT_TRUE(expected == nullptr || expected >= resume);
        } else {
          ASSERT_EQ(found, expected);
        }
      }
    }
  }
}

}  // namespace
}  // namespace zarn::test
