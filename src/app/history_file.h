// The history file "Ambrel.hst": every clip of the store and the twelve menu
// slots. Layout: the clips in reverse page order, each a slot byte, the text
// and 0x00; the end marker 0xFF; twelve 784-byte slot records. The same
// routines serve the editor's read-all and save-all commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace ambrel::clipstore {
class TClipBase;
}

namespace ambrel::app {

inline constexpr std::string_view kHistoryFileName = "Ambrel.hst";
inline constexpr std::uint8_t kHistoryEndMarker = 0xFF;
inline constexpr std::size_t kSlotRecordSize = 784;
inline constexpr std::size_t kSlotRecordsSize = 12 * kSlotRecordSize;
// Larger files, or files listing more clips, are treated as damaged: no
// store the program writes comes near, and each clip added through the store
// costs time in proportion to the clips already held (4096 clips load in
// well under a second; 10000 would take seconds).
inline constexpr std::uint64_t kMaxHistoryFileBytes = 64u << 20;
inline constexpr std::size_t kMaxHistoryClips = 4096;

// The file's bytes for the store as it stands.
std::string BuildHistoryData(const clipstore::TClipBase& store);

// Replaces the store's clips and slots by the file's. False without any
// change when the file cannot be read; false after the damaged-file message,
// with the store reset to its default slots, when the file is damaged.
bool LoadHistory(clipstore::TClipBase& store, Files& files, MessageBoxes& messages,
                 std::string_view path);

// True when written completely; on failure the previous file stays in place
// and nothing is shown (the callers decide).
bool SaveHistory(const clipstore::TClipBase& store, Files& files, std::string_view path);

// Start-up: loads the history file; when that fails, adds the first-run
// clips. programFolder is the program's folder (its first two characters
// are the drive used by the #Tree sample).
void StartHistory(clipstore::TClipBase& store, Files& files, MessageBoxes& messages,
                  Clipboard& clipboard, std::string_view path, std::string_view programFolder);

// The four sample static clips, then the clipboard's text as a history clip.
void AddFirstRunClips(clipstore::TClipBase& store, Clipboard& clipboard,
                      std::string_view programFolder);

// The first two characters of a path ("C:" for "C:\\Tools\\").
std::string DriveOf(std::string_view folder);

}  // namespace ambrel::app
