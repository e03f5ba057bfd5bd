#include "editor/file_dialogs.h"

#include "platform/sjis.h"

namespace ambrel::editor {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (sjis::AsciiUpper(a[i]) != sjis::AsciiUpper(b[i])) return false;
  return true;
}

// The extension of the name's last path part with its dot, "" when it has
// none. Walked by characters: the second byte of 表 is a backslash.
std::string_view ExtensionOf(std::string_view fileName) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t pos = 0; pos < fileName.size(); pos += sjis::CharLength(fileName, pos)) {
    const char c = fileName[pos];
    if (c == '.') dot = pos;
    else if ((c == '\\' || c == '/') && sjis::CharLength(fileName, pos) == 1) dot = std::string_view::npos;
  }
  return dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
}

}  // namespace

bool ExtensionAccepted(std::string_view fileName, std::string_view extension) {
  if (EqualIgnoringCase(extension, "txt")) return true;
  return EqualIgnoringCase(ExtensionOf(fileName), "." + std::string(extension));
}

std::string WrongExtensionMessage(std::string_view extension) {
  return "<< *." + std::string(extension) + " >> 以外の拡張子が指定されています。";
}

}  // namespace ambrel::editor
