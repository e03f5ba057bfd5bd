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

// The rows are written as CP932 bytes so that they do not depend on the
// compiler's execution character set (～ － ’ ” ￣ are 0x8160 0x817C 0x8166
// 0x8168 0x8150, the codes the dictionary has always used).

// Rows 26..144 as stored (rows 0..25 follow the letter rule).
constexpr std::array<const char*, 119> kRows26 = {
    "0,\x82O,\x97\xEB",  // 0,０,零
    "1,\x82P,\x88\xEA,\x87@,\x87T,\x88\xEB",  // 1,１,一,①,Ⅰ,壱
    "2,\x82Q,\x93\xF1,\x87\x41,\x87U,\x93\xF3",  // 2,２,二,②,Ⅱ,弐
    "3,\x82R,\x8EO,\x87\x42,\x87V,\x8EQ",  // 3,３,三,③,Ⅲ,参
    "4,\x82S,\x8El,\x87\x43,\x87W",  // 4,４,四,④,Ⅳ
    "5,\x82T,\x8C\xDC,\x87\x44,\x87X,\x8C\xDE",  // 5,５,五,⑤,Ⅴ,伍
    "6,\x82U,\x98Z,\x87\x45,\x87Y",  // 6,６,六,⑥,Ⅵ
    "7,\x82V,\x8E\xB5,\x87\x46,\x87Z",  // 7,７,七,⑦,Ⅶ
    "8,\x82W,\x94\xAA,\x87G,\x87[",  // 8,８,八,⑧,Ⅷ
    "9,\x82X,\x8B\xE3,\x87H,\x87\x5C",  // 9,９,九,⑨,Ⅸ
    "\x22\x81@\x22,\x22 \x22",  // "　"," "  36: full-width space, ASCII space
    "!,\x81I",  // !,！
    "\x22\x22\x22\x22,\x81h",  // """",”
    "#,\x81\x94",  // #,＃
    "$,\x81\x90",  // $,＄
    "%,\x81\x93",  // %,％
    "&,\x81\x95",  // &,＆
    "',\x81\x66",  // ',’
    "(,\x81i",  // (,（
    "),\x81j",  // ),）
    "*,\x81\x96",  // *,＊
    "+,\x81{",  // +,＋
    "\x81[,\x81`,\xB0,",  // ー,～,ｰ,  48 (stored with a comma at the end)
    "-,\x81[,\x81|,\x81`,\xB0",  // -,ー,－,～,ｰ
    "\xA5,\x81\x45",  // ･,・
    "/,\x81^",  // /,／
    ":,\x81\x46",  // :,：
    ";,\x81G",  // ;,；
    "<,\x81\x83",  // <,＜
    "=,\x81\x81",  // =,＝
    ">,\x81\x84",  // >,＞
    "?,\x81H",  // ?,？
    "@,\x81\x97",  // @,＠
    "[,\x81m,\x81k",  // [,［,〔
    "\x5C,\x81\x8F",  // \,￥  60: backslash, full-width yen
    "],\x81n,\x81l",  // ],］,〕
    "^,\x81O",  // ^,＾
    "_,\x81Q",  // _,＿
    "{,\x81o",  // {,｛
    "|,\x81\x62",  // |,｜
    "},\x81p",  // },｝
    "~,\x81P",  // ~,￣
    "\x22,\x22,\xA4,\x81\x41,\x81\x43",  // ",",､,、,，  68
    "\xA1,.,\x81\x42,\x81\x44",  // ｡,.,。,．
    "\x81u,\x81w,\xA2",  // 「,『,｢
    "\x81v,\x81x,\xA3",  // 」,』,｣
    "\x82\xF1,\x83\x93,\xDD",  // ん,ン,ﾝ
    "\x82\xAA,\x83K,\xB6\xDE,\x82\xA9\x81J,\x83J\x81J",  // が,ガ,ｶﾞ,か゛,カ゛
    "\x82\xAC,\x83M,\xB7\xDE,\x82\xAB\x81J,\x83L\x81J",  // ぎ,ギ,ｷﾞ,き゛,キ゛
    "\x82\xAE,\x83O,\xB8\xDE,\x82\xAD\x81J,\x83N\x81J",  // ぐ,グ,ｸﾞ,く゛,ク゛
    "\x82\xB0,\x83Q,\xB9\xDE,\x82\xAF\x81J,\x83P\x81J",  // げ,ゲ,ｹﾞ,け゛,ケ゛
    "\x82\xB2,\x83S,\xBA\xDE,\x82\xB1\x81J,\x83R\x81J",  // ご,ゴ,ｺﾞ,こ゛,コ゛
    "\x82\xB4,\x83U,\xBB\xDE,\x82\xB3\x81J,\x83T\x81J",  // ざ,ザ,ｻﾞ,さ゛,サ゛
    "\x82\xB6,\x83W,\xBC\xDE,\x82\xB5\x81J,\x83V\x81J,\x82\xC0,\x83\x61,\xC1\xDE,\x82\xBF\x81J,\x83`\x81J",  // じ,ジ,ｼﾞ,し゛,シ゛,ぢ,ヂ,ﾁﾞ,ち゛,チ゛
    "\x82\xB8,\x83Y,\xBD\xDE,\x82\xB7\x81J,\x83X\x81J,\x82\xC3,\x83\x64,\xC2\xDE,\x82\xC2\x81J,\x83\x63\x81J",  // ず,ズ,ｽﾞ,す゛,ス゛,づ,ヅ,ﾂﾞ,つ゛,ツ゛
    "\x82\xBA,\x83[,\xBE\xDE,\x82\xB9\x81J,\x83Z\x81J",  // ぜ,ゼ,ｾﾞ,せ゛,セ゛
    "\x82\xBC,\x83],\xBF\xDE,\x82\xBB\x81J,\x83\x5C\x81J",  // ぞ,ゾ,ｿﾞ,そ゛,ソ゛
    "\x82\xBE,\x83_,\xC0\xDE,\x82\xBD\x81J,\x83^\x81J",  // だ,ダ,ﾀﾞ,た゛,タ゛
    "\x82\xC5,\x83\x66,\xC3\xDE,\x82\xC4\x81J,\x83\x65\x81J",  // で,デ,ﾃﾞ,て゛,テ゛
    "\x82\xC7,\x83h,\xC4\xDE,\x82\xC6\x81J,\x83g\x81J",  // ど,ド,ﾄﾞ,と゛,ト゛
    "\x82\xCE,\x83o,\xCA\xDE,\x82\xCD\x81J,\x83n\x81J,\x83\x94\x83@,\x82\xA4\x81J\x82\x9F,\x83\x45\x81J\x83@,\xB3\xDE\xA7",  // ば,バ,ﾊﾞ,は゛,ハ゛,ヴァ,う゛ぁ,ウ゛ァ,ｳﾞｧ
    "\x82\xD1,\x83r,\xCB\xDE,\x82\xD0\x81J,\x83q\x81J,\x83\x94\x83\x42,\x82\xA4\x81J\x82\xA1,\x83\x45\x81J\x83\x42,\xB3\xDE\xA8",  // び,ビ,ﾋﾞ,ひ゛,ヒ゛,ヴィ,う゛ぃ,ウ゛ィ,ｳﾞｨ
    "\x82\xD4,\x83u,\xCC\xDE,\x82\xD3\x81J,\x83t\x81J,\x83\x94,\x83\x45\x81J,\x82\xA4\x81J,\xB3\xDE",  // ぶ,ブ,ﾌﾞ,ふ゛,フ゛,ヴ,ウ゛,う゛,ｳﾞ
    "\x82\xD7,\x83x,\xCD\xDE,\x82\xD6\x81J,\x83w\x81J,\x83\x94\x83\x46,\x82\xA4\x81J\x82\xA5,\x83\x45\x81J\x83\x46,\xB3\xDE\xAA",  // べ,ベ,ﾍﾞ,へ゛,ヘ゛,ヴェ,う゛ぇ,ウ゛ェ,ｳﾞｪ
    "\x82\xDA,\x83{,\xCE\xDE,\x82\xD9\x81J,\x83z\x81J,\x83\x94\x83H,\x82\xA4\x81J\x82\xA7,\x83\x45\x81J\x83H,\xB3\xDE\xAB",  // ぼ,ボ,ﾎﾞ,ほ゛,ホ゛,ヴォ,う゛ぉ,ウ゛ォ,ｳﾞｫ
    "\x82\xCF,\x83p,\xCA\xDF,\x82\xCD\x81K,\x83n\x81K",  // ぱ,パ,ﾊﾟ,は゜,ハ゜
    "\x82\xD2,\x83s,\xCB\xDF,\x82\xD0\x81K,\x83q\x81K",  // ぴ,ピ,ﾋﾟ,ひ゜,ヒ゜
    "\x82\xD5,\x83v,\xCC\xDF,\x82\xD3\x81K,\x83t\x81K",  // ぷ,プ,ﾌﾟ,ふ゜,フ゜
    "\x82\xD8,\x83y,\xCD\xDF,\x82\xD6\x81K,\x83w\x81K",  // ぺ,ペ,ﾍﾟ,へ゜,ヘ゜
    "\x82\xDB,\x83|,\xCE\xDF,\x82\xD9\x81K,\x83z\x81K",  // ぽ,ポ,ﾎﾟ,ほ゜,ホ゜
    "\x82\xA0,\x83\x41,\xB1,\x82\x9F,\x83@,\xA7",  // あ,ア,ｱ,ぁ,ァ,ｧ
    "\x82\xA2,\x83\x43,\xB2,\x82\xA1,\x83\x42,\xA8",  // い,イ,ｲ,ぃ,ィ,ｨ
    "\x82\xA4,\x83\x45,\xB3,\x82\xA3,\x83\x44,\xA9",  // う,ウ,ｳ,ぅ,ゥ,ｩ
    "\x82\xA6,\x83G,\xB4,\x82\xA5,\x83\x46,\xAA",  // え,エ,ｴ,ぇ,ェ,ｪ
    "\x82\xA8,\x83I,\xB5,\x82\xA7,\x83H,\xAB",  // お,オ,ｵ,ぉ,ォ,ｫ
    "\x82\xA9,\x83J,\xB6",  // か,カ,ｶ
    "\x82\xAB,\x83L,\xB7",  // き,キ,ｷ
    "\x82\xAD,\x83N,\xB8",  // く,ク,ｸ
    "\x82\xAF,\x83P,\xB9",  // け,ケ,ｹ
    "\x82\xB1,\x83R,\xBA",  // こ,コ,ｺ
    "\x82\xB3,\x83T,\xBB",  // さ,サ,ｻ
    "\x82\xB5,\x83V,\xBC",  // し,シ,ｼ
    "\x82\xB7,\x83X,\xBD",  // す,ス,ｽ
    "\x82\xB9,\x83Z,\xBE",  // せ,セ,ｾ
    "\x82\xBB,\x83\x5C,\xBF",  // そ,ソ,ｿ
    "\x82\xBD,\x83^,\xC0",  // た,タ,ﾀ
    "\x82\xBF,\x83`,\xC1",  // ち,チ,ﾁ
    "\x82\xC2,\x83\x63,\xC2,\x82\xC1,\x83\x62,\xAF",  // つ,ツ,ﾂ,っ,ッ,ｯ
    "\x82\xC4,\x83\x65,\xC3",  // て,テ,ﾃ
    "\x82\xC6,\x83g,\xC4",  // と,ト,ﾄ
    "\x82\xC8,\x83i,\xC5",  // な,ナ,ﾅ
    "\x82\xC9,\x83j,\xC6",  // に,ニ,ﾆ
    "\x82\xCA,\x83k,\xC7",  // ぬ,ヌ,ﾇ
    "\x82\xCB,\x83l,\xC8",  // ね,ネ,ﾈ
    "\x82\xCC,\x83m,\xC9",  // の,ノ,ﾉ
    "\x82\xCD,\x83n,\xCA",  // は,ハ,ﾊ
    "\x82\xD0,\x83q,\xCB",  // ひ,ヒ,ﾋ
    "\x82\xD3,\x83t,\xCC",  // ふ,フ,ﾌ
    "\x82\xD6,\x83w,\xCD",  // へ,ヘ,ﾍ
    "\x82\xD9,\x83z,\xCE",  // ほ,ホ,ﾎ
    "\x82\xDC,\x83},\xCF",  // ま,マ,ﾏ
    "\x82\xDD,\x83~,\xD0",  // み,ミ,ﾐ
    "\x82\xDE,\x83\x80,\xD1",  // む,ム,ﾑ
    "\x82\xDF,\x83\x81,\xD2",  // め,メ,ﾒ
    "\x82\xE0,\x83\x82,\xD3",  // も,モ,ﾓ
    "\x82\xE2,\x83\x84,\xD4,\x82\xE1,\x83\x83,\xAC",  // や,ヤ,ﾔ,ゃ,ャ,ｬ
    "\x82\xE4,\x83\x86,\xD5,\x82\xE3,\x83\x85,\xAD",  // ゆ,ユ,ﾕ,ゅ,ュ,ｭ
    "\x82\xE6,\x83\x88,\xD6,\x82\xE5,\x83\x87,\xAE",  // よ,ヨ,ﾖ,ょ,ョ,ｮ
    "\x82\xE7,\x83\x89,\xD7",  // ら,ラ,ﾗ
    "\x82\xE8,\x83\x8A,\xD8",  // り,リ,ﾘ
    "\x82\xE9,\x83\x8B,\xD9",  // る,ル,ﾙ
    "\x82\xEA,\x83\x8C,\xDA",  // れ,レ,ﾚ
    "\x82\xEB,\x83\x8D,\xDB",  // ろ,ロ,ﾛ
    "\x82\xED,\x83\x8F,\xDC,\x82\xA4\x82\x9F,\x83\x45\x83@,\xB3\xA7",  // わ,ワ,ﾜ,うぁ,ウァ,ｳｧ
    "\x83\x90,\x82\xEE,\x82\xA4\x82\xA1,\x83\x45\x83\x42,\xB3\xA8",  // ヰ,ゐ,うぃ,ウィ,ｳｨ
    "\x83\x91,\x82\xEF,\x82\xA4\x82\xA5,\x83\x45\x83\x46,\xB3\xAA",  // ヱ,ゑ,うぇ,ウェ,ｳｪ
    "\x82\xF0,\x83\x92,\xA6,\x82\xA4\x82\xA7,\x83\x45\x83H,\xB3\xAB",  // を,ヲ,ｦ,うぉ,ウォ,ｳｫ
    "\xDE,\x81J",  // ﾞ,゛
    "\xDF,\x81K",  // ﾟ,゜
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
