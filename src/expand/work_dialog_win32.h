// TPsg: the work window of long loads. It stays hidden unless a job runs
// longer than its delay; meanwhile the job hands control back to the
// program's message loop regularly so the program stays responsive.
#pragma once

#include <cstdint>

#include "expand/work_jobs.h"
#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

// It counts as an open dialog while a job runs, whether shown or not.
class WorkDialog : public ModalDialog, public expand::WorkHost {
 public:
  explicit WorkDialog(DialogHost& host) : ModalDialog(host, 0) {}
  bool Create();

  void Begin(int delayMs) override;
  void Step() override;
  void End() override;
  void Pause(int ms) override;

  // Pending messages are processed at least this often while a job runs:
  // often enough that no one notices a stall, rarely enough that a scan of
  // many small entries is not slowed down by the message queue.
  static constexpr double kPumpIntervalMs = 8.0;

  // The longest time between two pumps of the last job, for measurements.
  double LongestGapMs() const { return longestGapMs_; }
  int Pumps() const { return pumps_; }

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnTimer();
  void Pump();
  void Layout();
  double NowMs() const;

  HWND image_ = nullptr, text_ = nullptr;
  HBRUSH white_ = nullptr;
  HCURSOR oldCursor_ = nullptr;
  double lastPumpMs_ = 0;
  double longestGapMs_ = 0;
  int pumps_ = 0;
  std::int64_t frequency_ = 1;
  bool running_ = false;
};

}  // namespace ambrel::win32
