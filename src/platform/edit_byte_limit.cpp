#include "platform/edit_byte_limit.h"

#include "platform/sjis.h"

namespace ambrel {

std::string_view FittingInsertion(std::string_view insertion, std::size_t textBytes,
                                  std::size_t selectedBytes, std::size_t maxBytes) {
  const std::size_t kept = textBytes > selectedBytes ? textBytes - selectedBytes : 0;
  const std::size_t room = maxBytes > kept ? maxBytes - kept : 0;
  return insertion.substr(0, sjis::CharBoundaryAtOrBefore(insertion, room));
}

std::string_view PastedText(std::string_view clipboardText, bool multiLine) {
  // NUL, CR and LF are below 0x40: never the second byte of a character.
  std::string_view text = clipboardText.substr(0, clipboardText.find('\0'));
  if (!multiLine) text = text.substr(0, text.find_first_of("\r\n"));
  return text;
}

}  // namespace ambrel
