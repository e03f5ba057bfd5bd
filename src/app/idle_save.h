// When the history is saved between exits: once the store has been left
// alone for a while after a change, and never while a dialog is open, so
// that a crash or a power loss costs at most the last moments. The Win32
// glue feeds the events and runs the timer.
#pragma once

#include <cstdint>

namespace ambrel::app {

// Time from the last change to the save (the README states it).
inline constexpr std::uint32_t kIdleSaveDelayMs = 30000;
// How often the timer asks whether the save is due.
inline constexpr std::uint32_t kIdleSaveCheckMs = 1000;

class IdleSave {
 public:
  explicit IdleSave(std::uint32_t delayMs = kIdleSaveDelayMs) : delayMs_(delayMs) {}

  // The store changed at nowMs; the wait starts again.
  void Changed(std::uint64_t nowMs) {
    pending_ = true;
    lastChangeMs_ = nowMs;
  }
  // True when the save is to run now. The change counts as saved only once
  // Finished says so.
  bool Due(std::uint64_t nowMs, bool dialogOpen) const {
    return pending_ && !dialogOpen && nowMs - lastChangeMs_ >= delayMs_;
  }
  // The save that Due asked for ended at nowMs. A failed one stays pending
  // and is tried again a delay later (a full disk, a file held by another
  // program), so the changes are not left waiting for the next change.
  void Finished(bool saved, std::uint64_t nowMs) {
    if (saved) {
      pending_ = false;
    } else {
      lastChangeMs_ = nowMs;
    }
  }
  // A change is waiting for its save (the timer runs while this holds).
  bool Pending() const { return pending_; }
  std::uint32_t DelayMs() const { return delayMs_; }

 private:
  std::uint32_t delayMs_;
  std::uint64_t lastChangeMs_ = 0;
  bool pending_ = false;
};

}  // namespace ambrel::app
