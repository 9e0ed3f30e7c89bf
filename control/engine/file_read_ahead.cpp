#include "control/engine/file_read_ahead.h"

namespace zarn {

FileReadAhead::FileReadAhead(std::size_t helpers, std::size_t window)
    : buffers_(new unsigned char[window * BlockBuffer::Size()]) {
  for (std::size_t i = 0; i < window; ++i) {
    slots_.push_back(std::make_unique<Slot>());
    slots_.back()->buffer.start = buffers_.get() + i * BlockBuffer::Size();
  }
  for (std::size_t i = 0; i < helpers; ++i) helpers_.emplace_back([this] { Serve(); });
}

FileReadAhead::~FileReadAhead() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  work_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

void FileReadAhead::Push(const std::string& full_path, std::string_view entry_name, bool open_ahead) {
  {
    std::lock_guard lock(mutex_);
    Slot& slot = SlotAt(count_);
    slot.full_path = full_path;
    slot.entry_name = entry_name;
    slot.open_ahead = open_ahead;
    slot.stage = open_ahead ? Slot::Stage::kWaiting : Slot::Stage::kOpened;
    ++count_;
  }
  if (open_ahead) work_.notify_one();
}

FileReadAhead::Slot& FileReadAhead::Front() {
  Slot& slot = SlotAt(0);
  std::unique_lock lock(mutex_);
  if (slot.stage == Slot::Stage::kWaiting) {
    slot.stage = Slot::Stage::kOpening;
    lock.unlock();
    slot.file.Open(slot.full_path, slot.buffer);
    lock.lock();
    slot.stage = Slot::Stage::kOpened;
  }
  opened_.wait(lock, [&slot] { return slot.stage == Slot::Stage::kOpened; });
  return slot;
}

void FileReadAhead::Pop() {
  Slot& slot = SlotAt(0);
  slot.file.Close();
  std::lock_guard lock(mutex_);
  first_ = (first_ + 1) % slots_.size();
  --count_;
}

FileReadAhead::Slot* FileReadAhead::OldestWaiting() {
  for (std::size_t position = 0; position < count_; ++position)
    if (SlotAt(position).stage == Slot::Stage::kWaiting) return &SlotAt(position);
  return nullptr;
}

void FileReadAhead::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Slot* slot = nullptr;
    work_.wait(lock, [this, &slot] { return ending_ || (slot = OldestWaiting()) != nullptr; });
    if (ending_) return;
    slot->stage = Slot::Stage::kOpening;
    lock.unlock();
    slot->file.Open(slot->full_path, slot->buffer);
    lock.lock();
    slot->stage = Slot::Stage::kOpened;
    opened_.notify_all();
  }
}

}  // namespace zarn
