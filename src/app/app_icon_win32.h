#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

// The program's icon (resource IDI_PROGRAM) at the requested size in pixels;
// the system picks the nearest of the icon's images and scales it.
IconHandle LoadAppIcon(int size);

// Paints the start-up logo into rc.
void PaintLogo(HDC dc, const RECT& rc);

}  // namespace ambrel::win32
