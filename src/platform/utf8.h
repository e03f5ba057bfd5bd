// UTF-8 for the files that keep Unicode text (the clips' originals). A lone
// surrogate, which a Unicode clipboard may hold, is written as its own three
// bytes and read back as it was, so that a text survives the file unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ambrel::utf8 {

std::string FromUtf16(std::u16string_view text);

// nullopt for bytes that FromUtf16 never writes (a bad sequence, an overlong
// form, a code point above U+10FFFF).
std::optional<std::u16string> ToUtf16(std::string_view bytes);

}  // namespace ambrel::utf8
