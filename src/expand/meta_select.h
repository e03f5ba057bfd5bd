// The meta-character field of the static-variable editor: one printable
// ASCII character, upper case. Stepping cycles from "!" to "~" and skips "`"
// and the lower-case letters, which the field never holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ambrel::expand {

// Up: empty gives "!", "_" gives "{", "~" gives "!", any other the next code.
std::string NextChar(std::string_view current);
// Down: empty gives "~", "!" gives "~", "{" gives "_", any other the previous code.
std::string PrevChar(std::string_view current);

// The field's text after the key typed: the character in upper case, or
// nullopt when the key is refused (space, control and non-ASCII bytes).
std::optional<std::string> TypedMetaChar(char typed);

// The field's text after it changed as a whole (a paste, the dialog's
// start): one character, double-byte ones included, stays; a space or a
// control character is refused as a typed one is, leaving `before`; any
// other text that is not exactly one character is emptied.
std::string FitMetaKey(std::string_view text, std::string_view before = {});

}  // namespace ambrel::expand
