// The editor's pictures, kept as bitmap strips in the program's resources:
// the 12 tool-button images and the 12 tree icons (one per menu slot).
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

inline constexpr int kEditorImageCount = 12;
// The tool images' size at 96 DPI.
inline constexpr int kToolImageSize = 20;

// Image lists of `size`-pixel images, masked: from the strip drawn nearest
// above that size, stretched when none is drawn at it.
ImageListHandle LoadToolImages(int size);
ImageListHandle LoadTreeIcons(int size);

}  // namespace ambrel::win32
