// Where the program's windows stand: centred on the monitor concerned, or
// parked where no monitor shows them.
#pragma once

#include <windows.h>

#include "platform/geometry.h"

namespace ambrel::win32 {

// Centres a window over the active form, or over the work area of the
// monitor it belongs to when there is none or the active form is the
// resident window; kept inside that monitor's work area.
void CenterDialog(HWND form);
// The program's resident window, never a form to centre over.
void SetResidentWindow(HWND resident);

// The work area of the monitor that holds most of the window (or the nearest).
Rect WorkAreaOf(HWND window);

// Puts window on top beside other (BesideRect: on its right or left, with its
// top and height), inside the work area of other's monitor; swpFlags are
// SetWindowPos's (SWP_NOACTIVATE, say).
void PlaceBeside(HWND window, HWND other, UINT swpFlags);

// The place of a hidden window: outside the virtual screen.
Point ParkingPlace();
// Moves a window there, keeping its size and z-order.
void ParkWindow(HWND window);

}  // namespace ambrel::win32
