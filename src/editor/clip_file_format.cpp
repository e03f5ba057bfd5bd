#include "editor/clip_file_format.h"

#include <cstdio>

#include "platform/sjis.h"

namespace ambrel::editor {
namespace {

void AppendHexByte(std::string& out, unsigned char byte) {
  char hex[5];
  std::snprintf(hex, sizeof hex, "\\'%02x", byte);
  out += hex;
}

// Escapes text (a font name or the clip) for the body of the file.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = sjis::CharLength(text, pos);
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (length == 2 || byte > 0x7F) {
      for (std::size_t i = 0; i < length; ++i) AppendHexByte(out, static_cast<unsigned char>(text[pos + i]));
    } else if (byte == '\r' || byte == '\n') {
      out += "\\par\r\n";
      if (byte == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    } else if (byte == '\t') {
      out += "\\tab ";
    } else if (byte == '\\' || byte == '{' || byte == '}') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte < 0x20) {
      AppendHexByte(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
    pos += length;
  }
}

}  // namespace

std::string ClipRichText(std::string_view text, const ClipFileFont& font) {
  std::string out = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 ";
  AppendEscaped(out, font.face);
  out += ";}}\r\n\\uc1\\pard\\f0\\fs";
  // Half points of a 96-dpi pixel height.
  out += std::to_string((font.height < 0 ? -font.height : font.height) * 3 / 2);
  if (font.style & 1) out += "\\b";
  if (font.style & 2) out += "\\i";
  if (font.style & 4) out += "\\ul";
  if (font.style & 8) out += "\\strike";
  out += ' ';
  out.reserve(out.size() + text.size() * 2 + 3);
  AppendEscaped(out, text);
  out += "}\r\n";
  return out;
}

std::string ClipTextOfPlainFile(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      text += c;
      continue;
    }
    text += "\r\n";
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
  }
  return text;
}

}  // namespace ambrel::editor
