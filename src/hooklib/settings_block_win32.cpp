#include "hooklib/settings_block_win32.h"

#include <sddl.h>

#include <cstring>

namespace ambrel::hooklib {
namespace {

// The block's security: all access for the user this process runs as and for
// the system, none for anyone else. Without an explicit label the block gets
// this process's integrity level with no-write-up, so a sandboxed process of
// the same user may read the settings (all the hook needs) but not change them.
class BlockSecurity {
 public:
  BlockSecurity() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    union {
      TOKEN_USER user;
      BYTE bytes[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    } info{};
    DWORD size = 0;
    char* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, &info, sizeof info, &size) &&
        ConvertSidToStringSidA(info.user.User.Sid, &sid)) {
      char sddl[256];
      wsprintfA(sddl, "D:P(A;;GA;;;%s)(A;;GA;;;SY)", sid);
      ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor_, nullptr);
      LocalFree(sid);
    }
    CloseHandle(token);
  }
  ~BlockSecurity() {
    if (descriptor_) LocalFree(descriptor_);
  }
  BlockSecurity(const BlockSecurity&) = delete;
  BlockSecurity& operator=(const BlockSecurity&) = delete;
  // Null (the token's default, which is much the same) when it could not be made.
  SECURITY_ATTRIBUTES* Attributes() {
    if (!descriptor_) return nullptr;
    attributes_ = {sizeof attributes_, descriptor_, FALSE};
    return &attributes_;
  }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace

void ShowLibraryError(int number) noexcept {
  const char* text = number == 1   ? "メモリマップドファイルのマッピングエラーです＞0001"
                     : number == 2 ? "メモリマップドファイルのマッピングエラーです＞0002"
                                   : "メモリマップドファイルのマッピングエラーです＞0003";
  MessageBeep(MB_ICONEXCLAMATION);
  MessageBoxA(nullptr, text, "ERROR at TESK.DLL", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

bool SettingsBlock::OpenForWriting() noexcept {
  if (writable_) return true;
  Close();
  BlockSecurity security;
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE | SEC_COMMIT, 0,
                                sizeof(UnionData), kUnionDataName);
  if (!mapping_) {
    // Reported once: the block will not appear later in this process.
    if (!openReported_) ShowLibraryError(1);
    openReported_ = true;
    return false;
  }
  writable_ = true;
  // The Ctrl+V default goes only into a new block: a process opening it
  // later must not undo a Shift+Insert the program chose. No other process
  // holds a new block, so there is nobody to tell.
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    UnionData copy{};
    if (UnionData* view = Map(copy)) {
      SetPasteKeyFields(*view, 0);
      Publish(view, copy, false, 0);
    }
  }
  return true;
}

void SettingsBlock::Close() noexcept {
  if (mapping_) CloseHandle(mapping_);
  mapping_ = nullptr;
  writable_ = false;
}

UnionData* SettingsBlock::Map(UnionData& copy) noexcept {
  if (!writable_) return nullptr;
  auto* view = static_cast<UnionData*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(UnionData)));
  if (!view) {
    ShowLibraryError(2);
    return nullptr;
  }
  std::memcpy(&copy, view, sizeof copy);
  return view;
}

bool SettingsBlock::Publish(UnionData* view, UnionData& copy, bool broadcast,
                            UINT pasteMessage) noexcept {
  std::memcpy(&copy, view, sizeof copy);
  SanitizeSettings(copy);
  if (!UnmapViewOfFile(view)) {
    ShowLibraryError(3);
    return false;
  }
  if (broadcast && pasteMessage != 0) PostMessageA(HWND_BROADCAST, pasteMessage, 3, 0);
  return true;
}

bool SettingsBlock::Reload(UnionData& copy) noexcept {
  if (!mapping_) mapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, kUnionDataName);
  if (!mapping_) return false;
  const auto* view = static_cast<const UnionData*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, sizeof(UnionData)));
  if (!view) return false;
  std::memcpy(&copy, view, sizeof copy);
  UnmapViewOfFile(view);
  return true;
}

}  // namespace ambrel::hooklib
