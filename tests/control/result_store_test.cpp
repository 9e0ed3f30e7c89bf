// The ResultStore: records read back exactly across segment and block boundaries, also while the writer
// is still appending on another thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>

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
