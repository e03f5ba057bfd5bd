// The static-variable file "Ambrel.mta": the rows of the table, each caption
// and data ended by a zero byte, and one more zero byte at the end.
#pragma once

#include <cstdint>
#include <string_view>

#include "expand/meta_list.h"
#include "help_contexts.h"
#include "platform/data_file_saver.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/save_worker.h"

namespace ambrel::expand {

inline constexpr std::string_view kMetaFileName = "Ambrel.mta";
// The loader's bounds: a larger file, or one with more than kMaxMetaRows
// rows, is not read. The writer refuses what would cross either, so every
// file the program writes is one it reads back. The smallest row is a
// one-byte caption and two zero bytes: a file at the row limit stays within
// the size limit, so the row limit is the one that such files meet.
inline constexpr std::uint64_t kMaxMetaFileBytes = 64u << 20;
inline constexpr std::size_t kSmallestMetaRowBytes = 3;
static_assert(kMaxMetaRows * kSmallestMetaRowBytes + 1 <= kMaxMetaFileBytes);

// What the user is told when the file cannot be saved.
inline constexpr SaveFailureNotice kMetaSaveFailed{"静的変数リストが保存出来ませんでした", kHelpStaticVariablesNotSaved};

enum class MetaFileRead { kRead, kMissing, kUnreadable, kDamaged };

// Replaces the rows by the file's, without a message. Whenever no row could
// be read (a missing, unreadable or damaged file among them) the default
// rows are used. Damaged: over the size or the row limit.
MetaFileRead LoadMetaFile(MetaList& list, Files& files, std::string_view path);

// Writes the rows where the saver says; a table the loader would not read
// back is refused. On failure the saver tells the user and the previous file
// stays in place.
bool SaveMetaFile(const MetaList& list, DataFileSaver& saver, SaveMoment moment);
// The same, written by the worker (at exit, beside the history's save).
void SubmitMetaFile(const MetaList& list, DataFileSaver& saver, SaveWorker& worker, SaveMoment moment);

// Start-up: loads the saver's file. A damaged file is kept aside as
// path + ".damaged-<date>-<time>" (the message names it); one that is there
// but cannot be read, or cannot be moved aside, blocks the saver, so the
// defaults never replace it.
void InitMeta(MetaList& list, Files& files, MessageBoxes& messages, DataFileSaver& saver);

}  // namespace ambrel::expand
