// What the tray clicks, the hot key, the clip menu and the data menu ask
// before they act: whether a dialog of the program is open or start-up is
// unfinished.
#pragma once

namespace ambrel {

class BusyState {
 public:
  virtual ~BusyState() = default;
  // A dialog or message box of the program is open, or start-up is unfinished.
  virtual bool Busy() const = 0;
  virtual bool StartupFinished() const = 0;
};

}  // namespace ambrel
