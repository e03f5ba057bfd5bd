#include "platform/dpi_win32.h"

#include <cstddef>
#include <cstring>

#include "platform/system_library_win32.h"

namespace ambrel::win32 {
namespace {

// The DPI functions came with Windows 10 (1607), after the headers' target
// (_WIN32_WINNT 0x0601), so they are looked up once at run time.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

struct DpiFunctions {
  GetDpiForWindowFn forWindow = nullptr;
  GetSystemMetricsForDpiFn metrics = nullptr;
  SystemParametersInfoForDpiFn parameters = nullptr;
};

const DpiFunctions& Functions() {
  static const DpiFunctions functions = [] {
    DpiFunctions f;
    if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
      f.forWindow = LibraryFunction<GetDpiForWindowFn>(user32, "GetDpiForWindow");
      f.metrics = LibraryFunction<GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi");
      f.parameters = LibraryFunction<SystemParametersInfoForDpiFn>(user32, "SystemParametersInfoForDpi");
    }
    return f;
  }();
  return functions;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int DpiForWindow(HWND hwnd) {
  if (hwnd && Functions().forWindow) {
    if (const UINT dpi = Functions().forWindow(hwnd)) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int ScaleForDpi(int length, int dpi) { return MulDiv(length, dpi, kDesignDpi); }

int SystemMetricForDpi(int index, int dpi) {
  if (Functions().metrics) return Functions().metrics(index, static_cast<UINT>(dpi));
  // Without the function the system's metrics are those of the screen's DPI.
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

GdiObject CreateUiFont(int dpi) {
  // The A structure: SystemParametersInfoForDpi fills the wide one, which
  // differs only in the face name; ask for it and convert the face.
  NONCLIENTMETRICSW wide{};
  wide.cbSize = sizeof wide;
  LOGFONTA font{};
  if (Functions().parameters &&
      Functions().parameters(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0, static_cast<UINT>(dpi))) {
    const LOGFONTW& w = wide.lfMessageFont;
    std::memcpy(&font, &w, offsetof(LOGFONTA, lfFaceName));
    WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr);
  } else {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      font = metrics.lfMessageFont;
      font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
    } else {
      GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
      font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
    }
  }
  return GdiObject(CreateFontIndirectA(&font));
}

GdiObject CreateScaledFont(const char* face, int height96, int weight, BYTE charset, int dpi) {
  return GdiObject(CreateFontA(ScaleForDpi(height96, dpi), 0, 0, 0, weight, 0, 0, 0, charset, 0, 0,
                               ANTIALIASED_QUALITY, 0, face));
}

int ApplyDpiChange(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const RECT& r = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return HIWORD(wParam);
}

}  // namespace ambrel::win32
