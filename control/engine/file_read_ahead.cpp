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
  bool wake_helper = false;
  {
    std::lock_guard lock(mutex_);
    Slot& slot = SlotAt(count_);
    slot.full_path = full_path;
    slot.entry_name = entry_name;
    slot.open_ahead = open_ahead;
    slot.stage.store(open_ahead ? Slot::Stage::kWaiting : Slot::Stage::kOpened);
    ++count_;
    if (open_ahead) ++waiting_;
    wake_helper = helpers_asleep_ > 0 && waiting_ * 2 >= slots_.size();
  }
  if (wake_helper) work_.notify_one();
}

// While a helper opens the oldest file, the search thread opens the next waiting ones itself: on a machine
// with few processors it is the opening that keeps both busy.
FileReadAhead::Slot& FileReadAhead::Front() {
  Slot& front = SlotAt(0);
  std::unique_lock lock(mutex_);
  for (;;) {
    if (front.stage == Slot::Stage::kOpened) return front;
    Slot* next = front.stage == Slot::Stage::kWaiting ? &front : OldestWaiting();
    if (!next) break;
    Open(*next, lock);
  }
  lock.unlock();
  if (SpinUntilOpened(front)) return front;
  lock.lock();
  search_asleep_ = true;
  opened_.wait(lock, [&front] { return front.stage == Slot::Stage::kOpened; });
  search_asleep_ = false;
  return front;
}

// Opens a waiting file outside the lock, which `lock` holds before and after.
void FileReadAhead::Open(Slot& slot, std::unique_lock<std::mutex>& lock) {
  slot.stage = Slot::Stage::kOpening;
  --waiting_;
  lock.unlock();
  slot.file.Open(slot.full_path, slot.buffer);
  lock.lock();
  slot.stage.store(Slot::Stage::kOpened, std::memory_order_release);
}

// A helper opens a small file in a few microseconds: about as long as falling asleep takes.
bool FileReadAhead::SpinUntilOpened(const Slot& slot) const {
  for (int spin = 0; spin < 4000; ++spin) {
    if (slot.stage.load(std::memory_order_acquire) == Slot::Stage::kOpened) return true;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  return false;
}

void FileReadAhead::Pop() {
  Slot& slot = SlotAt(0);
  slot.file.Close();
  std::lock_guard lock(mutex_);
  first_ = (first_ + 1) % slots_.size();
  --count_;
}

FileReadAhead::Slot* FileReadAhead::OldestWaiting() {
  if (waiting_ == 0) return nullptr;
  for (std::size_t position = 0; position < count_; ++position)
    if (SlotAt(position).stage == Slot::Stage::kWaiting) return &SlotAt(position);
  return nullptr;
}

void FileReadAhead::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Slot* slot = OldestWaiting();
    if (!slot && !ending_) {
      ++helpers_asleep_;
      work_.wait(lock, [this, &slot] { return ending_ || (slot = OldestWaiting()) != nullptr; });
      --helpers_asleep_;
    }
    if (ending_) return;
    Open(*slot, lock);
    if (search_asleep_) opened_.notify_one();
  }
}

}  // namespace zarn
