#include "regexp/awkstr.h"

#include "regexp/dfa.h"
#include "regexp/fuzzy_dic.h"
#include "regexp/parser.h"

namespace ambrel::regexp {

TRegularExpression::TRegularExpression() {
  cache_.push_back(Entry{std::string(), nullptr});
  current_ = 0;
  Compile(std::string());
}

TRegularExpression::~TRegularExpression() = default;

void TRegularExpression::SetRegExp(const std::string& text) {
  try {
    pre_.SetText(text);
    pre_.Run();
    const std::string key = pre_.Result();
    preprocessed_ = key;
    std::size_t found = cache_.size();
    for (std::size_t i = 0; i < cache_.size(); ++i)
      if (cache_[i].key == key) {
        found = i;
        break;
      }
    if (found < cache_.size()) {
      current_ = found;
    } else {
      if (cache_.size() >= kCacheCapacity) cache_.pop_back();
      cache_.insert(cache_.begin() + 1, Entry{key, nullptr});
      current_ = 1;
      Compile(key);
    }
    regexp_ = text;
  } catch (...) {
    current_ = 0;
    regexp_.clear();
    throw;
  }
}

void TRegularExpression::Compile(const std::string& key) {
  ++compiles_;
  try {
    TREParser parser(key);
    parser.Run();
    cache_[current_].dfa = std::make_unique<TRE_DFA>(parser.Tree());
  } catch (...) {
    if (current_ != 0) cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(current_));
    current_ = 0;
    throw;
  }
}

TAWKStr::TAWKStr() {
  PreProcessor().FuzzyCharDics.push_back(&FuzzyCharDic());
  anchors_ = false;
}

void TAWKStr::SetRegExp(const std::string& text) {
  TMatchCORE::SetRegExp(text);
  const TRE_DFA* dfa = CurrentDfa();
  anchors_ = dfa->HasLineHead() || dfa->HasLineTail();
}

void TAWKStr::SetUseFuzzyCharDic(bool on) {
  PreProcessor().UseFuzzyCharDic = on;
  SetRegExp(std::string(RegExp()));
}

void TAWKStr::SetUseSynonymDic(bool on) {
  PreProcessor().UseSynonymDic = on;
  SetRegExp(std::string(RegExp()));
}

int TAWKStr::Match(std::string_view text, int& start, int& length) {
  std::size_t s = 0, e = 0;
  if (!CurrentDfa()->Search(text, LineSeparator == mcls_LF, s, e)) {
    start = length = 0;
    return 0;
  }
  start = static_cast<int>(s) + 1;
  length = static_cast<int>(e - s);
  return start;
}

bool TryCompile(TAWKStr& reg, const std::string& pattern, RegExpError* error) {
  try {
    reg.SetRegExp(pattern);
    return true;
  } catch (const ERegExpParser& e) {
    if (error) *error = RegExpError{e.what(), e.ErrorPos};
  } catch (const std::exception& e) {
    if (error) *error = RegExpError{e.what(), 0};
  }
  return false;
}

}  // namespace ambrel::regexp
