// The fuzzy-character dictionary (145 rows) and its comma texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "regexp/scanner.h"

namespace ambrel::regexp {

inline constexpr int kFuzzyCharDicRows = 145;

// Splits one comma text (quoted entries with doubled quotes; blanks and
// control characters before an entry are skipped; a trailing comma adds no
// entry).
std::vector<std::string> SplitCommaText(std::string_view text);

// The comma text of row i (0..144), CP932.
std::string FuzzyCharDicRowText(int row);

// The program's one fuzzy dictionary, built on first use and never changed.
const TREDictionary& FuzzyCharDic();

}  // namespace ambrel::regexp
