// The extension rule of the program's open and save dialogs: a dialog asked
// for "HST" takes only *.hst files (in any letter case) and opens again
// after a message for any other; one asked for "TXT" takes every file.
#pragma once

#include <string>
#include <string_view>

namespace ambrel::editor {

// True when fileName may be taken for a dialog asked for extension (no dot).
bool ExtensionAccepted(std::string_view fileName, std::string_view extension);

// "<< *.EXT >> 以外の拡張子が指定されています。"
std::string WrongExtensionMessage(std::string_view extension);

}  // namespace ambrel::editor
