// The history file "Ambrel.hst": every clip of the store and the twelve menu
// slots. Layout: the clips in reverse page order, each a slot byte, the text
// and 0x00; the end marker 0xFF; twelve 784-byte slot records. The same
// routines serve the editor's read-all and save-all commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "app/copy_capture.h"
#include "help_contexts.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/data_file_saver.h"
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
// The writer's bounds: the history keeps at most 30 clips, each of the ten
// user menus at most 30, and no copy over kMaxClipBytes is recorded. Those
// clips fill at most about 1.3 GiB; the rest of kMaxHistoryFileBytes is room
// for static clips, whose number has no limit. The loader reads every file up
// to that size, and a save that would write a larger one fails and leaves
// the previous file in place, so that every file the program writes is one
// it reads back.
inline constexpr std::size_t kMaxDynamicClips = 30 + 10 * 30;
inline constexpr std::uint64_t kMaxHistoryFileBytes = 2ull << 30;
static_assert(kMaxDynamicClips * (kMaxClipBytes + 2) + 1 + kSlotRecordsSize <
              kMaxHistoryFileBytes / 3 * 2);

// The file's bytes for the store as it stands.
std::string BuildHistoryData(const clipstore::TClipBase& store);

// Makes the same bytes a piece at a time, so that the UI thread, which owns
// the store, stays free between pieces while a large store is copied for
// the save worker. The pieces make one snapshot as long as the store's
// revision does not move; once it has, Step answers kStale and the bytes
// are to be thrown away.
class HistoryDataBuilder {
 public:
  enum class Progress { kMore, kDone, kStale };
  // Starts anew; false when the file would be over the loader's limit (a
  // save refuses it, see RefuseHistorySave).
  bool Start(const clipstore::TClipBase& store);
  // Copies up to about maxBytes of clip text.
  Progress Step(const clipstore::TClipBase& store, std::size_t maxBytes);
  // The bytes, once Step has answered kDone.
  std::string Take() { return std::move(out_); }

 private:
  static constexpr std::size_t kNotMeasured = static_cast<std::size_t>(-1);
  Progress Finish(const clipstore::TClipBase& store);

  std::string out_;
  std::uint64_t revision_ = 0;
  int page_ = -1;                     // the clip being copied, from the last page down
  std::size_t copied_ = 0;            // of its text
  std::size_t length_ = kNotMeasured;  // of its text up to any zero byte
};

// How much clip text the UI thread copies in one piece (a few milliseconds).
inline constexpr std::size_t kHistoryPieceBytes = 2u << 20;

// Replaces the store's clips and slots by the file's. False without any
// change when the file cannot be read; false after the damaged-file message,
// with the store reset to its default slots, when the file is damaged.
bool LoadHistory(clipstore::TClipBase& store, Files& files, MessageBoxes& messages,
                 std::string_view path);
// The same for the editor's read-all, which reads into a store aside and
// says itself that the file cannot be read: false, without a message and
// without the default slots, when the file cannot be read or is damaged.
bool ReadHistoryFile(clipstore::TClipBase& store, Files& files, std::string_view path);

// True when written completely; on failure the previous file stays in place
// and nothing is shown (the callers decide).
bool SaveHistory(const clipstore::TClipBase& store, Files& files, std::string_view path);
// The program's own save (idle and exit): where the saver says, and told
// through it when it fails or the file would be over the loader's limit.
bool SaveHistory(const clipstore::TClipBase& store, DataFileSaver& saver, SaveMoment moment);
// A save of a store whose file would be over the loader's limit: told
// through the saver as a failure with the reason; the old file stays.
bool RefuseHistorySave(DataFileSaver& saver, SaveMoment moment);

// What the user is told when the history cannot be saved.
inline constexpr SaveFailureNotice kHistorySaveFailed{"ヒストリファイルが保存出来ませんでした。",
                                                      kHelpHistoryNotSaved};

// Start-up: loads the saver's file. A missing file starts fresh with the
// first-run clips. A damaged one is first kept aside under a name of its own
// (saver.AsideName("damaged")), which the message names, so that the saves
// that follow never overwrite it. A file that is there but cannot be read,
// or a damaged one that cannot be moved aside, blocks the saver: the store
// starts empty and this session never writes over the file. programFolder is
// the program's folder (its first two characters are the drive used by the
// #Tree sample).
void StartHistory(clipstore::TClipBase& store, Files& files, MessageBoxes& messages,
                  Clipboard& clipboard, DataFileSaver& saver, std::string_view programFolder);

// The history file read and split into its clips, on any thread: what
// StartHistory then does on the UI thread is moving the texts into the
// store. (For the largest store, reading 61 MiB and copying the clips out of
// it took the UI thread 80-130 ms.)
struct HistoryData;
struct PreparedHistory {
  PreparedHistory();
  ~PreparedHistory();
  PreparedHistory(PreparedHistory&&) noexcept;
  PreparedHistory& operator=(PreparedHistory&&) noexcept;
  ReadStatus status = ReadStatus::kError;
  std::unique_ptr<HistoryData> data;  // null when the file is damaged
};
PreparedHistory PrepareHistory(FileContents file);
// PrepareHistory of the file, on a thread of its own, so that the start-up
// makes its windows meanwhile. files must allow that read beside the
// caller's own calls.
std::future<PreparedHistory> PrepareHistoryAhead(Files& files, std::string path);
// StartHistory with the file prepared already.
void StartHistory(clipstore::TClipBase& store, PreparedHistory file, Files& files, MessageBoxes& messages,
                  Clipboard& clipboard, DataFileSaver& saver, std::string_view programFolder);

// The four sample static clips, then the clipboard's text as a history clip
// (when TakeCopy takes it).
void AddFirstRunClips(clipstore::TClipBase& store, Clipboard& clipboard,
                      std::string_view programFolder);

// The first two characters of a path ("C:" for "C:\\Tools\\").
std::string DriveOf(std::string_view folder);

}  // namespace ambrel::app
