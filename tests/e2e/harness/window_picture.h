// A picture of a window as the screen shows it, for the pictures that tests
// write when asked (an environment variable names the folder).
#pragma once

#include <windows.h>

#include <string>

namespace ambrel::e2e {

// Writes the screen's pixels under window's rectangle into a 24-bit BMP file
// at path; false when the file cannot be written.
bool SaveWindowPicture(HWND window, const std::string& path);

// With AMBREL_PROPERTIES_SHOTS set to a folder: SaveWindowPicture into
// FOLDER\name.bmp; without it nothing.
void SaveWindowPictureIfAsked(HWND window, const std::string& name);

}  // namespace ambrel::e2e
