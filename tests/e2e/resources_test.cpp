// The resources linked into the binaries, checked as the shell and the
// version tab of a file's properties read them; and the editor following a
// change of DPI (a move to another monitor).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "ambrel/ambrel_run.h"
#include "app/resource.h"
#include "harness/paths.h"
#include "harness/remote_controls.h"
#include "harness/wait.h"
#include "harness/window_query.h"
#include "version/version_number.h"

namespace ambrel::e2e {
namespace {

#pragma pack(push, 2)
struct IconDirEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconDir {
  WORD reserved, type, count;
  IconDirEntry entries[1];
};
#pragma pack(pop)

std::string VersionText(const std::string& file, const char* key, VS_FIXEDFILEINFO* fixed) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return "(no version information)";
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return "(unreadable)";
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof *fixed)
    *fixed = *static_cast<VS_FIXEDFILEINFO*>(value);
  const std::string path = std::string("\\StringFileInfo\\041103A4\\") + key;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) return "(no " + path + ")";
  return static_cast<const char*>(value);
}

TEST(Resources, BothBinariesCarryTheVersionOfTheTrayTip) {
  for (const char* name : {"Ambrel.exe", "Tesk.dll", "Ambrel32.exe", "Tesk32.dll"}) {
    VS_FIXEDFILEINFO fixed{};
    EXPECT_EQ(VersionText(BesideExe(name), "FileVersion", &fixed), AMBREL_VERSION_TEXT) << name;
    EXPECT_EQ(VersionText(BesideExe(name), "OriginalFilename", &fixed), name);
    EXPECT_EQ(fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(AMBREL_VERSION_MINOR, AMBREL_VERSION_MAJOR)))
        << name;
  }
}

TEST(Resources, TheProgramCarriesItsIconAtEverySizeAndItsManifest) {
  HMODULE exe = LoadLibraryExA(BesideExe("Ambrel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(IDI_PROGRAM), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr) << "no program icon";
  const auto* dir = static_cast<const IconDir*>(LockResource(LoadResource(exe, group)));
  std::set<int> sizes;
  for (WORD i = 0; i < dir->count; ++i) sizes.insert(dir->entries[i].width ? dir->entries[i].width : 256);
  EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 48, 256}));

  HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(manifest, nullptr) << "no manifest";
  const std::string text(static_cast<const char*>(LockResource(LoadResource(exe, manifest))),
                         SizeofResource(exe, manifest));
  for (const char* part : {"Microsoft.Windows.Common-Controls", "PerMonitorV2", "true/pm",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "<activeCodePage",
                           "2019/WindowsSettings\">932</activeCodePage>"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  FreeLibrary(exe);
}

// What a move to a 144-DPI monitor sends: the editor takes the suggested
// rectangle and its tree grows its rows to the new font and pictures.
TEST(Dpi, TheEditorFollowsADpiChange) {
  AmbrelRun ambrel;
  ASSERT_TRUE(ambrel.Start());
  ambrel.PostTray(WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ambrel.Editor()) != 0; }, 5000));
  HWND tree = FindChild(ambrel.Editor(), "SysTreeView32");
  const LRESULT rowBefore = SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0);
  // The rectangle lives in the program's memory, as the system's would.
  const RECT suggested{40, 30, 40 + 960, 30 + 720};
  RemoteBuffer remote(ambrel.Editor(), sizeof suggested);
  ASSERT_TRUE(remote.Valid() && remote.Write(0, &suggested, sizeof suggested));
  SendMessageA(ambrel.Editor(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(remote.Address()));
  RECT now{};
  GetWindowRect(ambrel.Editor(), &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.right - now.left, 960);
  EXPECT_EQ(now.bottom - now.top, 720);
  EXPECT_GT(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0), rowBefore * 5 / 4);
}

}  // namespace
}  // namespace ambrel::e2e
