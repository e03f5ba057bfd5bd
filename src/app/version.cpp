#include "app/version.h"

#include <cctype>

namespace ambrel {

std::string TrayTipText() {
  std::string name = kProgramName;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const int v = kVersionNumber;
  return name + " Ver " + std::to_string(v / 100) + "." + std::to_string(v / 10 % 10) +
         std::to_string(v % 10);
}

std::string AlreadyRunningMessage(const std::string& programFileName) {
  return programFileName + "はすでに実行されています。\r\n" +
         "タスクトレーアイコンをクリックして起動してください。";
}

}  // namespace ambrel
