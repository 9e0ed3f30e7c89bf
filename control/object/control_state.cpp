#include "control/object/control_state.h"

#include "control/engine/search_job.h"

#include "control/object/error_messages.h"
#include "control/office/office_conversion.h"

namespace zarn {

ControlState::ControlState() : relay_(State()) {}

bool StartSearchWorker(const std::shared_ptr<ControlState>& state, std::int32_t thread_priority) {
  return StartSearchWorker(state, SearchJob{.thread_priority = thread_priority});
}

void ControlState::PostNotification(NotificationKind kind, std::int32_t code, std::string_view detail) {
  relay_.Post(kind, code, detail);
}

bool ControlState::ConvertOfficeDocument(OfficeApplication application, const std::string& document,
                                         const std::string& text_file) {
  return application == OfficeApplication::kWord ? ConvertWordDocument(document, text_file)
                                                 : ConvertExcelWorkbook(document, text_file);
}

void ControlState::MarkDestroyed() {
  destroyed_ = true;
  sink_ = nullptr;
}

void ControlState::RaiseError(std::int32_t code, std::string_view detail) {
  const std::optional<std::string> text = ErrorText(code, detail);
  if (text && sink_) sink_->OnError(code, *text);
}

void ControlState::FireScanStarted() {
  if (sink_) sink_->ScanStarted();
}

void ControlState::DeliverNotifications() {
  const std::shared_ptr<ControlState> keep_alive = shared_from_this();
  relay_.OnTimer([this](const Notification& notification) { return Deliver(notification); });
}

bool ControlState::Deliver(const Notification& notification) {
  if (destroyed_) return false;
  if (notification.kind == NotificationKind::kCompletion) {
    if (sink_) sink_->ScanCompleted();
  } else if (notification.code != 0) {
    RaiseError(notification.code, notification.detail);
  }
  return !destroyed_;
}

}  // namespace zarn
