#include "platform/line_wrap.h"

#include "platform/sjis.h"

namespace ambrel {

std::vector<std::string_view> WrapLine(std::string_view line,
                                       const std::function<std::size_t(std::string_view)>& fitting) {
  std::vector<std::string_view> pieces;
  while (!line.empty()) {
    std::size_t end = sjis::CharBoundaryAtOrBefore(line, fitting(line));
    if (end == 0) end = sjis::CharLength(line, 0);
    pieces.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  if (pieces.empty()) pieces.push_back(line);
  return pieces;
}

}  // namespace ambrel
