#include "regexp/scanner.h"

#include "platform/sjis.h"

namespace ambrel::regexp {

namespace msg {
const char* const kBadDbcs = "\x95s\x90\xB3\x82\xC8\x82Q\x83o\x83\x43\x83g\x95\xB6\x8E\x9A\x83R\x81[\x83h\x82\xC5\x82\xB7\x81\x42";  // 不正な２バイト文字コードです。
const char* const kBackslashEnd = "\x22\x5C\x22\x82\xCC\x8E\x9F\x82\xC9\x82\xCD\x95\xB6\x8E\x9A\x82\xAA\x95K\x97v\x82\xC5\x82\xB7\x81\x42";  // "\"の次には文字が必要です。
const char* const kBadHex = "\x95s\x90\xB3\x82\xC8\x82P\x82U\x90i\x90\x94\x83R\x81[\x83h\x95\x5C\x8BL\x82\xC5\x82\xB7\x81\x42";  // 不正な１６進数コード表記です。
const char* const kBadOctal = "\x95s\x90\xB3\x82\xC8\x82W\x90i\x90\x94\x83R\x81[\x83h\x95\x5C\x8BL\x82\xC5\x82\xB7\x81\x42";  // 不正な８進数コード表記です。
const char* const kNeedRBracket = "\x89\x45\x83u\x83\x89\x83P\x83\x62\x83g\x22]\x22\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";  // 右ブラケット"]"が必要です
const char* const kBadRange = "\x95s\x90\xB3\x82\xC8\x83L\x83\x83\x83\x89\x83N\x83^\x94\xCD\x88\xCD\x82\xC5\x82\xB7";  // 不正なキャラクタ範囲です
const char* const kExtraChars = "\x90\xB3\x8BK\x95\x5C\x8C\xBB\x82\xC9\x97]\x95\xAA\x82\xC8\x95\xB6\x8E\x9A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7";  // 正規表現に余分な文字があります
const char* const kNeedRPar = "\x89\x45(\x95\xC2\x82\xB6)\x8A\x87\x8C\xCA\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";  // 右(閉じ)括弧が必要です
const char* const kNeedOperand = "\x95\x81\x92\xCA\x82\xCC\x95\xB6\x8E\x9A\x81\x41\x82\xDC\x82\xBD\x82\xCD\x8D\xB6\x8A\x87\x8C\xCA\x22(\x22\x82\xAA\x95K\x97v\x82\xC5\x82\xB7";  // 普通の文字、または左括弧"("が必要です
const char* const kBadClass = "\x95s\x90\xB3\x82\xC8\x83L\x83\x83\x83\x89\x83N\x83^\x83N\x83\x89\x83X\x8Ew\x92\xE8\x82\xC5\x82\xB7\x81\x42";  // 不正なキャラクタクラス指定です。
const char* const kReservedCode = "\x8Eg\x97p\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x83R\x81[\x83h\x82\xC5\x82\xB7\x81\x42";  // 使用できない文字コードです。
const char* const kTreeFatal = "TREParseTree : \x92v\x96\xBD\x93I\x83G\x83\x89\x81[";  // TREParseTree : 致命的エラー
const char* const kNfaFatal = "This cannot happen in TRE_NFA.GenerateStateList";  // This cannot happen in TRE_NFA.GenerateStateList
}  // namespace msg

namespace {
bool IsLead(std::string_view text, std::int32_t pos1) {
  return sjis::IsLeadByte(static_cast<unsigned char>(text[static_cast<std::size_t>(pos1 - 1)]));
}
int HexDigit(Code c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
constexpr char kMetaChars[] = "^(|)+*?.[]$\\";
bool IsMeta(Code c) {
  for (const char* p = kMetaChars; *p; ++p)
    if (c == static_cast<unsigned char>(*p)) return true;
  return false;
}
}  // namespace

Code GetChar(std::string_view text, std::int32_t& position) {
  const auto len = static_cast<std::int32_t>(text.size());
  if (position < 1 || position > len) return 0;
  const auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)]);
  if (sjis::IsLeadByte(b)) {
    if (position == len) throw ERegExpParser(msg::kBadDbcs, static_cast<std::uint16_t>(position));
    const auto t = static_cast<unsigned char>(text[static_cast<std::size_t>(position)]);
    position += 2;
    return static_cast<Code>(b * 256 + t);
  }
  position += 1;
  return b;
}

void UngetChar(std::string_view text, std::int32_t& position) {
  if (position <= 1) return;
  if (position == 2) {
    position = 1;
    return;
  }
  const std::int32_t q = position - 1;  // last byte of the previous character
  std::int32_t k = q - 1;               // walk back over lead-byte candidates
  while (k > 1 && IsLead(text, k)) --k;  // the first byte is never tested
  position -= ((q - k) % 2 == 0) ? 2 : 1;
}

std::string QuoteMetaChars(std::string_view text) {
  std::string out;
  std::int32_t pos = 1;
  for (;;) {
    const std::int32_t before = pos;
    const Code c = GetChar(text, pos);
    if (pos == before) break;  // end of text
    if (c < 256 && IsMeta(c)) out.push_back('\\');
    out.append(text.substr(static_cast<std::size_t>(before - 1), static_cast<std::size_t>(pos - before)));
  }
  return out;
}

// ---------------------------------------------------------------- scanner

TREScanner::TREScanner(std::string text) : text_(std::move(text)) {}

void TREScanner::SetText(std::string text) {
  text_ = std::move(text);
  position_ = 1;
  // A new text has no class opener yet (after an error inside a class the
  // old mode must not leak into the next expression).
  class_mode_ = false;
}

void TREScanner::Error(const char* message) const {
  throw ERegExpParser(message, static_cast<std::uint16_t>(position_));
}

TREToken TREScanner::GetToken() {
  if (class_mode_) {
    token_ = GetTokenInClass();
    if (token_ == tkRBracket) class_mode_ = false;
  } else {
    token_ = GetTokenStd();
    if (token_ == tkLBracket || token_ == tkLBracketNeg) class_mode_ = true;
  }
  return token_;
}

Code TREScanner::ReadEscape() {
  const Code c = Read();
  switch (c) {
    case 0: Error(msg::kBackslashEnd);
    case 'b': return 8;
    case 'r': return 13;
    case 'n': return 10;
    case 't': return 9;
    case 'x': return ReadHex();
    default:
      if (c >= '0' && c <= '7') {
        Unread();
        return ReadOctal();
      }
      return c;
  }
}

Code TREScanner::ReadHex() {
  std::uint32_t value = 0;
  int digits = 0;
  Code c;
  for (;;) {
    c = Read();
    const int d = HexDigit(c);
    if (d < 0 || digits >= 4) break;
    value = value * 16 + static_cast<std::uint32_t>(d);
    ++digits;
  }
  if (c != 0) Unread();
  if (digits == 0) Error(msg::kBadHex);
  return static_cast<Code>(value);
}

Code TREScanner::ReadOctal() {
  std::uint32_t value = 0;
  int digits = 0;
  Code c;
  for (;;) {
    c = Read();
    if (c < '0' || c > '7' || digits >= 6) break;
    const std::uint32_t v = value * 8 + (c - '0');
    if (v > 0xFFFF) Error(msg::kBadOctal);
    value = v;
    ++digits;
  }
  if (c != 0) Unread();
  if (digits == 0) Error(msg::kBadOctal);
  return static_cast<Code>(value);
}

TREToken TREScanner::GetTokenStd() {
  const Code c = Read();
  Symbol = c;
  switch (c) {
    case 0: return tkEnd;
    case '$': return tkLTail;
    case '(': return tkLPar;
    case ')': return tkRPar;
    case '*': return tkStar;
    case '+': return tkPlus;
    case '.': return tkDot;
    case '?': return tkQuestion;
    case '|': return tkUnion;
    case ']': return tkRBracket;
    case '[': {
      const Code d = Read();
      if (d == 0) Error(msg::kNeedRBracket);
      if (d == '^') return tkLBracketNeg;
      Unread();
      return tkLBracket;
    }
    case '\\': Symbol = ReadEscape(); return tkChar;
    case '^': return tkLHead;
    default: return tkChar;
  }
}

TREToken TREScanner::GetTokenInClass() {
  Code c = Read();
  Symbol = c;
  if (c == 0) Error(msg::kNeedRBracket);
  if (c == ']') return tkRBracket;
  if (c == '\\') c = ReadEscape();
  Symbol = c;
  const Code d = Read();
  if (d != '-') {
    if (d == 0) Error(msg::kNeedRBracket);
    Unread();
    return tkChar;
  }
  Code e = Read();
  if (e == 0) Error(msg::kNeedRBracket);
  if (e == ']') {
    Unread();
    Unread();
    return tkChar;
  }
  if (e == '\\') e = ReadEscape();
  if (e < c) Error(msg::kBadRange);
  Symbol2 = e;
  return tkCharRange;
}

// ---------------------------------------------------------- pre-processor

TREPreProcessor::TREPreProcessor(std::string text) : scanner_(std::move(text)) {}

void TREPreProcessor::SetText(std::string text) { scanner_.SetText(std::move(text)); }

void TREPreProcessor::Run() {
  result_ = scanner_.Text();
  if (UseSynonymDic) {
    Pass(SynonymDics);
    scanner_.SetText(result_);
  }
  if (UseFuzzyCharDic) Pass(FuzzyCharDics);
}

std::string TREPreProcessor::Source(const TRETokenRecord& r) const {
  if (r.end <= r.start) return {};
  return scanner_.Text().substr(static_cast<std::size_t>(r.start - 1), static_cast<std::size_t>(r.end - r.start));
}

void TREPreProcessor::Pass(const std::vector<const TREDictionary*>& dics) {
  result_.clear();
  tokens_.clear();
  for (;;) {
    TRETokenRecord r;
    r.start = scanner_.Position();
    const TREToken t = scanner_.GetToken();
    if (t == tkEnd) break;
    r.kind = t;
    r.code = scanner_.Symbol;
    r.end = scanner_.Position();
    tokens_.push_back(r);
  }
  tokens_.push_back(TRETokenRecord{});
  bool in_class = false;
  std::size_t i = 0;
  while (i < tokens_.size()) {
    const TRETokenRecord& r = tokens_[i];
    if (r.kind == tkLBracket || r.kind == tkLBracketNeg) in_class = true;
    if (r.kind == tkRBracket) in_class = false;
    if (r.kind != tkChar || in_class) {
      result_ += Source(r);
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < tokens_.size() && tokens_[j].kind == tkChar) ++j;
    while (i < j) {
      const std::size_t n = Lookup(dics, i, j);
      if (n > 0) {
        result_ += replacement_;
        i += n;
      } else {
        result_ += Source(tokens_[i]);
        ++i;
      }
    }
  }
}

std::size_t TREPreProcessor::Lookup(const std::vector<const TREDictionary*>& dics, std::size_t i, std::size_t j) {
  for (const TREDictionary* dic : dics) {
    for (const auto& row : *dic) {
      for (const std::string& word : row) {
        if (word.empty()) continue;
        std::int32_t pos = 1;
        std::size_t k = i;
        bool ok = true;
        for (;;) {
          const std::int32_t before = pos;
          const Code c = GetChar(word, pos);
          if (pos == before) break;  // word used up
          if (k >= j || tokens_[k].code != c) {
            ok = false;
            break;
          }
          ++k;
        }
        if (!ok) continue;
        replacement_ = "(";
        for (std::size_t m = 0; m < row.size(); ++m) {
          if (m > 0) replacement_ += '|';
          replacement_ += QuoteMetaChars(row[m]);
        }
        replacement_ += ')';
        return k - i;
      }
    }
  }
  return 0;
}

}  // namespace ambrel::regexp
