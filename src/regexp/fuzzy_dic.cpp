#include "regexp/fuzzy_dic.h"

#include <array>

namespace ambrel::regexp {

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  const std::size_t n = text.size();
  for (;;) {
    while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    if (i >= n) break;
    std::string entry;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            entry.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        entry.push_back(text[i++]);
      }
      while (i < n && text[i] != ',') ++i;
    } else {
      while (i < n && text[i] != ',') entry.push_back(text[i++]);
    }
    out.push_back(std::move(entry));
    if (i >= n) break;
    ++i;  // the comma
  }
  return out;
}

namespace {

// Characters whose CP932 code is fixed by Part 5.4 independently of the
// Unicode mapping used by the compiler: ～ － ’ ” ￣.
#define WAVE "\x81\x60"
#define MINUS "\x81\x7C"
#define RSQUO "\x81\x66"
#define RDQUO "\x81\x68"
#define OVERLINE "\x81\x50"

// Rows 26..144 as stored (rows 0..25 follow the letter rule).
constexpr std::array<const char*, 119> kRows26 = {
    "0,０,零",
    "1,１,一,①,Ⅰ,壱",
    "2,２,二,②,Ⅱ,弐",
    "3,３,三,③,Ⅲ,参",
    "4,４,四,④,Ⅳ",
    "5,５,五,⑤,Ⅴ,伍",
    "6,６,六,⑥,Ⅵ",
    "7,７,七,⑦,Ⅶ",
    "8,８,八,⑧,Ⅷ",
    "9,９,九,⑨,Ⅸ",
    "\"\x81\x40\",\" \"",  // 36: full-width space, ASCII space
    "!,！",
    "\"\"\"\"," RDQUO,
    "#,＃",
    "$,＄",
    "%,％",
    "&,＆",
    "'," RSQUO,
    "(,（",
    "),）",
    "*,＊",
    "+,＋",
    "ー," WAVE ",ｰ,",  // 48 (stored with a comma at the end)
    "-,ー," MINUS "," WAVE ",ｰ",
    "･,・",
    "/,／",
    ":,：",
    ";,；",
    "<,＜",
    "=,＝",
    ">,＞",
    "?,？",
    "@,＠",
    "[,［,〔",
    "\\,\x81\x8F",  // 60: backslash, full-width yen
    "],］,〕",
    "^,＾",
    "_,＿",
    "{,｛",
    "|,｜",
    "},｝",
    "~," OVERLINE,
    "\",\",､,、,，",  // 68
    "｡,.,。,．",
    "「,『,｢",
    "」,』,｣",
    "ん,ン,ﾝ",
    "が,ガ,ｶﾞ,か゛,カ゛",
    "ぎ,ギ,ｷﾞ,き゛,キ゛",
    "ぐ,グ,ｸﾞ,く゛,ク゛",
    "げ,ゲ,ｹﾞ,け゛,ケ゛",
    "ご,ゴ,ｺﾞ,こ゛,コ゛",
    "ざ,ザ,ｻﾞ,さ゛,サ゛",
    "じ,ジ,ｼﾞ,し゛,シ゛,ぢ,ヂ,ﾁﾞ,ち゛,チ゛",
    "ず,ズ,ｽﾞ,す゛,ス゛,づ,ヅ,ﾂﾞ,つ゛,ツ゛",
    "ぜ,ゼ,ｾﾞ,せ゛,セ゛",
    "ぞ,ゾ,ｿﾞ,そ゛,ソ゛",
    "だ,ダ,ﾀﾞ,た゛,タ゛",
    "で,デ,ﾃﾞ,て゛,テ゛",
    "ど,ド,ﾄﾞ,と゛,ト゛",
    "ば,バ,ﾊﾞ,は゛,ハ゛,ヴァ,う゛ぁ,ウ゛ァ,ｳﾞｧ",
    "び,ビ,ﾋﾞ,ひ゛,ヒ゛,ヴィ,う゛ぃ,ウ゛ィ,ｳﾞｨ",
    "ぶ,ブ,ﾌﾞ,ふ゛,フ゛,ヴ,ウ゛,う゛,ｳﾞ",
    "べ,ベ,ﾍﾞ,へ゛,ヘ゛,ヴェ,う゛ぇ,ウ゛ェ,ｳﾞｪ",
    "ぼ,ボ,ﾎﾞ,ほ゛,ホ゛,ヴォ,う゛ぉ,ウ゛ォ,ｳﾞｫ",
    "ぱ,パ,ﾊﾟ,は゜,ハ゜",
    "ぴ,ピ,ﾋﾟ,ひ゜,ヒ゜",
    "ぷ,プ,ﾌﾟ,ふ゜,フ゜",
    "ぺ,ペ,ﾍﾟ,へ゜,ヘ゜",
    "ぽ,ポ,ﾎﾟ,ほ゜,ホ゜",
    "あ,ア,ｱ,ぁ,ァ,ｧ",
    "い,イ,ｲ,ぃ,ィ,ｨ",
    "う,ウ,ｳ,ぅ,ゥ,ｩ",
    "え,エ,ｴ,ぇ,ェ,ｪ",
    "お,オ,ｵ,ぉ,ォ,ｫ",
    "か,カ,ｶ",
    "き,キ,ｷ",
    "く,ク,ｸ",
    "け,ケ,ｹ",
    "こ,コ,ｺ",
    "さ,サ,ｻ",
    "し,シ,ｼ",
    "す,ス,ｽ",
    "せ,セ,ｾ",
    "そ,ソ,ｿ",
    "た,タ,ﾀ",
    "ち,チ,ﾁ",
    "つ,ツ,ﾂ,っ,ッ,ｯ",
    "て,テ,ﾃ",
    "と,ト,ﾄ",
    "な,ナ,ﾅ",
    "に,ニ,ﾆ",
    "ぬ,ヌ,ﾇ",
    "ね,ネ,ﾈ",
    "の,ノ,ﾉ",
    "は,ハ,ﾊ",
    "ひ,ヒ,ﾋ",
    "ふ,フ,ﾌ",
    "へ,ヘ,ﾍ",
    "ほ,ホ,ﾎ",
    "ま,マ,ﾏ",
    "み,ミ,ﾐ",
    "む,ム,ﾑ",
    "め,メ,ﾒ",
    "も,モ,ﾓ",
    "や,ヤ,ﾔ,ゃ,ャ,ｬ",
    "ゆ,ユ,ﾕ,ゅ,ュ,ｭ",
    "よ,ヨ,ﾖ,ょ,ョ,ｮ",
    "ら,ラ,ﾗ",
    "り,リ,ﾘ",
    "る,ル,ﾙ",
    "れ,レ,ﾚ",
    "ろ,ロ,ﾛ",
    "わ,ワ,ﾜ,うぁ,ウァ,ｳｧ",
    "ヰ,ゐ,うぃ,ウィ,ｳｨ",
    "ヱ,ゑ,うぇ,ウェ,ｳｪ",
    "を,ヲ,ｦ,うぉ,ウォ,ｳｫ",
    "ﾞ,゛",
    "ﾟ,゜",
};

}  // namespace

std::string FuzzyCharDicRowText(int row) {
  if (row < 0 || row >= kFuzzyCharDicRows) return {};
  if (row < 26) {
    std::string s;
    const int k = row;
    s += static_cast<char>(0x82);
    s += static_cast<char>(0x60 + k);  // full-width capital
    s += ',';
    s += static_cast<char>(0x82);
    s += static_cast<char>(0x81 + k);  // full-width small letter
    s += ',';
    s += static_cast<char>('A' + k);
    s += ',';
    s += static_cast<char>('a' + k);
    return s;
  }
  return kRows26[static_cast<std::size_t>(row - 26)];
}

const TREDictionary& FuzzyCharDic() {
  static const TREDictionary dic = [] {
    TREDictionary d;
    for (int i = 0; i < kFuzzyCharDicRows; ++i) d.push_back(SplitCommaText(FuzzyCharDicRowText(i)));
    return d;
  }();
  return dic;
}

}  // namespace ambrel::regexp
