#include "version/version.h"

#include <cctype>

namespace ambrel {

std::string TrayTipText() {
  std::string name = kProgramName;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name + " Ver " + AMBREL_VERSION_TEXT;
}

std::string AlreadyRunningMessage(const std::string& programFileName) {
  return programFileName + "はすでに実行されています。\r\n" +
         "タスクトレーアイコンをクリックして起動してください。";
}

}  // namespace ambrel
