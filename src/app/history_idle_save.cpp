#include "app/history_idle_save.h"

#include "clipstore/clip_store.h"
#include "options/settings.h"
#include "platform/busy_state.h"
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
  if (building_) return BuildPiece();
  if (writing_ || !idle_.Due(now, busy_.Busy())) return;
  // With SaveHistoryOnExit off the history is not written at all; the change
  // counts as dealt with.
  if (!settings_.SaveHistoryOnExit()) return idle_.Finished(true, now);
  writingRevision_ = seenRevision_;
  if (!builder_.Start(store_)) return idle_.Finished(RefuseHistorySave(saver_, SaveMoment::kRunning), now);
  building_ = true;
  BuildPiece();
}

// A change while the bytes are copied ends the copy: the change has started
// the wait anew, and the save after it will hold it.
void HistoryIdleSave::BuildPiece() {
  switch (builder_.Step(store_, kHistoryPieceBytes)) {
    case HistoryDataBuilder::Progress::kMore: return;
    case HistoryDataBuilder::Progress::kStale: building_ = false; return;
    case HistoryDataBuilder::Progress::kDone: break;
  }
  building_ = false;
  writing_ = true;
  worker_.Submit(saver_, builder_.Take(), SaveMoment::kRunning, [this](bool saved) { Saved(saved); });
  if (besideSave_) besideSave_(SaveMoment::kRunning);
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

void HistoryIdleSave::SaveAtExit(const std::function<void()>& betweenPieces) {
  building_ = false;
  HistoryDataBuilder builder;
  if (!builder.Start(store_)) {
    RefuseHistorySave(saver_, SaveMoment::kExit);
    return;
  }
  // A copy recorded between pieces starts the copy again; after a few such,
  // the rest is copied in one go.
  constexpr int kFreshStarts = 3;
  for (int starts = 1;;) {
    const std::size_t piece = starts < kFreshStarts ? kHistoryPieceBytes : std::string::npos;
    const HistoryDataBuilder::Progress progress = builder.Step(store_, piece);
    if (progress == HistoryDataBuilder::Progress::kDone) break;
    if (progress == HistoryDataBuilder::Progress::kStale) {
      ++starts;
      if (!builder.Start(store_)) return (void)RefuseHistorySave(saver_, SaveMoment::kExit);
      continue;
    }
    betweenPieces();
  }
  worker_.Submit(saver_, builder.Take(), SaveMoment::kExit);
  if (besideSave_) besideSave_(SaveMoment::kExit);
}

}  // namespace ambrel::app
