// Helpers of the pop-up and paste tests: settings written into the parameter
// file before a start, keys held down across a menu choice, and wordpad as a
// second paste target.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ambrel/ambrel_run.h"
#include "app/param_record.h"
#include "harness/process.h"

namespace ambrel::e2e {

// Starts Ambrel once so it writes its default parameter file, quits it,
// lets `change` edit the record and starts it again on the changed file.
bool StartWithSettings(AmbrelRun& run, const std::function<void(app::TParamRecord&)>& change);
// The same for a run that is going: quits it, changes the file, starts again.
bool RestartWithSettings(AmbrelRun& run, const std::function<void(app::TParamRecord&)>& change);

// A key held down (real input) for the life of the object.
class HeldKey {
 public:
  explicit HeldKey(WORD virtualKey);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  WORD key_;
};

// Moves the mouse pointer by real input (absolute, on the primary screen).
void MoveMouseTo(POINT at);

// Keys shown as held in another thread's keyboard state (the state GetKeyState
// reads), through a shared input state, for the life of the object.
class HeldKeysIn {
 public:
  HeldKeysIn(HWND window, std::initializer_list<WORD> keys);
  ~HeldKeysIn();
  HeldKeysIn(const HeldKeysIn&) = delete;
  HeldKeysIn& operator=(const HeldKeysIn&) = delete;
  bool Attached() const { return attached_; }

 private:
  DWORD thread_ = 0;
  bool attached_ = false;
  BYTE saved_[256] = {};
};

// Posts the keys to a menu window's thread, one after the other (its queue
// keeps their order; the caller waits for what they lead to).
void PostMenuKeys(HWND menu, std::initializer_list<WORD> keys);

class Wordpad {
 public:
  bool Start(unsigned timeoutMs = 20000);
  void Close();
  HWND Window() const { return window_; }
  HWND Edit() const { return edit_; }
  std::string Text() const;

 private:
  Process process_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

}  // namespace ambrel::e2e
