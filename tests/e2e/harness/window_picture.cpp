#include "harness/window_picture.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ambrel::e2e {

bool SaveWindowPicture(HWND window, const std::string& path) {
  UpdateWindow(window);
  RECT w{};
  GetWindowRect(window, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ was = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, w.left, w.top, SRCCOPY);
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  SelectObject(memory, was);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof info};
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                       std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return std::fclose(out) == 0 && written;
}

void SaveWindowPictureIfAsked(HWND window, const std::string& name) {
  if (const char* folder = std::getenv("AMBREL_PROPERTIES_SHOTS"))
    SaveWindowPicture(window, std::string(folder) + "\\" + name + ".bmp");
}

}  // namespace ambrel::e2e
