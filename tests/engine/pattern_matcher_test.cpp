#include "control/engine/pattern_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {
namespace {

constexpr bool kRegex = true;
constexpr bool kPlain = false;
constexpr bool kExact = true;
constexpr bool kFolded = false;

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

// "offset+length" or "none", so that a failing expectation shows both numbers.
std::string Describe(const std::optional<PatternMatcher::Occurrence>& occurrence) {
  if (!occurrence) return "none";
  return std::to_string(occurrence->offset) + "+" + std::to_string(occurrence->length);
}

std::string FindIn(const PatternMatcher& matcher, std::string_view subject) {
  return Describe(matcher.Find(Bytes(subject), subject.size()));
}

std::string Find(std::string_view pattern, std::string_view subject, bool regex = kRegex,
                 bool case_sensitive = kExact) {
  PatternMatcher matcher(pattern, regex, case_sensitive);
  EXPECT_TRUE(matcher.Compiled()) << pattern;
  return FindIn(matcher, subject);
}

std::string Folded(std::string_view pattern, std::string_view subject, bool regex = kRegex) {
  return Find(pattern, subject, regex, kFolded);
}

TEST(PatternMatcherPlain, EveryByteStandsForItself) {
  EXPECT_EQ(Find("a.c", "xa.c", kPlain), "1+3");
  EXPECT_EQ(Find("a.c", "abc", kPlain), "none");
  EXPECT_EQ(Find("a*c", "abc a*c", kPlain), "4+3");
  EXPECT_EQ(Find("a?c", "ac abc a?c", kPlain), "7+3");
  EXPECT_EQ(Find("^ab$", "x^ab$y", kPlain), "1+4");
  EXPECT_EQ(Find("[ab]", "a [ab]", kPlain), "2+4");
  EXPECT_EQ(Find("\\*", "*\\*", kPlain), "1+2");
  PatternMatcher unclosed("[x", kPlain, kExact);
  EXPECT_TRUE(unclosed.Compiled());
  EXPECT_FALSE(unclosed.AnchoredAtStart());
  EXPECT_EQ(FindIn(unclosed, "a[x"), "1+2");
}

TEST(PatternMatcherPlain, FindsTheLeftmostOccurrence) {
  EXPECT_EQ(Find("abab", "abababab", kPlain), "0+4");
  EXPECT_EQ(Find("aab", "aaaab", kPlain), "2+3");
  EXPECT_EQ(Find("cab", "abcacab", kPlain), "4+3");
  EXPECT_EQ(Find("abc", "ab", kPlain), "none");
  EXPECT_EQ(Find("abc", "abc", kPlain), "0+3");
}

TEST(PatternMatcherPlain, CaseFoldingCoversAsciiLettersOnly) {
  EXPECT_EQ(Folded("AbC", "xaBc", kPlain), "1+3");
  EXPECT_EQ(Find("AbC", "xaBc", kPlain), "none");
  EXPECT_EQ(Folded("[a]", "[A]", kPlain), "0+3");
}

TEST(PatternMatcherBytes, HighAndZeroBytesMatchExactly) {
  EXPECT_EQ(Find("\xE9t\xE9", "\xC9t\xC9 \xE9t\xE9"), "4+3");
  EXPECT_EQ(Find("\xFF", "\x7F\xFF"), "1+1");
  EXPECT_EQ(Find(std::string_view("a\0b", 3), std::string_view("ab a\0b", 6), kPlain), "3+3");
}

TEST(PatternMatcherQuestionMark, StandsForOneByteOrNone) {
  EXPECT_EQ(Find("a?c", "abc"), "0+3");
  EXPECT_EQ(Find("a?c", "ac"), "0+2");
  EXPECT_EQ(Find("a?c", "abbc"), "none");
  EXPECT_EQ(Find("a??c", "abbc"), "0+4");
  EXPECT_EQ(Find("a??c", "abbbc"), "none");
  // The first "a" is followed by neither "c" nor "?c"; the second "a" is.
  EXPECT_EQ(Find("a?c", "abac"), "2+2");
}

TEST(PatternMatcherQuestionMark, LeadingRunAnchorsAtStart) {
  EXPECT_EQ(Find("?ab", "ab"), "0+2");
  EXPECT_EQ(Find("?ab", "xab"), "0+3");
  EXPECT_EQ(Find("?ab", "xxab"), "none");
  EXPECT_EQ(Find("??ab", "xxab"), "0+4");
  PatternMatcher matcher("?ab", kRegex, kExact);
  EXPECT_TRUE(matcher.AnchoredAtStart());
  EXPECT_FALSE(matcher.AnchoredAtEnd());
}

TEST(PatternMatcherQuestionMark, TrailingRunNeedsAByteAndMayReachPastTheEnd) {
  EXPECT_EQ(Find("ab?", "ab"), "none");
  EXPECT_EQ(Find("ab?", "abx"), "0+3");
  EXPECT_EQ(Find("ab?", "ab ab"), "0+3");
  EXPECT_EQ(Find("ab??", "abx"), "0+4");
  EXPECT_EQ(Find("ab???", "xxabyz"), "2+5");
}

TEST(PatternMatcherStar, BetweenRunsTakesTheFewestBytes) {
  EXPECT_EQ(Find("a*c", "abcbc"), "0+3");
  EXPECT_EQ(Find("a*c", "abbbc"), "0+5");
  EXPECT_EQ(Find("a*c", "xxac"), "2+2");
  EXPECT_EQ(Find("a*c", "ca"), "none");
  EXPECT_EQ(Find("b*d*f", "abcdbdeff"), "1+7");
}

TEST(PatternMatcherStar, LeadingStarBeginsAtTheSubjectStart) {
  EXPECT_EQ(Find("*c", "abc"), "0+3");
  EXPECT_EQ(Find("*c", "c"), "0+1");
  EXPECT_EQ(Find("*bc", "abcbc"), "0+3");
  PatternMatcher matcher("*c", kRegex, kExact);
  EXPECT_FALSE(matcher.AnchoredAtStart());
}

TEST(PatternMatcherStar, TrailingStarReachesTheSubjectEnd) {
  EXPECT_EQ(Find("ab*", "abxyz"), "0+5");
  EXPECT_EQ(Find("ab*", "xab"), "none");
  EXPECT_EQ(Find("ab*", "xabab"), "1+4");
}

TEST(PatternMatcherStar, ZeroByteEndsWhatATrailingStarCovers) {
  EXPECT_EQ(Find("*", std::string_view("ab\0cd", 5)), "0+2");
  EXPECT_EQ(Find("ab*", std::string_view("xabc\0d", 6)), "1+3");
  EXPECT_EQ(Find("ab*", std::string_view("ab\0", 3)), "0+2");
}

TEST(PatternMatcherStar, WildcardRunsCollapse) {
  for (std::string_view pattern : {"*", "?*", "*?", "*??*", "**"}) {
    EXPECT_EQ(Find(pattern, "abc"), "0+3") << pattern;
    EXPECT_EQ(Find(pattern, "z"), "0+1") << pattern;
  }
  for (std::string_view pattern : {"a?*c", "a*?c", "a**c"}) {
    EXPECT_EQ(Find(pattern, "xabbbc"), "1+5") << pattern;
    EXPECT_EQ(Find(pattern, "xac"), "1+2") << pattern;
  }
}

TEST(PatternMatcherWildcardsOnly, FindWhatTheirLeadCovers) {
  EXPECT_EQ(Find("?", "xyz"), "0+1");
  EXPECT_EQ(Find("???", "x"), "0+3");
  EXPECT_EQ(Find("^", "abc"), "none");
  EXPECT_EQ(Find("$", "abc"), "none");
  EXPECT_EQ(Find("^$", "abc"), "none");
  EXPECT_EQ(Find("", "abc"), "none");
  EXPECT_EQ(Find("", "abc", kPlain), "none");
}

TEST(PatternMatcherAnchors, CaretAnchorsAtStart) {
  EXPECT_EQ(Find("^ab", "xab"), "none");
  EXPECT_EQ(Find("^ab", "abab"), "0+2");
  EXPECT_EQ(Find("^a*c", "abcac"), "0+3");
  EXPECT_EQ(Find("^a*c", "babc"), "none");
  EXPECT_EQ(Find("^?b", "ab"), "0+2");
  EXPECT_EQ(Find("^?b", "aab"), "none");
  EXPECT_TRUE(PatternMatcher("^ab", kRegex, kExact).AnchoredAtStart());
}

TEST(PatternMatcherAnchors, StarAfterCaretLiftsTheStartAnchor) {
  PatternMatcher matcher("^*ab", kRegex, kExact);
  EXPECT_FALSE(matcher.AnchoredAtStart());
  EXPECT_EQ(FindIn(matcher, "xxab"), "0+4");
}

TEST(PatternMatcherAnchors, DollarAnchorsTheLastSegmentAtEnd) {
  EXPECT_EQ(Find("ab$", "abab"), "2+2");
  EXPECT_EQ(Find("ab$", "abx"), "none");
  EXPECT_EQ(Find("^ab$", "ab"), "0+2");
  EXPECT_EQ(Find("^ab$", "abab"), "none");
  EXPECT_EQ(Find("*b$", "abab"), "0+4");
  EXPECT_EQ(Find("?b$", "ab"), "0+2");
  EXPECT_EQ(Find("?b$", "aab"), "none");
  EXPECT_TRUE(PatternMatcher("ab$", kRegex, kExact).AnchoredAtEnd());
}

TEST(PatternMatcherAnchors, EndAnchorBelongsToTheLastSegment) {
  PatternMatcher matcher("a*b$", kRegex, kExact);
  EXPECT_FALSE(matcher.AnchoredAtEnd());
  EXPECT_FALSE(matcher.AnchoredAtStart());
  EXPECT_EQ(FindIn(matcher, "abab"), "0+4");
  EXPECT_EQ(FindIn(matcher, "xab"), "1+2");
  EXPECT_EQ(FindIn(matcher, "abx"), "none");
  EXPECT_EQ(Find("a?b$", "abab"), "2+2");
  EXPECT_EQ(Find("a*b*c$", "abcabc"), "0+6");
}

TEST(PatternMatcherAnchors, CaretAndDollarElsewhereAreOrdinaryBytes) {
  EXPECT_EQ(Find("a^b", "xa^b"), "1+3");
  EXPECT_EQ(Find("a$b", "xa$b"), "1+3");
  EXPECT_EQ(Find("$a", "x$a"), "1+2");
  EXPECT_EQ(Find("a^", "a^a"), "0+2");
  EXPECT_EQ(Find("a.c", "abc a.c"), "4+3");
  EXPECT_EQ(Find("a*^b", "a^b"), "0+3");
}

TEST(PatternMatcherSets, MatchOneByteOfTheMembers) {
  for (std::string_view subject : {"ax", "bx", "cx"}) EXPECT_EQ(Find("[abc]x", subject), "0+2") << subject;
  EXPECT_EQ(Find("[abc]x", "dx"), "none");
  EXPECT_EQ(Find("[a-c]", "b"), "none");
  EXPECT_EQ(Find("[a-c]", "a"), "0+1");
  EXPECT_EQ(Find("[a-c]", "b-"), "1+1");
  EXPECT_EQ(Find("[a-c]", "bc"), "1+1");
  EXPECT_EQ(Find("x[]", "x]"), "none");
  EXPECT_EQ(Find("[^a]", "b^"), "1+1");
  EXPECT_EQ(Find("[^a]", "a"), "0+1");
  EXPECT_EQ(Find("[*?]", "ab?"), "2+1");
  EXPECT_EQ(Find("[\xE9]", "e\xE9"), "1+1");
}

TEST(PatternMatcherSets, BackslashTakesTheNextByteAsMember) {
  EXPECT_EQ(Find("[\\]]", "a]"), "1+1");
  EXPECT_EQ(Find("[\\\\]", "a\\"), "1+1");
  EXPECT_EQ(Find("[\\]x]", "x"), "0+1");
  EXPECT_EQ(Find("[\\]x]", "\\"), "none");
}

TEST(PatternMatcherSets, MembersAreNeverFolded) {
  EXPECT_EQ(Folded("[A]", "a"), "none");
  EXPECT_EQ(Folded("[A]", "A"), "0+1");
  EXPECT_EQ(Folded("[ab]C", "Ac bc"), "3+2");
}

TEST(PatternMatcherSets, UnclosedSetFailsTheCompile) {
  for (std::string_view pattern : {"[abc", "x[", "[\\]", "a*[b", "a?b[", "[a]*b[", "ab*\\[[c"}) {
    PatternMatcher matcher(pattern, kRegex, kExact);
    EXPECT_FALSE(matcher.Compiled()) << pattern;
    EXPECT_EQ(FindIn(matcher, "[abc]x[ab"), "none") << pattern;
    EXPECT_FALSE(matcher.WholeLiteral().has_value()) << pattern;
    EXPECT_TRUE(matcher.RequiredRun().empty()) << pattern;
  }
  EXPECT_TRUE(PatternMatcher("a]", kRegex, kExact).Compiled());
}

TEST(PatternMatcherEscapes, BackslashTakesTheNextByteLiterally) {
  EXPECT_EQ(Find("\\*", "ab*"), "2+1");
  EXPECT_EQ(Find("\\*", "ab"), "none");
  EXPECT_EQ(Find("\\\\", "a\\b"), "1+1");
  EXPECT_EQ(Find("\\?x", "ax?x"), "2+2");
  EXPECT_EQ(Find("\\[a]", "a[a]"), "1+3");
  EXPECT_EQ(Find("\\^a", "^a"), "0+2");
  EXPECT_EQ(Find("\\^a", "a"), "none");
  EXPECT_EQ(Find("\\$a", "x$a"), "1+2");
}

TEST(PatternMatcherEscapes, EscapedLettersAreExactUnderFolding) {
  EXPECT_EQ(Folded("\\A", "a"), "none");
  EXPECT_EQ(Folded("\\A", "aA"), "1+1");
  EXPECT_EQ(Folded("b\\Ab", "BaB BAB"), "4+3");
}

TEST(PatternMatcherEscapes, TrailingBackslashStandsForItself) {
  EXPECT_EQ(Find("a\\", "xa\\"), "1+2");
  EXPECT_EQ(Find("\\", "ab\\c"), "2+1");
  EXPECT_EQ(Find("a*\\", "ab\\c"), "0+3");
}

// A "$" at the end anchors unless a backslash escapes it; an escaped backslash before it escapes nothing.
TEST(PatternMatcherEscapes, EscapedDollarAtTheEndIsLiteral) {
  struct Case {
    const char* pattern;
    bool anchored_at_end;
    const char* subject;
    const char* found;
  };
  const Case kCases[] = {
      {"a\\$", false, "xa\\", "none"},  {"a\\$", false, "a$", "0+2"},
      {"a\\$", false, "xa$y", "1+2"},   {"a\\\\$", true, "a\\x a\\", "4+2"},
      {"a\\\\$", true, "a\\$", "none"}, {"a\\\\\\$", false, "a\\$", "0+3"},
      {"\\$", false, "x$", "1+1"},      {"*\\$", false, "ab$c", "0+3"},
  };
  for (const Case& test : kCases) {
    PatternMatcher matcher(test.pattern, kRegex, kExact);
    EXPECT_TRUE(matcher.Compiled()) << test.pattern;
    EXPECT_EQ(matcher.AnchoredAtEnd(), test.anchored_at_end) << test.pattern;
    EXPECT_EQ(FindIn(matcher, test.subject), test.found) << test.pattern << " in " << test.subject;
  }
}

bool SameAsciiLetter(int a, int b) {
  auto lower = [](int byte) { return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte; };
  return lower(a) == lower(b) && lower(a) >= 'a' && lower(a) <= 'z';
}

// 0xC4 and 0xE4, "@" and "`", "[" and "{" differ as the two cases of a letter do, and stay apart.
TEST(PatternMatcherFolding, EveryByteFoldsOnlyWithItsAsciiCase) {
  for (int pattern_byte = 0; pattern_byte < 256; ++pattern_byte) {
    const std::string pattern(1, static_cast<char>(pattern_byte));
    PatternMatcher matcher(pattern, kPlain, kFolded);
    for (int subject_byte = 0; subject_byte < 256; ++subject_byte) {
      const std::string subject(1, static_cast<char>(subject_byte));
      const bool expected = pattern_byte == subject_byte || SameAsciiLetter(pattern_byte, subject_byte);
      ASSERT_EQ(FindIn(matcher, subject), expected ? "0+1" : "none") << pattern_byte << " " << subject_byte;
    }
  }
}

TEST(PatternMatcherFolding, LettersMatchEitherCase) {
  EXPECT_EQ(Folded("AbC", "abc"), "0+3");
  EXPECT_EQ(Folded("abc", "xABC"), "1+3");
  EXPECT_EQ(Folded("a*C", "xAbc"), "1+3");
  EXPECT_EQ(Folded("^A?c$", "aBC"), "0+3");
  EXPECT_EQ(Find("AbC", "abc"), "none");
  EXPECT_EQ(Folded("\xC4", "\xE4"), "none");
}

TEST(PatternMatcherSubjects, EmptySubjectNeverHoldsAnOccurrence) {
  for (std::string_view pattern : {"*", "?", "a", "*a", "a*", "^", "$", "[a]", "a?b", "", "??"}) {
    for (bool regex : {kRegex, kPlain}) {
      PatternMatcher matcher(pattern, regex, kExact);
      EXPECT_EQ(matcher.Find(Bytes(""), 0).has_value(), false) << pattern;
      EXPECT_EQ(matcher.Find(nullptr, 0).has_value(), false) << pattern;
    }
  }
}

TEST(PatternMatcherSubjects, NothingBeyondTheGivenLengthIsRead) {
  const std::string line = "xxabc";
  PatternMatcher matcher("abc", kPlain, kExact);
  EXPECT_EQ(Describe(matcher.Find(Bytes(line), 4)), "none");
  PatternMatcher star("a*", kRegex, kExact);
  EXPECT_EQ(Describe(star.Find(Bytes(line) + 2, 2)), "0+2");
}

// Long chains of segments: no stack is used per segment, and no start is searched twice.
TEST(PatternMatcherLongPatterns, ManyStarSegmentsAreHandled) {
  std::string pattern;
  for (int i = 0; i < 2000; ++i) pattern += "a*";
  pattern += "b";
  const std::string only_a(2048, 'a');
  const std::string ending_in_b = std::string(2047, 'a') + "b";
  const std::string too_short = std::string(1999, 'a') + "b";
  PatternMatcher matcher(pattern, kRegex, kExact);
  ASSERT_TRUE(matcher.Compiled());
  EXPECT_EQ(FindIn(matcher, only_a), "none");
  EXPECT_EQ(FindIn(matcher, ending_in_b), "0+2048");
  EXPECT_EQ(FindIn(matcher, too_short), "none");
  EXPECT_EQ(FindIn(matcher, "a" + too_short), "0+2001");
}

TEST(PatternMatcherLongPatterns, ManyQuestionMarkSegmentsAreHandled) {
  std::string pattern;
  for (int i = 0; i < 2000; ++i) pattern += "a?";
  pattern += "b";
  PatternMatcher matcher(pattern, kRegex, kExact);
  ASSERT_TRUE(matcher.Compiled());
  EXPECT_EQ(FindIn(matcher, std::string(2048, 'a')), "none");
  EXPECT_EQ(FindIn(matcher, std::string(2047, 'a') + "b"), "0+2048");
  EXPECT_EQ(FindIn(matcher, "x" + std::string(2000, 'a') + "b"), "1+2001");
  std::string alternating;
  for (int i = 0; i < 1000; ++i) alternating += "ax";
  EXPECT_EQ(FindIn(matcher, alternating + "b"), "none");
}

// ---- Randomised checks ----

// Random regular-expression patterns over a small alphabet that exercises every kind of token.
std::string RandomPattern(std::mt19937& random) {
  static const std::vector<std::string_view> kPieces = {
      "a", "b", "A", "ab", "*", "?", "[ab]", "[a]", "[aA]", "[]", "\\*", "\\a", "\\", "^", "$", "x", "."};
  std::string pattern;
  const int pieces = std::uniform_int_distribution<int>(0, 6)(random);
  for (int i = 0; i < pieces; ++i) pattern += kPieces[random() % kPieces.size()];
  return pattern;
}

std::string RandomSubject(std::mt19937& random, std::string_view alphabet, int max_length) {
  std::string subject(std::uniform_int_distribution<int>(0, max_length)(random), ' ');
  for (char& byte : subject) byte = alphabet[random() % alphabet.size()];
  return subject;
}

constexpr char kSubjectBytes[] = "abABx*\\.^$[]\0\xE1";
constexpr std::string_view kSubjectAlphabet(kSubjectBytes, sizeof(kSubjectBytes) - 1);

TEST(PatternMatcherRandom, ReusedMatcherAnswersLikeAFreshOne) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 300; ++round) {
    const std::string pattern = RandomPattern(random);
    const bool regex = random() % 4 != 0;
    const bool case_sensitive = random() % 2 == 0;
    PatternMatcher reused(pattern, regex, case_sensitive);
    for (int i = 0; i < 30; ++i) {
      const std::string subject = RandomSubject(random, kSubjectAlphabet, 24);
      PatternMatcher fresh(pattern, regex, case_sensitive);
      ASSERT_EQ(FindIn(reused, subject), FindIn(fresh, subject)) << pattern << " in " << subject;
    }
  }
}

bool RunMatchesAt(const LiteralRun& run, std::string_view subject, std::size_t at) {
  if (at + run.size() > subject.size()) return false;
  for (std::size_t i = 0; i < run.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(subject[at + i]);
    if (run.folded[i] && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
    if (byte != static_cast<unsigned char>(run.bytes[i])) return false;
  }
  return true;
}

std::string NaiveFind(const LiteralRun& run, std::string_view subject) {
  for (std::size_t at = 0; at + run.size() <= subject.size(); ++at) {
    if (RunMatchesAt(run, subject, at)) return std::to_string(at) + "+" + std::to_string(run.size());
  }
  return "none";
}

constexpr char kLiteralBytes[] = "aAbB1.\0\xC4\xE4";
constexpr std::string_view kLiteralAlphabet(kLiteralBytes, sizeof(kLiteralBytes) - 1);

// A pattern whose every token compares like one byte, written in the chosen mode.
std::string RandomLiteralPattern(std::mt19937& random, bool regex) {
  std::string pattern;
  const int tokens = std::uniform_int_distribution<int>(1, 4)(random);
  for (int i = 0; i < tokens; ++i) {
    const char byte = kLiteralAlphabet[random() % kLiteralAlphabet.size()];
    switch (regex ? random() % 4 : 0) {
      case 0:
        pattern += byte;
        break;
      case 1:
        pattern += std::string("\\") + byte;
        break;
      case 2:
        pattern += std::string("[") + byte + "]";
        break;
      default:
        pattern += "[bB]";
        break;
    }
  }
  return pattern;
}

TEST(PatternMatcherRandom, WholeLiteralFindsWhatFindFinds) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    const bool regex = random() % 2 == 0;
    const bool case_sensitive = random() % 2 == 0;
    const std::string pattern = RandomLiteralPattern(random, regex);
    PatternMatcher matcher(pattern, regex, case_sensitive);
    const std::optional<LiteralRun> run = matcher.WholeLiteral();
    ASSERT_TRUE(run.has_value()) << pattern;
    ASSERT_EQ(run->folded.size(), run->size());
    for (int i = 0; i < 20; ++i) {
      const std::string subject = RandomSubject(random, kLiteralAlphabet, 12);
      ASSERT_EQ(NaiveFind(*run, subject), FindIn(matcher, subject))
          << pattern << (case_sensitive ? " exact" : " folded") << (regex ? " regex" : " plain");
    }
  }
}

// Where the run lies fully inside [begin, end) of the subject.
bool RunOccursWithin(const LiteralRun& run, std::string_view subject, std::size_t begin, std::size_t end) {
  for (std::size_t at = begin; at + run.size() <= end; ++at) {
    if (RunMatchesAt(run, subject, at)) return true;
  }
  return false;
}

TEST(PatternMatcherRandom, EveryOccurrenceContainsTheRequiredRun) {
  std::mt19937 random(99);
  int occurrences_with_run = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string pattern = RandomPattern(random);
    const bool case_sensitive = random() % 2 == 0;
    PatternMatcher matcher(pattern, kRegex, case_sensitive);
    const LiteralRun run = matcher.RequiredRun();
    for (int i = 0; i < 40; ++i) {
      const std::string subject = RandomSubject(random, kSubjectAlphabet, 16);
      const std::optional<PatternMatcher::Occurrence> found = matcher.Find(Bytes(subject), subject.size());
      if (!found) continue;
      ASSERT_LE(found->offset, subject.size()) << pattern;
      const std::size_t end = std::min(found->offset + found->length, subject.size());
      ASSERT_TRUE(RunOccursWithin(run, subject, found->offset, end))
          << pattern << " in " << subject << " as " << Describe(found) << " lacks " << run.bytes;
      if (!run.empty()) ++occurrences_with_run;
    }
  }
  EXPECT_GT(occurrences_with_run, 100);
}

// A chain described segment by segment, searched by trying every alignment in order with plain
// recursion: the reference that the skipping, retrying and remembering search must agree with.
struct ModelSegment {
  std::ptrdiff_t lead = 0;  // 0, n "?" or -1 for "*"
  std::string run;
};

struct ModelPattern {
  bool caret = false;
  bool dollar = false;
  std::vector<ModelSegment> segments;

  std::string Text() const {
    std::string text = caret ? "^" : "";
    for (const ModelSegment& segment : segments)
      text += (segment.lead < 0 ? "*" : std::string(segment.lead, '?')) + segment.run;
    return dollar ? text + "$" : text;
  }
};

std::optional<PatternMatcher::Occurrence> ModelFind(const ModelPattern& model, std::size_t index,
                                                    std::string_view subject) {
  if (subject.empty()) return std::nullopt;
  const ModelSegment& segment = model.segments[index];
  const std::size_t count = segment.run.size();
  if (count == 0) {
    if (segment.lead == 0) return std::nullopt;
    if (segment.lead > 0) return PatternMatcher::Occurrence{0, static_cast<std::size_t>(segment.lead)};
    return PatternMatcher::Occurrence{0, std::strlen(std::string(subject).c_str())};
  }
  const bool last = index + 1 == model.segments.size();
  const bool at_start = segment.lead > 0 || (index == 0 && model.caret);
  for (std::size_t at = 0; at + count <= subject.size(); ++at) {
    if (at_start && static_cast<std::ptrdiff_t>(at) > std::max<std::ptrdiff_t>(segment.lead, 0)) break;
    if (last && model.dollar && at + count != subject.size()) continue;
    if (subject.substr(at, count) != segment.run) continue;
    std::size_t next_length = 0;
    if (!last) {
      const auto next = ModelFind(model, index + 1, subject.substr(at + count));
      if (!next) continue;
      next_length = next->length;
    }
    if (segment.lead == 0) return PatternMatcher::Occurrence{at, count + next_length};
    return PatternMatcher::Occurrence{0, at + count + next_length};
  }
  return std::nullopt;
}

ModelPattern RandomModel(std::mt19937& random) {
  ModelPattern model;
  model.caret = random() % 4 == 0;
  model.dollar = random() % 4 == 0;
  const int segments = std::uniform_int_distribution<int>(1, 4)(random);
  for (int i = 0; i < segments; ++i) {
    ModelSegment segment;
    const int lead_kind = random() % 3;
    if (i > 0 || lead_kind > 0) segment.lead = lead_kind == 2 ? -1 : 1 + random() % 2;
    // Only the last segment may lack a run; otherwise its wildcards would merge with the next ones.
    const int min_run = i + 1 == segments ? 0 : 1;
    segment.run = RandomSubject(random, "ab", 3);
    while (static_cast<int>(segment.run.size()) < min_run) segment.run += "ab"[random() % 2];
    model.segments.push_back(segment);
  }
  // A "*" right after "^" lifts the start anchor, which the model does not describe.
  if (model.segments[0].lead < 0) model.caret = false;
  return model;
}

TEST(PatternMatcherRandom, ChainsAgreeWithTryingEveryAlignment) {
  std::mt19937 random(4242);
  int found = 0;
  for (int round = 0; round < 1500; ++round) {
    const ModelPattern model = RandomModel(random);
    PatternMatcher matcher(model.Text(), kRegex, kExact);
    ASSERT_TRUE(matcher.Compiled()) << model.Text();
    for (int i = 0; i < 20; ++i) {
      const std::string subject = RandomSubject(random, std::string_view("aab\0", 4), 14);
      const auto expected = ModelFind(model, 0, subject);
      found += expected.has_value();
      ASSERT_EQ(FindIn(matcher, subject), Describe(expected)) << model.Text() << " in " << subject;
    }
  }
  EXPECT_GT(found, 3000);
}

// ---- Literal runs ----

struct RunView {
  std::string bytes;
  std::string folded;  // "1" where folded
};

RunView View(const LiteralRun& run) {
  RunView view{run.bytes, ""};
  for (bool folded : run.folded) view.folded += folded ? '1' : '0';
  return view;
}

std::optional<RunView> WholeLiteral(std::string_view pattern, bool regex, bool case_sensitive) {
  const std::optional<LiteralRun> run = PatternMatcher(pattern, regex, case_sensitive).WholeLiteral();
  if (!run) return std::nullopt;
  return View(*run);
}

TEST(PatternMatcherWholeLiteral, DescribesSingleRuns) {
  auto plain = WholeLiteral("a*B", kPlain, kExact);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->bytes, "a*B");
  EXPECT_EQ(plain->folded, "000");

  auto folded = WholeLiteral("aB1\xC4", kPlain, kFolded);
  ASSERT_TRUE(folded);
  EXPECT_EQ(folded->bytes, "ab1\xC4");
  EXPECT_EQ(folded->folded, "1100");

  auto escaped = WholeLiteral("x\\A[q][zZ][\\]]\\", kRegex, kFolded);
  ASSERT_TRUE(escaped);
  EXPECT_EQ(escaped->bytes, "xAqz]\\");
  EXPECT_EQ(escaped->folded, "100100");

  auto inner_anchors = WholeLiteral("a^b$c", kRegex, kExact);
  ASSERT_TRUE(inner_anchors);
  EXPECT_EQ(inner_anchors->bytes, "a^b$c");
}

TEST(PatternMatcherWholeLiteral, RefusesEverythingElse) {
  for (std::string_view pattern :
       {"", "^ab", "ab$", "a*b", "a?b", "*ab", "?ab", "ab*", "[ab]", "[]", "[aB]", "[Aa1]", "a[", "^", "*"}) {
    EXPECT_FALSE(WholeLiteral(pattern, kRegex, kExact)) << pattern;
    EXPECT_FALSE(WholeLiteral(pattern, kRegex, kFolded)) << pattern;
  }
  EXPECT_FALSE(WholeLiteral("", kPlain, kExact));
}

std::string RequiredRun(std::string_view pattern, bool case_sensitive = kExact) {
  const LiteralRun run = PatternMatcher(pattern, kRegex, case_sensitive).RequiredRun();
  const RunView view = View(run);
  return view.bytes + "/" + view.folded;
}

TEST(PatternMatcherRequiredRun, LongestStretchWithinOneSegment) {
  EXPECT_EQ(RequiredRun("ab*cde?f"), "cde/000");
  EXPECT_EQ(RequiredRun("ab*cd"), "ab/00");  // the first of equally long stretches
  EXPECT_EQ(RequiredRun("a[xy]bc"), "bc/00");
  EXPECT_EQ(RequiredRun("^?abc$"), "abc/000");
  EXPECT_EQ(RequiredRun("Ab\\C*d", kFolded), "abC/110");
  EXPECT_EQ(RequiredRun("ab[cC]*", kExact), "abc/001");
  // Stretches in neighbouring segments do not join across a wildcard.
  EXPECT_EQ(RequiredRun("ab?cd?ef"), "ab/00");
}

TEST(PatternMatcherRequiredRun, EmptyWithoutSingleByteTokens) {
  for (std::string_view pattern : {"", "*", "?", "^$", "[ab]", "[ab]*[]", "[", "ab["})
    EXPECT_EQ(RequiredRun(pattern), "/") << pattern;
}

}  // namespace
}  // namespace zarn
