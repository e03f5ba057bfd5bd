// The sixteen built-in functions a static variable can name, in their fixed
// order: the row index is the function's number everywhere (the function
// lists of the static-variable window and the preview show this table).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace ambrel::expand {

inline constexpr int kFuncCount = 16;

enum FuncIndex : int {
  kFuncYear, kFuncMonth, kFuncDate, kFuncHour, kFuncMinute, kFuncSecond, kFuncCrntDir,
  kFuncClipBoard, kFuncMetaChar, kFuncFileData, kFuncEnv, kFuncInput, kFuncEdit, kFuncFiler,
  kFuncList, kFuncTree,
};

struct FuncInfo {
  std::string_view name;
  std::string_view description;
};

const std::array<FuncInfo, kFuncCount>& FuncList();

// The index of the function whose name equals data, ASCII letters compared
// without case over the whole text; the first in table order wins.
std::optional<int> FindFunction(std::string_view data);

}  // namespace ambrel::expand
