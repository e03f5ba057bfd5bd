#include "clipstore/caption.h"

#include <cstddef>
#include <utility>

namespace ambrel::clipstore {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::string_view kFivePoints = "．．．．．";

// Streams hand out bytes as 0..255 and kEnd after the last one.
constexpr int kEnd = -1;
constexpr int kNone = -2;  // no byte looked ahead yet

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

// A byte stream that hands out the text lazily, stage by stage, so that no
// stage reads further than the caption needs.
class Stream {
 public:
  virtual ~Stream() = default;
  virtual int Next() = 0;
};

class TextStream : public Stream {
 public:
  explicit TextStream(std::string_view text) : text_(text) {}
  int Next() override {
    if (pos_ >= text_.size()) return kEnd;
    return static_cast<unsigned char>(text_[pos_++]);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Wraps a stream with one byte of look-ahead and a queue of replacement bytes.
class Stage : public Stream {
 public:
  explicit Stage(Stream& in) : in_(in) {}

 protected:
  int Pull() {
    if (peeked_ != kNone) return std::exchange(peeked_, kNone);
    return in_.Next();
  }
  int Peek() {
    if (peeked_ == kNone) peeked_ = in_.Next();
    return peeked_;
  }
  int Emit(std::string_view s) {
    pending_ = s;
    return Drain();
  }
  int Drain() {
    if (pending_.empty()) return kEnd;
    const int c = static_cast<unsigned char>(pending_.front());
    pending_.remove_prefix(1);
    return c;
  }
  bool HasPending() const { return !pending_.empty(); }

 private:
  Stream& in_;
  int peeked_ = kNone;
  std::string_view pending_;
};

// Blanks: runs of blanks and tabs to one SpaceChar, or tabs to TabChar.
class BlankStage : public Stage {
 public:
  BlankStage(Stream& in, const CaptionSettings& s) : Stage(in), s_(s) {}
  int Next() override {
    for (;;) {
      if (HasPending()) return Drain();
      const int c = Pull();
      if (c == kEnd) return c;
      if (s_.changeSpace && IsBlank(c)) {
        while (IsBlank(Peek())) Pull();
        if (s_.spaceChar.empty()) continue;
        return Emit(s_.spaceChar);
      }
      if (!s_.changeSpace && c == '\t') {
        if (s_.tabChar.empty()) continue;
        return Emit(s_.tabChar);
      }
      return c;
    }
  }

 private:
  const CaptionSettings& s_;
};

// Every CR LF becomes CrChar; a lone CR or LF stays.
class LineBreakStage : public Stage {
 public:
  LineBreakStage(Stream& in, const std::string& crChar) : Stage(in), crChar_(crChar) {}
  int Next() override {
    for (;;) {
      if (HasPending()) return Drain();
      const int c = Pull();
      if (c != kCr || Peek() != kLf) return c;
      Pull();
      if (!crChar_.empty()) return Emit(crChar_);
    }
  }

 private:
  const std::string& crChar_;
};

// Ends the stream before its first CR LF.
class FirstLineStage : public Stage {
 public:
  explicit FirstLineStage(Stream& in) : Stage(in) {}
  int Next() override {
    if (done_) return kEnd;
    const int c = Pull();
    if (c == kCr && Peek() == kLf) {
      done_ = true;
      return kEnd;
    }
    return c;
  }

 private:
  bool done_ = false;
};

// Leading blank lines (every byte 32 or below, ended by CR LF) each become one
// CrChar; the rest of the text follows unchanged.
class LeadingBlankLinesStream : public Stream {
 public:
  LeadingBlankLinesStream(std::string_view text, const std::string& crChar)
      : crChar_(crChar) {
    std::size_t pos = 0;
    for (;;) {
      std::size_t i = pos;
      while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32 &&
             !(text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf))
        ++i;
      const bool blankLineWithBreak =
          i + 1 < text.size() && text[i] == kCr && text[i + 1] == kLf;
      if (!blankLineWithBreak) break;
      ++blankLines_;
      pos = i + 2;
    }
    rest_ = text.substr(pos);
  }
  int Next() override {
    while (blankLines_ > 0) {
      if (markPos_ < crChar_.size()) return static_cast<unsigned char>(crChar_[markPos_++]);
      markPos_ = 0;
      --blankLines_;
    }
    if (restPos_ >= rest_.size()) return kEnd;
    return static_cast<unsigned char>(rest_[restPos_++]);
  }

 private:
  const std::string& crChar_;
  std::size_t blankLines_ = 0;
  std::size_t markPos_ = 0;
  std::string_view rest_;
  std::size_t restPos_ = 0;
};

std::string DoubleAmpersands(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

// Takes menuLen bytes at most; a stream that reaches menuLen bytes gets the
// five points, whether or not more would follow.
std::string Shorten(Stream& stream, int menuLen) {
  const std::size_t limit = menuLen > 0 ? static_cast<std::size_t>(menuLen) : 0;
  std::string out;
  out.reserve(limit + kFivePoints.size());
  while (out.size() < limit) {
    const int c = stream.Next();
    if (c == kEnd) return out;
    out += static_cast<char>(c);
  }
  out += kFivePoints;
  return out;
}

}  // namespace

std::string MakeCaption(SlotId slot, std::string_view text, const CaptionSettings& settings) {
  if (slot.IsStatic() && settings.staticComment && !text.empty() && text.front() == ';') {
    std::string_view comment = text.substr(1);
    const std::size_t crlf = comment.find("\r\n");
    if (crlf != std::string_view::npos) comment = comment.substr(0, crlf);
    return DoubleAmpersands(comment);
  }
  if (settings.firstLine) {
    LeadingBlankLinesStream lines(text, settings.crChar);
    BlankStage blanks(lines, settings);
    FirstLineStage first(blanks);
    return DoubleAmpersands(Shorten(first, settings.menuLen));
  }
  TextStream source(text);
  BlankStage blanks(source, settings);
  LineBreakStage breaks(blanks, settings.crChar);
  return DoubleAmpersands(Shorten(breaks, settings.menuLen));
}

}  // namespace ambrel::clipstore
