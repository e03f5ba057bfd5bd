#include "platform/clipboard.h"

#include <cstring>

namespace ambrel {

BoundedText ReadBoundedText(const char* block, std::size_t blockSize, std::size_t limit) {
  // Another program may have put a block of any size there: a text over the
  // limit is neither read to its end nor copied.
  const std::size_t measured = strnlen(block, limit < blockSize ? limit + 1 : blockSize);
  if (measured > limit) return {{}, true, {}};
  return {std::string(block, measured), false, {}};
}

std::optional<std::size_t> BoundedUnicodeLength(const char16_t* block, std::size_t blockUnits,
                                                std::size_t limit) {
  const std::size_t bound = 2 * (limit + 1);
  const std::size_t scan = blockUnits < bound ? blockUnits : bound;
  std::size_t length = 0;
  while (length < scan && block[length] != u'\0') ++length;
  if (length >= bound) return std::nullopt;
  return length;
}

}  // namespace ambrel
