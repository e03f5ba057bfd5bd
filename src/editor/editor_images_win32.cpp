#include "editor/editor_images_win32.h"

#include <commctrl.h>

#include "editor/editor_image_ids.h"

namespace ambrel::win32 {
namespace {

struct Strip {
  int id;
  int size;
};

ImageListHandle LoadStrip(const Strip (&strips)[3], int size) {
  const Strip* chosen = &strips[2];
  for (const Strip& s : strips)
    if (s.size >= size) {
      chosen = &s;
      break;
    }
  // LoadImage stretches pixel by pixel: the magenta stays pure for the mask.
  GdiObject bitmap(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(chosen->id), IMAGE_BITMAP,
                              size * kEditorImageCount, size, LR_CREATEDIBSECTION));
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kEditorImageCount, 0));
  if (list && bitmap) ImageList_AddMasked(list.get(), static_cast<HBITMAP>(bitmap.get()), RGB(255, 0, 255));
  return list;
}

}  // namespace

ImageListHandle LoadToolImages(int size) {
  static const Strip strips[3] = {{IDB_TOOLS_20, 20}, {IDB_TOOLS_30, 30}, {IDB_TOOLS_40, 40}};
  return LoadStrip(strips, size);
}

ImageListHandle LoadTreeIcons(int size) {
  static const Strip strips[3] = {{IDB_TREE_16, 16}, {IDB_TREE_24, 24}, {IDB_TREE_32, 32}};
  return LoadStrip(strips, size);
}

}  // namespace ambrel::win32
