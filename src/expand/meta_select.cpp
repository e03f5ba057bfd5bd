#include "expand/meta_select.h"

#include "platform/sjis.h"

namespace ambrel::expand {

std::string NextChar(std::string_view current) {
  if (current.size() != 1) return "!";
  const char c = current[0];
  if (c == '_') return "{";
  if (c >= '~' || c < '!') return "!";
  return std::string(1, static_cast<char>(c + 1));
}

std::string PrevChar(std::string_view current) {
  if (current.size() != 1) return "~";
  const char c = current[0];
  if (c == '{') return "_";
  if (c <= '!' || c > '~') return "~";
  return std::string(1, static_cast<char>(c - 1));
}

std::optional<std::string> TypedMetaChar(char typed) {
  const auto byte = static_cast<unsigned char>(typed);
  if (byte <= ' ' || byte > '~') return std::nullopt;
  char c = typed;
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return std::string(1, c);
}

std::string FitMetaKey(std::string_view text, std::string_view before) {
  if (text.empty() || sjis::CharLength(text, 0) != text.size()) return {};
  if (static_cast<unsigned char>(text[0]) <= ' ') return std::string(before);
  return std::string(text);
}

}  // namespace ambrel::expand
