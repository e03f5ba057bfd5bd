// Paste-time expansion of a static clip: parenthesised groups first,
// innermost first, then every "$" + character through the static-variable
// list, which maps it to a built-in function or to a plain text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "expand/clip_expander.h"
#include "expand/func_list.h"
#include "expand/meta_list.h"
#include "expand/prompter.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace ambrel::expand {

// Everything the functions reach outside the text.
struct ExpandServices {
  const MetaList& meta;
  Clock& clock;
  Clipboard& clipboard;
  Environment& environment;
  FileSystem& fileSystem;
  Prompter& prompter;
  // A plain-text mapping selects its row in the static-variable window.
  std::function<void(int row)> selectRow;
};

// A function's output may reproduce a group with a meta character inside
// (a clipboard text "($b)" pasted through "X($b)"), and the group pass would
// then never end. These bound one expansion; reaching one cancels the paste.
// Groups that expand to their own content (their inner markers back as
// parentheses) count toward neither bound.
inline constexpr int kMaxGroupExpansions = 1000;
// Bytes of text the group pass may rewrite in all, so that a large clipboard
// text cannot make each of those steps slow.
inline constexpr std::uint64_t kMaxGroupWorkBytes = 256u << 20;
// Meta characters run in one expansion (functions and plain texts alike):
// outputs that come back in enclosing groups can double the runs per level
// while the text stays far below the byte bounds, and each run may read the
// clipboard or a file.
inline constexpr long kMaxFunctionRuns = 1L << 17;
// The largest expanded text.
inline constexpr std::size_t kMaxExpandedBytes = 64u << 20;
// "#FileData" gives an empty text for larger files, as for unreadable ones.
inline constexpr std::uint64_t kMaxFileDataBytes = 16u << 20;

// Expands text. goAhead is false when the user cancelled a dialog or the
// expansion passed one of the bounds above (then *boundReached is set).
ExpandResult ExpandText(std::string_view text, ExpandServices& services,
                        bool* boundReached = nullptr);

// What a meta character stands for: the function number, or -1 for the
// plain text of the row.
struct MetaHandler {
  int function = -1;
  int row = -1;
};

// The first row whose caption's second character equals c (ASCII letters
// without case) decides; nullopt when no row does.
std::optional<MetaHandler> LookupMeta(const MetaList& meta, char c);

struct ParsedArgument {
  std::string argument;
  std::size_t cursor;  // just after the closing ")", or unchanged
};

// The parenthesised argument at cursor, nested parentheses included; empty
// and the cursor unchanged when there is no "(" there or it never closes.
ParsedArgument ParseArgument(std::string_view text, std::size_t cursor);

// One run of a handler: the text, the cursor just after the meta character,
// the shared go-ahead flag, and the output it sets.
struct HandlerCall {
  std::string_view text;
  std::size_t cursor;
  bool& goAhead;
  std::string output;
};

using FuncHandler = void (*)(HandlerCall& call, ExpandServices& services);

// The handler of each FuncList row, by row index.
const std::array<FuncHandler, kFuncCount>& BindFunctions();

// Function 0's output: the year minus 1900 when above 1900.
std::string YearText(int year);

}  // namespace ambrel::expand
