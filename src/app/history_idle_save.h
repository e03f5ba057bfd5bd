// The idle save of the history as the running program does it: every change
// of the store counts (a recorded copy, an edit in the editor, a clip moved
// or deleted: the store's revision tells them all), IdleSave decides when
// the save is due, and the history's saver writes it under
// SaveHistoryOnExit. The resident window's timer asks Check.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "app/idle_save.h"

#include "platform/data_file_saver.h"

namespace ambrel {
class BusyState;
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
                  const BusyState& busy, DataFileSaver& saver, Ticks ticks,
                  std::uint32_t delayMs = kIdleSaveDelayMs)
      : store_(store), settings_(settings), busy_(busy), saver_(saver), ticks_(std::move(ticks)),
        idle_(delayMs) {}

  // What is saved beside each save of the history (its side files).
  void SetBesideSave(std::function<void(SaveMoment)> save) { besideSave_ = std::move(save); }
  // At the end of start-up: the store as it stands was just read from the
  // file, so only later changes wait for a save.
  void Start();
  // Asked every CheckIntervalMs() from Start on: notes a change and saves
  // when IdleSave says so.
  void Check();
  std::uint32_t CheckIntervalMs() const { return std::min(kIdleSaveCheckMs, idle_.DelayMs()); }

 private:
  const clipstore::TClipBase& store_;
  const options::Settings& settings_;
  const BusyState& busy_;
  DataFileSaver& saver_;
  Ticks ticks_;
  IdleSave idle_;
  std::function<void(SaveMoment)> besideSave_;
  std::uint64_t savedRevision_ = 0;
};

}  // namespace ambrel::app
