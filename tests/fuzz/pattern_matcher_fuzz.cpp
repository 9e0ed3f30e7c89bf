// The pattern compiler and matcher on any search string, in plain and regular-expression mode, folded or
// exact, against any subject. Properties:
//   - a plain search string always compiles, and its whole literal run is the string itself;
//   - for what compiles, the search the scanner uses (CompiledSearch, with and without its fast paths)
//     finds exactly what PatternMatcher::Find finds, at every place the scanner would search from;
//   - a matcher answers the same when asked again (searching never changes it);
//   - every occurrence lies in the subject and contains the run required of every occurrence, and the
//     candidate finder finds that run; a search that "can match no line" only matches line breaks or zeros;
//   - a whole literal run is found exactly where a byte-by-byte comparison finds it first;
//   - folded, a search string without escapes and sets finds the same when the subject's letters change
//     case.
// The subject sits in an allocation of its exact size, so a read past its end is caught.
// Input: one byte of options, the search string (length-prefixed by the data provider), the subject.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "control/engine/compiled_search.h"
#include "control/engine/pattern_matcher.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

using zarn::LiteralRun;
using zarn::PatternMatcher;
using Occurrence = std::optional<PatternMatcher::Occurrence>;

constexpr int kMaxSearchesPerSubject = 64;

bool Same(const Occurrence& a, const Occurrence& b) {
  if (!a || !b) return !a && !b;
  return a->offset == b->offset && a->length == b->length;
}

bool RunMatchesAt(const LiteralRun& run, const unsigned char* subject, std::size_t at) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    unsigned char byte = subject[at + i];
    if (run.folded[i] && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
    if (byte != static_cast<unsigned char>(run.bytes[i])) return false;
  }
  return true;
}

// The first place in [begin, end) where the run lies whole, compared byte by byte.
std::optional<std::size_t> FirstRun(const LiteralRun& run, const unsigned char* subject, std::size_t begin,
                                    std::size_t end) {
  for (std::size_t at = begin; at + run.size() <= end; ++at)
    if (RunMatchesAt(run, subject, at)) return at;
  return std::nullopt;
}

void CheckPlainCompile(const PatternMatcher& matcher, std::string_view pattern) {
  KX_FUZZ_REQUIRE(matcher.Compiled());
  if (pattern.empty()) return;
  const std::optional<LiteralRun> run = matcher.WholeLiteral();
  KX_FUZZ_REQUIRE(run && run->size() == pattern.size() && run->folded.size() == pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(pattern[i]);
    if (run->folded[i] && byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
    KX_FUZZ_REQUIRE(static_cast<unsigned char>(run->bytes[i]) == byte);
  }
}

void CheckOccurrence(const PatternMatcher& matcher, const zarn::CompiledSearch& search,
                     const unsigned char* subject, std::size_t length,
                     const PatternMatcher::Occurrence& found) {
  KX_FUZZ_REQUIRE(found.offset <= length);
  const std::size_t end = std::min(found.offset + found.length, length);
  const LiteralRun required = matcher.RequiredRun();
  KX_FUZZ_REQUIRE(FirstRun(required, subject, found.offset, end).has_value());
  if (const zarn::LiteralFinder* candidates = search.CandidateFinder()) {
    const unsigned char* candidate = candidates->Find(subject, subject + length);
    KX_FUZZ_REQUIRE(candidate != nullptr && candidate <= subject + end - candidates->size());
  }
  if (!search.CanMatchAnyLine())
    KX_FUZZ_REQUIRE(
        std::string_view(reinterpret_cast<const char*>(subject) + found.offset, end - found.offset)
            .find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos);
}

void CheckWholeLiteral(const PatternMatcher& matcher, const unsigned char* subject, std::size_t length,
                       const Occurrence& found) {
  const std::optional<LiteralRun> run = matcher.WholeLiteral();
  if (!run) return;
  const std::optional<std::size_t> expected = FirstRun(*run, subject, 0, length);
  KX_FUZZ_REQUIRE(expected.has_value() == found.has_value());
  if (expected) KX_FUZZ_REQUIRE(found->offset == *expected && found->length == run->size());
}

// Without escapes and sets, a folded search string compares every letter in either case: flipping the
// case of the subject's ASCII letters changes nothing that is found.
void CheckFolding(const PatternMatcher& matcher, std::string_view pattern, bool regular_expression,
                  const unsigned char* subject, std::size_t length) {
  if (regular_expression && pattern.find_first_of("\\[") != std::string_view::npos) return;
  const auto flipped = std::make_unique<unsigned char[]>(length);
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char byte = subject[i];
    flipped[i] =
        static_cast<unsigned char>((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z' ? byte ^ 0x20 : byte);
  }
  KX_FUZZ_REQUIRE(Same(matcher.Find(subject, length), matcher.Find(flipped.get(), length)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
  const bool regular_expression = options & 1;
  const bool case_sensitive = options & 2;
  const std::string pattern = input.ConsumeRandomLengthString(64);
  const std::string subject_bytes = input.ConsumeRemainingBytesAsString();

  const PatternMatcher matcher(pattern, regular_expression, case_sensitive);
  if (!regular_expression) CheckPlainCompile(matcher, pattern);
  const zarn::CompiledSearch fast(pattern, regular_expression, case_sensitive, /*fast_paths=*/true);
  const zarn::CompiledSearch slow(pattern, regular_expression, case_sensitive, /*fast_paths=*/false);
  KX_FUZZ_REQUIRE(fast.Compiled() == matcher.Compiled() && slow.Compiled() == matcher.Compiled());
  if (!matcher.Compiled()) return 0;

  const std::size_t length = subject_bytes.size();
  const auto subject = std::make_unique<unsigned char[]>(length);
  std::copy(subject_bytes.begin(), subject_bytes.end(), subject.get());

  if (!case_sensitive) CheckFolding(matcher, pattern, regular_expression, subject.get(), length);

  // Search on from one byte after each occurrence's first byte, as the scanner does within a line.
  std::size_t at = 0;
  for (int searches = 0; searches < kMaxSearchesPerSubject && at <= length; ++searches) {
    const unsigned char* from = subject.get() + at;
    const Occurrence found = matcher.Find(from, length - at);
    KX_FUZZ_REQUIRE(Same(found, matcher.Find(from, length - at)));
    KX_FUZZ_REQUIRE(Same(found, fast.Find(from, length - at)));
    KX_FUZZ_REQUIRE(Same(found, slow.Find(from, length - at)));
    CheckWholeLiteral(matcher, from, length - at, found);
    if (!found) break;
    CheckOccurrence(matcher, fast, from, length - at, *found);
    at += found->offset + 1;
  }
  return 0;
}
