// The side file "Ambrel.hsu" beside the history file: the Unicode originals
// of the clips whose Shift-JIS text lost characters. The history file keeps
// its own format; a program that does not know this file ignores it.
//
// Layout (UTF-8, see platform/utf8.h):
//   "AmbrelOriginals 1\r\n"
//   per original: "<slot> <position> <hash> <length>\r\n" <length bytes> "\r\n"
// slot is the clip's slot number (0 the history, 2..11 the user menus),
// position its place among that slot's clips (0 the top one), hash the
// FNV-1a 64 of its Shift-JIS text as 16 lowercase hex digits, length the
// byte length of the original's UTF-8.
//
// An original goes back to the clip at its slot and position when that
// clip's text has the hash; any other entry is dropped. A damaged or missing
// file gives no originals at all and never touches a clip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "help_contexts.h"
#include "platform/data_file_saver.h"
#include "platform/files.h"
#include "platform/save_worker.h"

namespace ambrel::clipstore {
class TClipBase;
}

namespace ambrel::app {

inline constexpr std::string_view kOriginalsFileName = "Ambrel.hsu";
// The reader's bound; a save that would write more is refused.
inline constexpr std::uint64_t kMaxOriginalsFileBytes = 2ull << 30;

// The side file that goes with a history file: its ".hst" replaced by
// ".hsu", or ".hsu" added to a name without that extension.
std::string OriginalsPathBeside(std::string_view historyPath);

std::uint64_t TextHash(std::string_view text);

// The file's bytes for the store's originals.
std::string BuildOriginalsData(const clipstore::TClipBase& store);

// Gives the store's clips the originals that match; the number given, 0 for
// a damaged file.
int ApplyOriginalsData(clipstore::TClipBase& store, std::string_view bytes);

// Reads the file at path (after the history was loaded) and applies it.
int LoadOriginals(clipstore::TClipBase& store, Files& files, std::string_view path);

// Save all: true when written; a store without originals writes no new file.
bool SaveOriginals(const clipstore::TClipBase& store, Files& files, std::string_view path);
// The program's own save, beside each save of the history: the bytes are
// handed to the worker right after the history's. Nothing is written while
// the history's saver leaves an unread history file alone, since this file
// belongs to that one.
void SubmitOriginals(const clipstore::TClipBase& store, Files& files, DataFileSaver& saver,
                     const DataFileSaver& history, SaveWorker& worker, SaveMoment moment);

inline constexpr SaveFailureNotice kOriginalsSaveFailed{
    "Shift-JIS にない文字を含む元のテキストのファイルが保存出来ませんでした。", kHelpHistoryNotSaved};

}  // namespace ambrel::app
