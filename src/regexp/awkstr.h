// Ambrel's regular expressions over Shift-JIS (CP932) text -- the public
// interface.
//
//   ambrel::regexp::TAWKStr reg;            // LineSeparator = mcls_CRLF
//   ambrel::regexp::RegExpError err;
//   if (!ambrel::regexp::TryCompile(reg, pattern, &err)) {
//     // err.message (CP932 text), err.position (1-based byte in the
//     // pre-processed expression); reg.RegExp() is now empty.
//   }
//   int start = 0, length = 0;
//   if (reg.Match(text, start, length) > 0) {
//     // text.substr(start - 1, length): 1-based byte start, byte length;
//     // a match of length 0 is a match.
//   }
//
// Matching rule: the leftmost start at which any match exists, and the
// longest match there; `^` and `$` are anchors only at the very start / end
// of the expression (elsewhere they are literal), `^` matches at the start of
// the text or after LF, `$` before the separator chosen by LineSeparator (CR
// or LF) or at the end of the text. Matching is linear in the text length;
// compiling is bounded (the automaton is built lazily in a fixed budget).
// The text ends at its first zero byte; a lead byte at the very end is a
// one-byte character.
//
// SetRegExp throws ERegExpParser (see regexp/scanner.h) on a syntax error,
// as it always has; TryCompile is the non-throwing form for callers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regexp/scanner.h"

namespace ambrel::regexp {

class TRE_DFA;

enum TMatchCORE_LineSeparator : std::uint8_t { mcls_CRLF = 0, mcls_LF = 1 };

// Compiles expressions through a 30-entry cache keyed by the pre-processed
// text; entry 0 is the empty expression and is never evicted.
class TRegularExpression {
 public:
  static constexpr std::size_t kCacheCapacity = 30;

  TRegularExpression();
  virtual ~TRegularExpression();
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;

  // Compiles (or selects from the cache) the expression; throws ERegExpParser
  // (or std::exception for an internal fault) and leaves RegExp() empty.
  virtual void SetRegExp(const std::string& text);
  const std::string& RegExp() const { return regexp_; }
  virtual Code LineHeadChar() const { return kLineHeadChar; }
  virtual Code LineTailChar() const { return kLineTailChar; }

  // Cache inspection (tests and tools).
  std::size_t CacheSize() const { return cache_.size(); }
  const std::string& CacheKey(std::size_t i) const { return cache_[i].key; }
  std::size_t CurrentIndex() const { return current_; }
  std::size_t CompileCount() const { return compiles_; }
  // The pre-processed form of the expression last given to SetRegExp.
  const std::string& Preprocessed() const { return preprocessed_; }

 protected:
  virtual void Compile(const std::string& key);
  TRE_DFA* CurrentDfa() const { return cache_[current_].dfa.get(); }
  TREPreProcessor& PreProcessor() { return pre_; }
  const TREPreProcessor& PreProcessor() const { return pre_; }

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<TRE_DFA> dfa;
  };
  std::vector<Entry> cache_;
  std::size_t current_ = 0;
  TREPreProcessor pre_;
  std::string regexp_;
  std::string preprocessed_;
  std::size_t compiles_ = 0;
};

class TMatchCORE : public TRegularExpression {
 public:
  TMatchCORE_LineSeparator LineSeparator = mcls_CRLF;
};

class TAWKStr : public TMatchCORE {
 public:
  TAWKStr();
  void SetRegExp(const std::string& text) override;

  // 1-based byte position of the first match (also stored in start) and its
  // byte length; 0 with start = length = 0 when there is none.
  int Match(std::string_view text, int& start, int& length);

  bool UseFuzzyCharDic() const { return PreProcessor().UseFuzzyCharDic; }
  void SetUseFuzzyCharDic(bool on);
  bool UseSynonymDic() const { return PreProcessor().UseSynonymDic; }
  void SetUseSynonymDic(bool on);
  // Dictionaries searched when UseSynonymDic is set (the program has none).
  void AddSynonymDic(const TREDictionary* dic) { PreProcessor().SynonymDics.push_back(dic); }

  // True when the matcher in force is MatchWithAnchors (else MatchPlain).
  bool UsesAnchors() const { return anchors_; }

 private:
  bool anchors_ = false;
};

struct RegExpError {
  std::string message;        // CP932
  std::uint16_t position = 0;  // ErrorPos (0 for a non-syntax fault)
};

// SetRegExp without exceptions: true when compiled; otherwise fills *error
// (when given) and RegExp() is empty.
bool TryCompile(TAWKStr& reg, const std::string& pattern, RegExpError* error);

}  // namespace ambrel::regexp
