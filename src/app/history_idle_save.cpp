#include "app/history_idle_save.h"

#include "app/history_file.h"
#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/busy_state.h"
#include "platform/data_file_saver.h"

namespace ambrel::app {

void HistoryIdleSave::Start() { savedRevision_ = store_.Revision(); }

void HistoryIdleSave::Check() {
  const std::uint64_t now = ticks_();
  if (store_.Revision() != savedRevision_) {
    savedRevision_ = store_.Revision();
    idle_.Changed(now);
  }
  if (!idle_.Due(now, busy_.Busy())) return;
  // With SaveHistoryOnExit off the history is not written at all; the change
  // counts as dealt with. A failed save is timed from its end.
  const bool saved = !settings_.SaveHistoryOnExit() || SaveHistory(store_, saver_, SaveMoment::kRunning);
  if (saved && settings_.SaveHistoryOnExit() && besideSave_) besideSave_(SaveMoment::kRunning);
  idle_.Finished(saved, ticks_());
}

}  // namespace ambrel::app
