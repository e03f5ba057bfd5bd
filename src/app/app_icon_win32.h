#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

// The program's icon, drawn at the requested size (tray and windows).
IconHandle CreateAppIcon(int size);

// Paints the start-up logo into rc.
void PaintLogo(HDC dc, const RECT& rc);

}  // namespace ambrel::win32
