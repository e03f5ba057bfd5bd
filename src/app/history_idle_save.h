// The idle save of the history as the running program does it: every change
// of the store counts (a recorded copy, an edit in the editor, a clip moved
// or deleted: the store's revision tells them all), IdleSave decides when
// the save is due, and under SaveHistoryOnExit the history's bytes go to the
// save worker, which writes them off the UI thread. The bytes are copied on
// the UI thread a few MiB per tick of the resident window's timer (which
// asks Check, and CheckIntervalMs how soon again), so no tick takes long
// even with the largest store. Check also hears the worker's outcomes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "app/history_file.h"
#include "app/idle_save.h"
#include "platform/data_file_saver.h"

namespace ambrel {
class BusyState;
class DataFileSaver;
class SaveWorker;
}  // namespace ambrel
namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::app {

class HistoryIdleSave {
 public:
  // Milliseconds of a steady clock (the system's tick count).
  using Ticks = std::function<std::uint64_t()>;

  HistoryIdleSave(const clipstore::TClipBase& store, const options::Settings& settings,
                  const BusyState& busy, DataFileSaver& saver, SaveWorker& worker, Ticks ticks,
                  std::uint32_t delayMs = kIdleSaveDelayMs)
      : store_(store), settings_(settings), busy_(busy), saver_(saver), worker_(worker),
        ticks_(std::move(ticks)), idle_(delayMs) {}

  // What is saved beside each save of the history (its side file): called
  // when the history's bytes have been handed to the worker.
  void SetBesideSave(std::function<void(SaveMoment)> save) { besideSave_ = std::move(save); }
  // At the end of start-up: the store as it stands was just read from the
  // file, so only later changes wait for a save.
  void Start();
  // Asked every CheckIntervalMs() from Start on: hears finished saves,
  // notes a change and hands a save over when IdleSave says so (one at a
  // time).
  void Check();
  std::uint32_t CheckIntervalMs() const {
    return building_ ? kPieceIntervalMs : std::min(kIdleSaveCheckMs, idle_.DelayMs());
  }
  // The save at exit, handed to the worker: the bytes are copied piece by
  // piece as well, betweenPieces letting the windows paint in between.
  void SaveAtExit(const std::function<void()>& betweenPieces);

 private:
  const clipstore::TClipBase& store_;
  const options::Settings& settings_;
  const BusyState& busy_;
  static constexpr std::uint32_t kPieceIntervalMs = 10;
  void BuildPiece();
  void Saved(bool saved);

  DataFileSaver& saver_;
  SaveWorker& worker_;
  Ticks ticks_;
  IdleSave idle_;
  std::uint64_t seenRevision_ = 0;     // the store's revision at the last check
  std::uint64_t writingRevision_ = 0;  // the revision of the save being built or written
  HistoryDataBuilder builder_;
  bool building_ = false;
  bool writing_ = false;
  std::function<void(SaveMoment)> besideSave_;
};

}  // namespace ambrel::app
