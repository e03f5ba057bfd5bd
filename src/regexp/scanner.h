// Expression scanner and pre-processor.
//
// Shift-JIS (CP932) expressions are read character by character; a
// double-byte character is one 16-bit code everywhere after the scanner.
// Positions are 1-based byte indexes. Every syntax error is an
// ERegExpParser carrying the scanner position (ErrorPos).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ambrel::regexp {

using Code = std::uint16_t;

inline constexpr Code kLineHeadChar = 0xFFFD;  // the `^` anchor label
inline constexpr Code kLineTailChar = 0xFFFE;  // the `$` anchor label
inline constexpr Code kEmptyChar = 0xFFFF;     // epsilon label
inline constexpr Code kAnyCharLast = 0xFCFC;   // highest code of `.`

// The exception of every syntax error (message in CP932, ErrorPos 1-based).
class ERegExpParser : public std::runtime_error {
 public:
  ERegExpParser(const std::string& message, std::uint16_t error_pos)
      : std::runtime_error(message), ErrorPos(error_pos) {}
  std::uint16_t ErrorPos;
};

// Message texts (CP932 at run time).
namespace msg {
extern const char* const kBadDbcs;        // 不正な２バイト文字コードです。
extern const char* const kBackslashEnd;   // "\"の次には文字が必要です。
extern const char* const kBadHex;         // 不正な１６進数コード表記です。
extern const char* const kBadOctal;       // 不正な８進数コード表記です。
extern const char* const kNeedRBracket;   // 右ブラケット"]"が必要です
extern const char* const kBadRange;       // 不正なキャラクタ範囲です
extern const char* const kExtraChars;     // 正規表現に余分な文字があります
extern const char* const kNeedRPar;       // 右(閉じ)括弧が必要です
extern const char* const kNeedOperand;    // 普通の文字、または左括弧"("が必要です
extern const char* const kBadClass;       // 不正なキャラクタクラス指定です。
extern const char* const kReservedCode;   // 使用できない文字コードです。 (implementer's choice)
extern const char* const kTreeFatal;      // TREParseTree : 致命的エラー
extern const char* const kNfaFatal;       // This cannot happen in TRE_NFA.GenerateStateList
}  // namespace msg

enum TREToken : std::uint8_t {
  tkChar = 0,
  tkCharRange = 1,
  tkUnion = 2,
  tkLPar = 3,
  tkRPar = 4,
  tkStar = 5,
  tkPlus = 6,
  tkQuestion = 7,
  tkLBracket = 8,
  tkLBracketNeg = 9,
  tkRBracket = 10,
  tkDot = 11,
  tkLHead = 12,
  tkLTail = 13,
  tkEnd = 14,
};

// Code at the 1-based position, advancing it; 0 at the end or for a zero byte.
Code GetChar(std::string_view text, std::int32_t& position);
// Moves the position back over one character.
void UngetChar(std::string_view text, std::int32_t& position);
// The text with a backslash before each of the 12 metacharacters.
std::string QuoteMetaChars(std::string_view text);

class TREScanner {
 public:
  explicit TREScanner(std::string text = {});
  virtual ~TREScanner() = default;

  void SetText(std::string text);
  const std::string& Text() const { return text_; }
  std::int32_t Position() const { return position_; }
  TREToken Token() const { return token_; }
  TREToken GetToken();

  Code Symbol = 0;
  Code Symbol2 = 0;

 protected:
  virtual TREToken GetTokenStd();
  virtual TREToken GetTokenInClass();

 private:
  [[noreturn]] void Error(const char* message) const;
  Code Read() { return GetChar(text_, position_); }
  void Unread() { UngetChar(text_, position_); }
  Code ReadEscape();
  Code ReadHex();
  Code ReadOctal();

  std::string text_;
  std::int32_t position_ = 1;
  TREToken token_ = tkEnd;
  bool class_mode_ = false;
};

struct TRETokenRecord {
  std::uint8_t kind = tkEnd;
  Code code = 0;
  std::int32_t start = 0;
  std::int32_t end = 0;
};

// A dictionary: ordered rows of ordered alternatives (CP932 strings).
using TREDictionary = std::vector<std::vector<std::string>>;

class TREPreProcessor {
 public:
  explicit TREPreProcessor(std::string text = {});
  void SetText(std::string text);
  void Run();
  const std::string& Result() const { return result_; }

  std::vector<const TREDictionary*> SynonymDics;
  std::vector<const TREDictionary*> FuzzyCharDics;
  bool UseFuzzyCharDic = false;
  bool UseSynonymDic = false;

 private:
  void Pass(const std::vector<const TREDictionary*>& dics);
  // Length in records of the first dictionary word matching at i (0: none).
  std::size_t Lookup(const std::vector<const TREDictionary*>& dics, std::size_t i, std::size_t j);
  std::string Source(const TRETokenRecord& r) const;

  TREScanner scanner_;
  std::string result_;
  std::vector<TRETokenRecord> tokens_;
  std::string replacement_;
};

}  // namespace ambrel::regexp
