#include "platform/clipboard.h"

#include <cstring>

namespace ambrel {

BoundedText ReadBoundedText(const char* block, std::size_t blockSize, std::size_t limit) {
  // Another program may have put a block of any size there: a text over the
  // limit is neither read to its end nor copied.
  const std::size_t measured = strnlen(block, limit < blockSize ? limit + 1 : blockSize);
  if (measured > limit) return {{}, true};
  return {std::string(block, measured), false};
}

}  // namespace ambrel
