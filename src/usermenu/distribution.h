// Distribution of copied texts into the user menus: each user menu's
// matching string is matched against every text that the history records,
// and the part it matches becomes the newest clip of that menu.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "regexp/awkstr.h"

namespace ambrel {
class MessageBoxes;
}
namespace ambrel::clipstore {
class TClipBase;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::usermenu {

inline constexpr const char* kBadPatternMessage = "照合文字列の指定に誤りがあります。";

class Distributor {
 public:
  Distributor(clipstore::TClipBase& store, const options::Settings& settings,
              MessageBoxes& messages);

  // Compiles text into Reg; a faulty expression is reported with the error
  // box and leaves CurrentExpression empty. True when it compiled.
  bool CompileExpression(const std::string& text);
  const std::string& CurrentExpression() const { return reg_.RegExp(); }
  // 1-based position of the match in the first line (the whole text with
  // FullMatching), 0 for none; start and length are set on a match.
  int MatchClip(std::string_view text, int& start, int& length);
  // Posts the matching parts of a text just recorded in the history.
  void DistributeClip(std::string_view text);

 private:
  using ReportedSlots = std::array<std::optional<std::string>, 12>;  // one per menu slot
  bool CompileQuietly(const std::string& pattern);

  clipstore::TClipBase& store_;
  const options::Settings& settings_;
  MessageBoxes& messages_;
  regexp::TAWKStr reg_;
  // Each slot's faulty pattern already reported: a broken pattern gets one
  // error box, not one per copy. A pattern that compiles, or another broken
  // one, replaces the entry, so a broken pattern that comes back is
  // reported again.
  ReportedSlots reported_{};
  // A copy that arrives while an error box of a distribution is open is
  // recorded but not distributed, so boxes never stack up.
  bool distributing_ = false;
};

}  // namespace ambrel::usermenu
