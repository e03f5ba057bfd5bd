#include "expand/func_list.h"

#include "platform/sjis.h"

namespace ambrel::expand {
namespace {

using sjis::AsciiUpper;

// Only ASCII letters fold: a double-byte character's second byte may be a
// letter, but both sides are compared byte for byte in the same positions.
bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace

const std::array<FuncInfo, kFuncCount>& FuncList() {
  static const std::array<FuncInfo, kFuncCount> table = {{
      {"$Year", "現在年"},
      {"$Month", "現在月"},
      {"$Date", "現在日"},
      {"$Hour", "現在時"},
      {"$Minute", "現在分"},
      {"$Second", "現在秒"},
      {"$CrntDir", "ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘ"},
      {"$ClipBoard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容"},
      {"$MetaChar", "ﾒﾀ文字自身($)"},
      {"#FileData", "ﾌｧｲﾙの内容"},
      {"#Env", "環境変数の内容"},
      {"#Input", "入力ﾃﾞｰﾀ"},
      {"#Edit", "編集ﾃﾞｰﾀ"},
      {"#Filer", "選択ﾌｧｲﾙ名"},
      {"#List", "選択ﾘｽﾄ項目"},
      {"#Tree", "選択ﾂﾘｰ項目"},
  }};
  return table;
}

std::optional<int> FindFunction(std::string_view data) {
  const auto& table = FuncList();
  for (int i = 0; i < kFuncCount; ++i)
    if (EqualsNoCase(table[static_cast<std::size_t>(i)].name, data)) return i;
  return std::nullopt;
}

}  // namespace ambrel::expand
