// Test helpers: run the engine on one (pattern, text) the way TAWKStr does,
// with a chosen cache budget and with or without the literal scans, in the
// reference's Result form.
#pragma once

#include <memory>
#include <string>

#include "regexp/dfa.h"
#include "regexp/fuzzy_dic.h"
#include "regexp/parser.h"
#include "regexp/reference.h"

namespace ambrel::regexp::testing {

class EngineRegExp {
 public:
  EngineRegExp(const std::string& pattern, bool fuzzy, std::size_t budget = TRE_DFA::kDefaultBudget,
               bool prefilter = true) {
    try {
      TREPreProcessor pre;
      pre.FuzzyCharDics.push_back(&FuzzyCharDic());
      pre.UseFuzzyCharDic = fuzzy;
      pre.SetText(pattern);
      pre.Run();
      TREParser parser(pre.Result());
      parser.Run();
      dfa_ = std::make_unique<TRE_DFA>(parser.Tree(), budget);
      dfa_->SetPrefilter(prefilter);
    } catch (const ERegExpParser& e) {
      error_ = true;
      message_ = e.what();
      pos_ = e.ErrorPos;
    }
  }
  bool error() const { return error_; }
  TRE_DFA* dfa() { return dfa_.get(); }
  reference::Result Match(const std::string& text, bool lf_mode) {
    reference::Result r;
    if (error_) {
      r.error = true;
      r.message = message_;
      r.error_pos = pos_;
      return r;
    }
    std::size_t s = 0, e = 0;
    if (dfa_->Search(text, lf_mode, s, e)) {
      r.start = static_cast<int>(s) + 1;
      r.length = static_cast<int>(e - s);
    }
    return r;
  }

 private:
  bool error_ = false;
  std::string message_;
  std::uint16_t pos_ = 0;
  std::unique_ptr<TRE_DFA> dfa_;
};

inline std::string Show(const reference::Result& r) {
  if (r.error) return "error " + std::to_string(r.error_pos);
  if (r.start == 0) return "nomatch";
  return "match " + std::to_string(r.start) + " " + std::to_string(r.length);
}

inline std::string Hex(const std::string& s) {
  static const char* d = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x21 && c < 0x7F && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\x";
      out.push_back(d[c >> 4]);
      out.push_back(d[c & 15]);
    }
  }
  return out;
}

}  // namespace ambrel::regexp::testing
