// The static-variable file "Ambrel.mta": the rows of the table, each caption
// and data ended by a zero byte, and one more zero byte at the end.
#pragma once

#include <cstdint>
#include <string_view>

#include "expand/meta_list.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace ambrel::expand {

inline constexpr std::string_view kMetaFileName = "Ambrel.mta";
// Larger files are treated as unreadable.
inline constexpr std::uint64_t kMaxMetaFileBytes = 64u << 20;

// Replaces the rows by the file's. A missing, unreadable or oversized file is
// not reported; whenever no row could be read the default rows are used.
void LoadMetaFile(MetaList& list, Files& files, std::string_view path);

// Writes the rows, replacing the file; on failure shows the error box and
// returns false, the previous file staying in place.
bool SaveMetaFile(const MetaList& list, Files& files, MessageBoxes& messages,
                  std::string_view path);

// Start-up: loads program folder + "Ambrel.mta" (metaPath).
void InitMeta(MetaList& list, Files& files, std::string_view metaPath);

}  // namespace ambrel::expand
