// Sizes and fonts at a window's DPI. The program is per-monitor DPI aware
// (its manifest says so), so every length laid out in pixels is given for
// 96 DPI and scaled here to the DPI of the monitor the window stands on.
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

inline constexpr int kDesignDpi = 96;

// The window's DPI (GetDpiForWindow where the system has it), otherwise the
// screen's; a null window asks for the screen's.
int DpiForWindow(HWND hwnd);

// A length designed at 96 DPI, at `dpi`.
int ScaleForDpi(int length, int dpi);
inline int ScaleForWindow(HWND hwnd, int length) { return ScaleForDpi(length, DpiForWindow(hwnd)); }

// GetSystemMetrics at `dpi` (icon sizes, frame widths).
int SystemMetricForDpi(int index, int dpi);

// The desktop's UI font (the message-box font of the system) at `dpi`:
// the one font of windows and dialogs.
GdiObject CreateUiFont(int dpi);

// A font whose height is given in pixels at 96 DPI, at `dpi`.
GdiObject CreateScaledFont(const char* face, int height96, int weight, BYTE charset, int dpi);

// WM_DPICHANGED: moves and sizes the window to the rectangle the system
// suggests (lParam) and answers the DPI it now has (HIWORD of wParam).
int ApplyDpiChange(HWND hwnd, WPARAM wParam, LPARAM lParam);

}  // namespace ambrel::win32
