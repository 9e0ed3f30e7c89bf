#include "control/engine/pattern_run_cursor.h"

#include <algorithm>

namespace zarn {

RunCursor::RunCursor(const PatternSegment& segment, const unsigned char* subject, std::size_t length)
    : segment_(&segment),
      subject_(subject),
      length_(static_cast<std::ptrdiff_t>(length)),
      count_(static_cast<std::ptrdiff_t>(segment.count())) {}

// The alignment whose last token lies over pos_ still fits the subject and the segment's anchors.
bool RunCursor::AlignmentAllowed() const {
  if (pos_ >= length_) return false;
  return !(segment_->anchored_at_start && pos_ - count_ + 1 > segment_->lead);
}

// Moves the alignment by the bad-byte shift of the mismatched byte, and at least past the bytes
// already compared.
void RunCursor::ShiftAfterMismatch() {
  const std::size_t shift = segment_->shift_table[subject_[pos_]];
  pos_ += std::max(static_cast<std::ptrdiff_t>(shift), count_ - k_);
  k_ = count_ - 1;
}

std::optional<std::size_t> RunCursor::NextMatch() {
  if (exhausted_) return std::nullopt;
  if (matched_at_ < 0) {
    if (count_ > length_) {
      exhausted_ = true;
      return std::nullopt;
    }
    // Anchored at end: only the alignment that ends with the subject is tried.
    pos_ = segment_->anchored_at_end ? length_ - 1 : count_ - 1;
  } else {
    pos_ = matched_at_ + count_;
  }
  k_ = count_ - 1;
  while (AlignmentAllowed()) {
    while (k_ >= 0 && segment_->tokens[k_].Matches(subject_[pos_])) {
      --k_;
      --pos_;
    }
    if (k_ < 0) {
      matched_at_ = pos_ + 1;
      return static_cast<std::size_t>(matched_at_);
    }
    ShiftAfterMismatch();
  }
  exhausted_ = true;
  return std::nullopt;
}

}  // namespace zarn
