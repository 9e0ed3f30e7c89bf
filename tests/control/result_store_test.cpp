// The ResultStore: records read back exactly across segment and block boundaries, also while the writer
// is still appending on another thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "control/findings/result_segments.h"
#include "control/findings/result_store.h"

namespace zarn::test {
namespace {

std::string PathOf(int i) {
  return "/folder/file-" + std::to_string(i / 7) + ".txt";
}
std::string TextOf(int i) {
  return std::string(static_cast<std::size_t>(i % 2047), static_cast<char>('a' + i % 26));
}

// Every other run of records says which file it is in by number, the others leave the store to compare
// paths.
void AppendNumbered(ResultStore& store, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string path = PathOf(i), text = TextOf(i);
    const std::uint64_t file_number = (i / 7) % 2 ? static_cast<std::uint64_t>(i / 7 + 1) : 0;
    store.Append(FindingView{path, i + 1, i % 100 + 1, text, file_number});
  }
}

void ExpectNumbered(const ResultStore& store, int i) {
  const FindingView record = store.Get(i);
  ASSERT_EQ(record.file_path, PathOf(i));
  ASSERT_EQ(record.line_number, i + 1);
  ASSERT_EQ(record.column_number, i % 100 + 1);
  ASSERT_EQ(record.text_found, TextOf(i));
}

TEST(ResultStore, RecordsReadBackExactlyInTheOrderAppended) {
  ResultStore store;
  AppendNumbered(store, 20000);
  ASSERT_EQ(store.Count(), 20000);
  for (int i = 0; i < 20000; ++i) ExpectNumbered(store, i);
  store.Clear();
  EXPECT_EQ(store.Count(), 0);
  AppendNumbered(store, 3);
  ExpectNumbered(store, 2);
}

// The segments lie one after the other without gap or overlap, each exactly as large as the run of
// numbers it is given, up to the last number a store keeps (INT32_MAX - 1).
TEST(ResultStore, EachSegmentHoldsExactlyTheNumbersThatLeadToIt) {
  using namespace result_segments;
  const int last = SegmentOf(INT32_MAX - 1);
  ASSERT_LT(last, kSegmentCount);
  EXPECT_EQ(SegmentStart(0), 0);
  for (int segment = 0; segment <= last; ++segment) {
    const std::int64_t start = SegmentStart(segment);
    const std::int64_t end = start + static_cast<std::int64_t>(SegmentSize(segment));  // one past its last
    EXPECT_EQ(SegmentOf(static_cast<std::int32_t>(start)), segment);
    EXPECT_EQ(SegmentOf(static_cast<std::int32_t>(std::min<std::int64_t>(end, INT32_MAX) - 1)), segment);
    if (segment < last) {
      EXPECT_EQ(SegmentStart(segment + 1), end) << segment;
    }
  }
}

// Texts that are tails of the text before on the same line share its bytes; each record still reads back
// exactly, whatever came before it, and so do columns too large for the record's 16 bits.
TEST(ResultStore, SharedTailsAndLargeColumnsReadBackExactly) {
  const std::string line = "alpha beta alpha gamma alpha";
  struct Case {
    const char* path;
    std::int32_t line;
    std::int32_t column;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"/a.txt", 3, 1, line},
      {"/a.txt", 3, 12, line.substr(11)},          // a tail: shared
      {"/a.txt", 3, 24, line.substr(23)},          // a tail of the tail
      {"/a.txt", 3, 24, line.substr(23)},          // the same text again
      {"/a.txt", 3, 25, "lpha but not the same"},  // longer than the text before
      {"/a.txt", 3, 26, "pha"},                    // no tail of it
      {"/a.txt", 4, 1, "same file, line after"},   // another line
      {"/a.txt", 4, 9, "line after"},              // a tail there
      {"/b.txt", 4, 12, "after"},                  // a tail, but of another file's line
      {"/b.txt", 4, 65534, "after"},               // the largest column kept in the record
      {"/b.txt", 4, 65535, "fter"},                // kept in front of the text
      {"/b.txt", 4, 70000, "er"},                  // kept in front, then a tail of it
      {"/b.txt", 4, 70001, "r"},
      {"/b.txt", 5, INT32_MAX, ""},
      {"/b.txt", 5, 2, ""},  // an empty tail
  };
  ResultStore store;
  for (const Case& c : cases) store.Append(FindingView{c.path, c.line, c.column, c.text});
  ASSERT_EQ(store.Count(), static_cast<std::int32_t>(cases.size()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const FindingView record = store.Get(static_cast<std::int32_t>(i));
    EXPECT_EQ(record.file_path, cases[i].path) << i;
    EXPECT_EQ(record.line_number, cases[i].line) << i;
    EXPECT_EQ(record.column_number, cases[i].column) << i;
    EXPECT_EQ(record.text_found, cases[i].text) << i;
  }
}

TEST(ResultStore, TheHostReadsEveryPublishedRecordWhileTheWorkerAppends) {
  ResultStore store;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    AppendNumbered(store, 30000);
    done = true;
  });
  int checked = 0;
  while (!done || checked < store.Count()) {
    for (const int count = store.Count(); checked < count; ++checked) ExpectNumbered(store, checked);
  }
  worker.join();
  EXPECT_EQ(checked, 30000);
}

}  // namespace
}  // namespace zarn::test
