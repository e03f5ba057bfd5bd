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

long long TabbedWidth(std::string_view text, int tabWidth,
                      const std::function<long long(std::string_view)>& measure) {
  long long x = 0;
  for (;;) {
    // A tab (0x09) is never a trail byte, so a plain search stays on characters.
    const std::size_t tab = text.find('\t');
    x += measure(text.substr(0, tab));
    if (tab == std::string_view::npos) return x;
    if (tabWidth > 0) x = (x / tabWidth + 1) * tabWidth;
    text.remove_prefix(tab + 1);
  }
}

}  // namespace ambrel
