// ControlState: everything of a control that its search worker may touch — options, search state,
// findings, the notification queue — owned jointly by the control and its worker, so that a worker still
// running after the control's destruction never uses freed memory. Also fires the control's events on the
// host's thread, and stops firing them the moment the control is destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "control/engine/search_control.h"
#include "control/events/event_relay.h"
#include "control/events/zarn_events.h"
#include "control/findings/result_store.h"
#include "platform/window/message_queue.h"

namespace zarn {

class ControlState final : public SearchControl, public std::enable_shared_from_this<ControlState> {
 public:
  ControlState();

  // Worker side (SearchControl).
  void AppendFinding(const FindingView& finding) override { findings_.Append(finding); }
  void PostNotification(NotificationKind kind, std::int32_t code, std::string_view detail) override;
  bool ConvertOfficeDocument(OfficeApplication application, const std::string& document,
                             const std::string& text_file) override;

  // Host side.
  ResultStore& Findings() { return findings_; }
  EventRelay& Relay() { return relay_; }
  void SetEventSink(ZarnEvents* sink) { sink_ = sink; }
  // After this no event is fired.
  void MarkDestroyed();
  bool Destroyed() const { return destroyed_; }

  // Fires OnError with the code's message and `detail` at once, on the calling thread.
  void RaiseError(std::int32_t code, std::string_view detail = {});
  void FireScanStarted();
  // The relay timer's handler.
  void DeliverNotifications();

 private:
  bool Deliver(const Notification& notification);

  ResultStore findings_;
  EventRelay relay_;
  ZarnEvents* sink_ = nullptr;  // host thread only
  bool destroyed_ = false;      // host thread only
};

// Builds the search job of the control and starts its worker (search_job.h) at `thread_priority`. False
// when no thread could be created.
bool StartSearchWorker(const std::shared_ptr<ControlState>& state, std::int32_t thread_priority);

}  // namespace zarn
