#include "app/history_idle_save.h"

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/busy_state.h"
#include "platform/data_file_saver.h"
#include "platform/save_worker.h"

namespace ambrel::app {

void HistoryIdleSave::Start() { seenRevision_ = store_.Revision(); }

void HistoryIdleSave::Check() {
  worker_.Deliver();
  const std::uint64_t now = ticks_();
  if (store_.Revision() != seenRevision_) {
    seenRevision_ = store_.Revision();
    idle_.Changed(now);
  }
  if (writing_ || !idle_.Due(now, busy_.Busy())) return;
  // With SaveHistoryOnExit off the history is not written at all; the change
  // counts as dealt with.
  if (!settings_.SaveHistoryOnExit()) return idle_.Finished(true, now);
  writing_ = true;
  writingRevision_ = seenRevision_;
  QueueHistorySave(store_, saver_, worker_, SaveMoment::kRunning, [this](bool saved) { Saved(saved); });
}

// A failed save is timed from its end. Changes made while the save was
// being written are not in it and wait for the next one.
void HistoryIdleSave::Saved(bool saved) {
  writing_ = false;
  const std::uint64_t now = ticks_();
  idle_.Finished(saved, now);
  if (saved && store_.Revision() != writingRevision_) {
    seenRevision_ = store_.Revision();
    idle_.Changed(now);
  }
}

}  // namespace ambrel::app
