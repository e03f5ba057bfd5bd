// Benchmarks of the regular-expression engine (issue 3), against RE2 with
// longest_match and Latin-1 on the same texts, against memmem, and against
// the literal reference where its quadratic time allows. Ratios are printed
// after the run. Built in the Release tree:
//   cmake -S . -B /tmp/build-rx2-rel -DCMAKE_BUILD_TYPE=Release -DAMBREL_SANITIZE=OFF
//   cmake --build /tmp/build-rx2-rel --target regexp_bench && /tmp/build-rx2-rel/regexp_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "regexp/awkstr.h"
#include "regexp/dfa.h"
#include "regexp/fuzzy_dic.h"
#include "regexp/parser.h"
#include "regexp/reference.h"

#ifdef AMBREL_HAVE_RE2
#include <re2/re2.h>
#endif

using namespace ambrel::regexp;

namespace {

std::map<std::string, double> g_seconds;  // name -> seconds per iteration
std::map<std::string, std::string> g_notes;
std::map<std::string, std::size_t> g_counts;  // matches of the dense cases

// (No <chrono>: its µ literal cannot be converted to the CP932 execution charset.)
double Now() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);  // CPU time: robust on a shared machine
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
struct Timer {
  double t0 = Now();
  double Seconds() const { return Now() - t0; }
};

// The fastest of the runs (repetitions, and the library's own trial runs):
// the one least disturbed by the other work of a shared machine, for both
// engines alike.
void Record(const std::string& name, double total, benchmark::IterationCount iters) {
  const double seconds = total / static_cast<double>(iters);
  const auto [it, fresh] = g_seconds.emplace(name, seconds);
  if (!fresh) it->second = std::min(it->second, seconds);
}

const char* kJapaneseWords[] = {"東京", "大阪", "京都", "表示", "ソフト", "日本語", "文字", "今日は", "東", "京",
                                "都", "府", "県", "市", "の", "は", "を", "に", "表", "能力", "十分", "予定",
                                "ファイル", "会議", "東京都", "東京府", "、", "。", "ｶﾀｶﾅ"};

std::string MixedText(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  const char* ascii[] = {"the", "clip", "board", "history", "text", "copy", "paste", "menu", "user", "mail",
                         "address", "page", "www", "example", "data", "note", "2024", "a", "an", "of"};
  std::string s;
  s.reserve(size + 64);
  while (s.size() < size) {
    const unsigned r = rng() % 10;
    if (r < 6) s += ascii[rng() % 20];
    else s += kJapaneseWords[rng() % (sizeof(kJapaneseWords) / sizeof(*kJapaneseWords))];
    s += (rng() % 12 == 0) ? "\r\n" : " ";
  }
  s.resize(size);
  // A few addresses, all in the last tenth of the text.
  const char* addr[] = {" http://www.example.jp/index.html ", " mail user@example.com now ",
                        " http://ambrel.invalid/a?b=c ", " info@clip.jp "};
  for (int i = 0; i < 4; ++i) {
    const std::size_t at = size - size / 10 + static_cast<std::size_t>(i) * (size / 50);
    std::memcpy(&s[at], addr[i], std::strlen(addr[i]));
  }
  // Keep the text ending on a character boundary.
  return s;
}

std::string JapaneseText(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(size + 64);
  while (s.size() < size) {
    s += kJapaneseWords[rng() % (sizeof(kJapaneseWords) / sizeof(*kJapaneseWords))];
    const unsigned r = rng() % 40;
    if (r == 0) s += "\r\n";
    else if (r == 1) s += "\\";
  }
  while (s.size() > size) s.pop_back();
  // Cut back to a character boundary.
  std::size_t i = 0, last = 0;
  while (i < s.size()) {
    last = i;
    i += (ambrel::sjis::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
  }
  if (i > s.size()) s.resize(last);
  return s;
}

std::string RandomAB(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(size, 'a');
  for (auto& c : s) c = (rng() & 1) ? 'a' : 'b';
  return s;
}

std::string ABPattern() {
  std::string p = "(a|b)*a";
  for (int i = 0; i < 20; ++i) p += "(a|b)";
  return p;
}

const std::string& Mixed() {
  static const std::string s = MixedText(10u << 20, 1);
  return s;
}
const std::string& Japanese() {
  static const std::string s = JapaneseText(32u << 20, 2);
  return s;
}
const std::string& AB() {
  static const std::string s = RandomAB(16u << 20, 3);
  return s;
}
std::string Xs(std::size_t n) { return std::string(n, 'x'); }

// ------------------------------------------------------------------ Ambrel

void AmbrelFirst(benchmark::State& state, const std::string& pattern, const std::string& text,
                 const std::string& name) {
  TAWKStr reg;
  reg.SetRegExp(pattern);
  int s = 0, l = 0;
  Timer t;
  for (auto _ : state) {
    reg.Match(text, s, l);
    benchmark::DoNotOptimize(s);
  }
  Record(name, t.Seconds(), state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.counters["start"] = s;
  state.counters["length"] = l;
}

std::size_t AmbrelCount(TAWKStr& reg, const std::string& text) {
  std::size_t count = 0, pos = 0;
  std::string_view v(text);
  while (pos <= text.size()) {
    int s = 0, l = 0;
    if (reg.Match(v.substr(pos), s, l) == 0) break;
    ++count;
    const std::size_t at = pos + static_cast<std::size_t>(s - 1);
    std::size_t next = at + static_cast<std::size_t>(l);
    if (l == 0) next = at + ((at < text.size() && ambrel::sjis::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1);
    pos = next;
  }
  return count;
}

std::size_t ReferenceCount(const std::string& pattern, const std::string& text) {
  reference::RefRegExp ref(pattern, false);
  std::size_t count = 0, pos = 0;
  while (pos <= text.size()) {
    const auto r = ref.MatchZ(text.c_str() + pos, false);
    if (r.start == 0) break;
    ++count;
    const std::size_t at = pos + static_cast<std::size_t>(r.start - 1);
    std::size_t next = at + static_cast<std::size_t>(r.length);
    if (r.length == 0) next = at + 1;
    pos = next;
  }
  return count;
}

void BM_Ambrel_Url(benchmark::State& st) { AmbrelFirst(st, "http://[^ ]*", Mixed(), "ambrel_url"); }
void BM_Ambrel_Mail(benchmark::State& st) {
  AmbrelFirst(st, "[a-z]+@[a-z]+\\.(com|jp)", Mixed(), "ambrel_mail");
}
void BM_Ambrel_XStarY(benchmark::State& st) {
  const std::string text = Xs(static_cast<std::size_t>(st.range(0)) << 20);
  AmbrelFirst(st, "x*y", text, "ambrel_xstary_" + std::to_string(st.range(0)));
}
// The automaton alone, without the literal scans (which, for x*y, find that
// no y is in the text and leave nothing to step through).
void BM_Ambrel_XStarY_NoScan(benchmark::State& st) {
  const std::string text = Xs(static_cast<std::size_t>(st.range(0)) << 20);
  TREParser parser("x*y");
  parser.Run();
  TRE_DFA dfa(parser.Tree());
  dfa.SetPrefilter(false);
  std::size_t s = 0, e = 0;
  Timer t;
  for (auto _ : st) benchmark::DoNotOptimize(dfa.Search(text, false, s, e));
  Record("ambrel_xstary_noscan_" + std::to_string(st.range(0)), t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
}
void BM_Reference_XStarY(benchmark::State& st) {
  const std::string text = Xs(static_cast<std::size_t>(st.range(0)) << 10);
  reference::RefRegExp ref("x*y", false);
  Timer t;
  for (auto _ : st) benchmark::DoNotOptimize(ref.Match(text, false));
  Record("reference_xstary_" + std::to_string(st.range(0)) + "k", t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
}

void JapaneseCount(benchmark::State& st, const std::string& pattern, const std::string& name) {
  TAWKStr reg;
  reg.SetRegExp(pattern);
  std::size_t count = 0;
  const std::string& text = Japanese();  // made before the clock starts
  Timer t;
  for (auto _ : st) {
    count = AmbrelCount(reg, text);
    benchmark::DoNotOptimize(count);
  }
  Record(name, t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(Japanese().size()));
  st.counters["matches"] = static_cast<double>(count);
  const std::size_t ref = ReferenceCount(pattern, Japanese());
  st.counters["reference_matches"] = static_cast<double>(ref);
  g_notes[name] = "matches " + std::to_string(count) + ", reference " + std::to_string(ref) +
                  (count == ref ? " (equal)" : " (DIFFERENT)");
}
void BM_Ambrel_Tokyo(benchmark::State& st) { JapaneseCount(st, "東京[都府]", "ambrel_tokyo"); }
void BM_Ambrel_Backslash(benchmark::State& st) { JapaneseCount(st, "\\\\", "ambrel_backslash"); }

void Memmem(benchmark::State& st, const std::string& needle, const std::string& name) {
  const std::string& text = Japanese();
  std::size_t count = 0;
  Timer t;
  for (auto _ : st) {
    count = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (const void* hit = memmem(p, static_cast<std::size_t>(end - p), needle.data(), needle.size())) {
      ++count;
      p = static_cast<const char*>(hit) + needle.size();
    }
    benchmark::DoNotOptimize(count);
  }
  Record(name, t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
  st.counters["hits"] = static_cast<double>(count);
}
void BM_Memmem_Tokyo(benchmark::State& st) { Memmem(st, "東京", "memmem_tokyo"); }
void BM_Memmem_Backslash(benchmark::State& st) { Memmem(st, "\\", "memmem_backslash"); }

void BM_Ambrel_AB_Compile(benchmark::State& st) {
  const std::string p = ABPattern();
  Timer t;
  for (auto _ : st) {
    TREParser parser(p);
    parser.Run();
    TRE_DFA dfa(parser.Tree());
    benchmark::DoNotOptimize(dfa.StateCount());
  }
  Record("ambrel_ab_compile", t.Seconds(), st.iterations());
}
void BM_Ambrel_AB(benchmark::State& st) {
  TREParser parser(ABPattern());
  parser.Run();
  TRE_DFA dfa(parser.Tree());
  std::size_t s = 0, e = 0, peak = 0;
  Timer t;
  for (auto _ : st) {
    dfa.Search(AB(), false, s, e);
    peak = std::max(peak, dfa.MemoryUsed());
  }
  Record("ambrel_ab", t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(AB().size()));
  st.counters["start"] = static_cast<double>(s + 1);
  st.counters["length"] = static_cast<double>(e - s);
  st.counters["cache_bytes"] = static_cast<double>(dfa.MemoryUsed());
  st.counters["budget_bytes"] = static_cast<double>(dfa.Budget());
  st.counters["resets"] = static_cast<double>(dfa.ResetCount());
  g_notes["ambrel_ab"] = "match " + std::to_string(s + 1) + " " + std::to_string(e - s) + ", cache " +
                         std::to_string(dfa.MemoryUsed()) + " of " + std::to_string(dfa.Budget()) + " bytes, " +
                         std::to_string(dfa.ResetCount()) + " resets";
}

// ------------------------------------------------------------------- dense
// Texts where runs of the automaton start at almost every character and no
// literal scan can help; every match in 16 MB is counted, by both engines.

constexpr std::size_t kDenseSize = 16u << 20;

std::string Pick(std::mt19937& rng, const std::vector<std::string>& from) { return from[rng() % from.size()]; }

// Lower-case words with, now and then, digits after one.
const std::string& DenseAscii() {
  static const std::string s = [] {
    std::mt19937 rng(11);
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      const unsigned len = 2 + rng() % 9;
      for (unsigned i = 0; i < len; ++i) t += static_cast<char>('a' + rng() % 26);
      if (rng() % 40 == 0) t += std::to_string(rng() % 1000);
      t += rng() % 10 == 0 ? ", " : " ";
    }
    t.resize(kDenseSize);
    return t;
  }();
  return s;
}

// Hiragana runs between kanji, now and then followed by full-width digits.
// No character has the trail byte 0x82, so a byte-wise engine cannot start a
// match inside a character either.
const std::string& DenseJapanese() {
  static const std::string s = [] {
    std::mt19937 rng(12);
    const std::vector<std::string> kana = {"の", "は", "を", "に", "が", "て", "い", "る", "す", "ま", "し", "た", "か", "ら"};
    const std::vector<std::string> kanji = {"東", "京", "日", "本", "語", "文", "字", "表", "示", "会", "議", "予", "定"};
    const std::vector<std::string> digits = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      const unsigned len = 1 + rng() % 8;
      for (unsigned i = 0; i < len; ++i) t += Pick(rng, kana);
      if (rng() % 20 == 0)
        for (unsigned i = 0, d = 1 + rng() % 3; i < d; ++i) t += Pick(rng, digits);
      t += Pick(rng, kanji);
      if (rng() % 30 == 0) t += "\r\n";
    }
    while (t.size() > kDenseSize) t.resize(t.size() - 2);  // whole characters only
    return t;
  }();
  return s;
}

// Mixed text with an address every 200 bytes.
const std::string& DenseUrls() {
  static const std::string s = [] {
    std::string t = MixedText(kDenseSize, 13);
    for (std::size_t at = 100; at + 60 < t.size(); at += 200) {
      const std::string url = " http://www.example.jp/" + std::to_string(at % 9973) + " ";
      // Whole characters only: start after a space of the filler.
      std::size_t from = t.rfind(' ', at);
      if (from == std::string::npos || from + url.size() > t.size()) continue;
      std::memcpy(&t[from], url.data(), url.size());
    }
    return t;
  }();
  return s;
}

// The variants of a kana in the fuzzy dictionary (the row that lists it).
std::vector<std::string> FuzzyVariants(const std::string& kana) {
  for (int row = 0; row < kFuzzyCharDicRows; ++row) {
    std::vector<std::string> entries = SplitCommaText(FuzzyCharDicRowText(row));
    if (std::find(entries.begin(), entries.end(), kana) != entries.end()) return entries;
  }
  return {kana};
}

const char* const kFuzzyWord[] = {"さ", "く", "ら"};

// Kana of every width; the first two of the word often, the third seldom.
// Fillers with a trail byte that could start one of the word's variants in a
// byte-wise engine are left out.
const std::string& DenseKana() {
  static const std::string s = [] {
    std::mt19937 rng(14);
    std::vector<std::string> sa = FuzzyVariants(kFuzzyWord[0]), ku = FuzzyVariants(kFuzzyWord[1]),
                             ra = FuzzyVariants(kFuzzyWord[2]);
    std::string bad;
    for (const auto* v : {&sa, &ku, &ra})
      for (const std::string& e : *v) bad += e.substr(0, 1);
    std::vector<std::string> filler;
    for (const char* k : {"あ", "い", "う", "え", "お", "か", "き", "け", "こ", "し", "す", "せ", "そ", "た", "ち", "て", "と", "な", "に", "の", "は", "ま", "み", "や", "り", "る", "れ", "ろ", "わ", "ん"})
      for (const std::string& e : FuzzyVariants(k)) {
        bool ok = true;
        for (std::size_t i = 0; i < e.size(); ++i)
          if (ambrel::sjis::IsLeadByte(static_cast<unsigned char>(e[i])) && i + 1 < e.size())
            ok = ok && bad.find(e[++i]) == std::string::npos;
        if (ok) filler.push_back(e);
      }
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      const unsigned r = rng() % 100;
      if (r < 30) t += Pick(rng, sa);
      else if (r < 55) t += Pick(rng, ku);
      else if (r < 60) t += Pick(rng, ra);
      else t += Pick(rng, filler);
    }
    std::size_t i = 0, last = 0;
    while (i < kDenseSize) {
      last = i;
      i += ambrel::sjis::IsLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
    }
    t.resize(i > kDenseSize ? last : i);
    return t;
  }();
  return s;
}

// Cuts a text back to its last character boundary at or before size.
void CutToBoundary(std::string& t, std::size_t size) {
  t.resize(ambrel::sjis::CharBoundaryAtOrBefore(t, size));
}

// Mail-like text: words joined by `@`, `.`, spaces and line ends, so that a
// run of `[a-z]+@[a-z]+\.(com|jp)` starts at almost every letter and many
// get as far as the dot; no word after a dot begins with com or jp (words
// like co, cop, j, jq are frequent there), and the one address that matches
// stands at the very end.
const std::string& DenseMail() {
  static const std::string s = [] {
    std::mt19937 rng(15);
    const std::vector<std::string> near = {"co", "cop", "cm", "c", "j", "jq", "jap", "om", "con", "ne", "or"};
    const std::vector<std::string> sep = {"@", "@", "@", ".", ".", ".", " ", " ", ", ", "\r\n"};
    const std::string last = " mail@example.com";
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize - last.size()) {
      std::string w;
      if (rng() % 3 == 0) {
        w = Pick(rng, near);
      } else {
        for (unsigned i = 0, len = 1 + rng() % 8; i < len; ++i) w += static_cast<char>('a' + rng() % 26);
      }
      if (!t.empty() && t.back() == '.' && (w.rfind("com", 0) == 0 || w.rfind("jp", 0) == 0)) continue;
      t += w;
      t += Pick(rng, sep);
    }
    t.resize(kDenseSize - last.size());
    while (!t.empty() && t.back() == '.') t.back() = ' ';  // no dot before the last address's word
    return t + last;
  }();
  return s;
}

// Kanji text in which 東京 stands every few characters, followed by anything
// but 都 or 府 except now and then; the fillers are kanji that share the
// bytes of 東京 (lead byte 0x93: 同, 読, 当; trail byte 0x9E: 時, 込, 満) and no
// character has the trail byte 0x93, so a byte-wise engine cannot start a
// match inside a character either.
const std::string& DenseTokyo() {
  static const std::string s = [] {
    std::mt19937 rng(16);
    const std::vector<std::string> after = {"駅", "湾", "大", "タワー", "の", "は", "に", "都", "府", "市", "東", "京"};
    const std::vector<std::string> filler = {"同", "読", "当", "道", "動", "時", "込", "満", "服", "東", "京", "日",
                                             "本", "語", "文", "字", "表", "示", "会", "議", "予", "の", "は", "、"};
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      for (unsigned i = 0, len = rng() % 4; i < len; ++i) t += Pick(rng, filler);
      t += "東京";
      // 都 and 府 one time in about forty.
      const std::string& a = Pick(rng, after);
      t += (a == "都" || a == "府") && rng() % 6 != 0 ? std::string("市") : a;
      if (rng() % 50 == 0) t += "\r\n";
    }
    CutToBoundary(t, kDenseSize);
    return t;
  }();
  return s;
}

// Words of a few letters, most beginning with foo, bar or baz, digits after
// one in fifty: the alternation `(foo|bar|baz)[0-9]+` has neither a literal
// prefix nor a required byte, and its runs start at most words.
const std::string& DenseAlternation() {
  static const std::string s = [] {
    std::mt19937 rng(17);
    const std::vector<std::string> heads = {"foo", "bar", "baz", "fo", "ba", "f", "b", "oo", "ar", "az"};
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      t += Pick(rng, heads);
      for (unsigned i = 0, len = rng() % 4; i < len; ++i) t += static_cast<char>('a' + rng() % 26);
      if (rng() % 50 == 0) t += std::to_string(rng() % 100);
      t += rng() % 8 == 0 ? "\r\n" : " ";
    }
    t.resize(kDenseSize);
    return t;
  }();
  return s;
}

// Parenthesised lists of words that run on for dozens of bytes and are
// spoilt near their end by a digit or a semicolon (one in twenty closes
// cleanly): every partial match of `\([a-z ,]+\)` is long and fails late.
const std::string& DenseParens() {
  static const std::string s = [] {
    std::mt19937 rng(18);
    std::string t;
    t.reserve(kDenseSize + 64);
    while (t.size() < kDenseSize) {
      t += '(';
      for (unsigned w = 0, words = 3 + rng() % 12; w < words; ++w) {
        for (unsigned i = 0, len = 1 + rng() % 7; i < len; ++i) t += static_cast<char>('a' + rng() % 26);
        t += rng() % 4 == 0 ? ", " : " ";
      }
      const unsigned r = rng() % 20;
      t += r == 0 ? ")" : r < 10 ? "7)" : r < 15 ? ";)" : "";
      t += rng() % 10 == 0 ? "\r\n" : " ";
    }
    t.resize(kDenseSize);
    return t;
  }();
  return s;
}

std::string FuzzyWord() { return std::string(kFuzzyWord[0]) + kFuzzyWord[1] + kFuzzyWord[2]; }

void AmbrelDense(benchmark::State& st, const std::string& pattern, bool fuzzy, const std::string& text,
                 const std::string& name) {
  TAWKStr reg;
  reg.SetUseFuzzyCharDic(fuzzy);
  reg.SetRegExp(pattern);
  std::size_t count = 0;
  Timer t;
  for (auto _ : st) {
    count = AmbrelCount(reg, text);
    benchmark::DoNotOptimize(count);
  }
  Record(name, t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
  st.counters["matches"] = static_cast<double>(count);
  g_counts[name] = count;
}
void BM_Ambrel_DenseAscii(benchmark::State& st) { AmbrelDense(st, "[a-z]+[0-9]+", false, DenseAscii(), "ambrel_dense_ascii"); }
void BM_Ambrel_DenseJapanese(benchmark::State& st) {
  AmbrelDense(st, "[ぁ-ん]+[０-９]+", false, DenseJapanese(), "ambrel_dense_japanese");
}
void BM_Ambrel_DenseUrl(benchmark::State& st) { AmbrelDense(st, "http://[^ ]*", false, DenseUrls(), "ambrel_dense_url"); }
void BM_Ambrel_DenseFuzzy(benchmark::State& st) { AmbrelDense(st, FuzzyWord(), true, DenseKana(), "ambrel_dense_fuzzy"); }
void BM_Ambrel_DenseMail(benchmark::State& st) {
  AmbrelDense(st, "[a-z]+@[a-z]+\\.(com|jp)", false, DenseMail(), "ambrel_dense_mail");
}
void BM_Ambrel_DenseTokyo(benchmark::State& st) { AmbrelDense(st, "東京[都府]", false, DenseTokyo(), "ambrel_dense_tokyo"); }
void BM_Ambrel_DenseAlternation(benchmark::State& st) {
  AmbrelDense(st, "(foo|bar|baz)[0-9]+", false, DenseAlternation(), "ambrel_dense_alternation");
}
void BM_Ambrel_DenseParens(benchmark::State& st) {
  AmbrelDense(st, "\\([a-z ,]+\\)", false, DenseParens(), "ambrel_dense_parens");
}
BENCHMARK(BM_Ambrel_DenseAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseUrl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseFuzzy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseMail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseTokyo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseAlternation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_DenseParens)->Unit(benchmark::kMillisecond);

// --------------------------------------------------------------------- RE2

#ifdef AMBREL_HAVE_RE2
RE2::Options Re2Options() {
  RE2::Options o;
  o.set_longest_match(true);
  o.set_encoding(RE2::Options::EncodingLatin1);
  o.set_log_errors(false);
  return o;
}

void Re2First(benchmark::State& st, const std::string& pattern, const std::string& text, const std::string& name) {
  RE2 re(pattern, Re2Options());
  re2::StringPiece m;
  Timer t;
  for (auto _ : st) {
    bool ok = re.Match(text, 0, text.size(), RE2::UNANCHORED, &m, 1);
    benchmark::DoNotOptimize(ok);
  }
  Record(name, t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
  if (m.data() != nullptr) {
    st.counters["start"] = static_cast<double>(m.data() - text.data() + 1);
    st.counters["length"] = static_cast<double>(m.size());
  }
}
void Re2Dense(benchmark::State& st, const std::string& pattern, const std::string& text, const std::string& name) {
  RE2 re(pattern, Re2Options());
  std::size_t count = 0;
  Timer t;
  for (auto _ : st) {
    count = 0;
    std::size_t pos = 0;
    re2::StringPiece m;
    while (pos <= text.size() && re.Match(text, pos, text.size(), RE2::UNANCHORED, &m, 1)) {
      ++count;
      const auto at = static_cast<std::size_t>(m.data() - text.data());
      pos = at + (m.empty() ? 1 : m.size());
    }
    benchmark::DoNotOptimize(count);
  }
  Record(name, t.Seconds(), st.iterations());
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * static_cast<std::int64_t>(text.size()));
  st.counters["matches"] = static_cast<double>(count);
  g_counts[name] = count;
}
// The fuzzy word as RE2 needs it: each kana's variants written out.
std::string FuzzyAlternation() {
  std::string p;
  for (const char* kana : kFuzzyWord) {
    p += "(?:";
    bool first = true;
    for (const std::string& v : FuzzyVariants(kana)) {
      if (!first) p += '|';
      first = false;
      p += RE2::QuoteMeta(v);
    }
    p += ")";
  }
  return p;
}
// Double-byte characters as RE2 needs them in Latin-1: their bytes quoted,
// alternatives written out.
std::string Re2Alternatives(const std::vector<std::string>& alts) {
  std::string p = "(?:";
  for (std::size_t i = 0; i < alts.size(); ++i) {
    if (i > 0) p += '|';
    p += RE2::QuoteMeta(alts[i]);
  }
  return p + ")";
}
void BM_RE2_DenseMail(benchmark::State& st) { Re2Dense(st, "[a-z]+@[a-z]+\\.(com|jp)", DenseMail(), "re2_dense_mail"); }
void BM_RE2_DenseTokyo(benchmark::State& st) {
  Re2Dense(st, RE2::QuoteMeta("東京") + Re2Alternatives({"都", "府"}), DenseTokyo(), "re2_dense_tokyo");
}
void BM_RE2_DenseAlternation(benchmark::State& st) {
  Re2Dense(st, "(foo|bar|baz)[0-9]+", DenseAlternation(), "re2_dense_alternation");
}
void BM_RE2_DenseParens(benchmark::State& st) { Re2Dense(st, "\\([a-z ,]+\\)", DenseParens(), "re2_dense_parens"); }
BENCHMARK(BM_RE2_DenseMail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseTokyo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseAlternation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseParens)->Unit(benchmark::kMillisecond);
void BM_RE2_DenseAscii(benchmark::State& st) { Re2Dense(st, "[a-z]+[0-9]+", DenseAscii(), "re2_dense_ascii"); }
void BM_RE2_DenseJapanese(benchmark::State& st) {
  Re2Dense(st, "(?:\\x82[\\x9F-\\xF1])+(?:\\x82[\\x4F-\\x58])+", DenseJapanese(), "re2_dense_japanese");
}
void BM_RE2_DenseUrl(benchmark::State& st) { Re2Dense(st, "http://[^ \\r\\n]*", DenseUrls(), "re2_dense_url"); }
void BM_RE2_DenseFuzzy(benchmark::State& st) { Re2Dense(st, FuzzyAlternation(), DenseKana(), "re2_dense_fuzzy"); }
BENCHMARK(BM_RE2_DenseAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseUrl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_DenseFuzzy)->Unit(benchmark::kMillisecond);

void BM_RE2_Url(benchmark::State& st) { Re2First(st, "http://[^ \\r\\n]*", Mixed(), "re2_url"); }
void BM_RE2_Mail(benchmark::State& st) { Re2First(st, "[a-z]+@[a-z]+\\.(com|jp)", Mixed(), "re2_mail"); }
void BM_RE2_XStarY(benchmark::State& st) {
  const std::string text = Xs(static_cast<std::size_t>(st.range(0)) << 20);
  Re2First(st, "x*y", text, "re2_xstary_" + std::to_string(st.range(0)));
}
void BM_RE2_AB(benchmark::State& st) { Re2First(st, ABPattern(), AB(), "re2_ab"); }
BENCHMARK(BM_RE2_Url)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_Mail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_XStarY)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RE2_AB)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

BENCHMARK(BM_Ambrel_Url)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_Mail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_XStarY)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_XStarY_NoScan)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference_XStarY)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Ambrel_Tokyo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Ambrel_Backslash)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Memmem_Tokyo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memmem_Backslash)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ambrel_AB_Compile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ambrel_AB)->Unit(benchmark::kMillisecond)->Iterations(3);

double Sec(const std::string& k) {
  auto it = g_seconds.find(k);
  return it == g_seconds.end() ? 0.0 : it->second;
}
void Ratio(const char* what, const std::string& num, const std::string& den) {
  const double a = Sec(num), b = Sec(den);
  if (a > 0 && b > 0) std::printf("  %-58s %8.3f\n", what, a / b);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\nRatios\n");
  Ratio("1. url: throughput Ambrel / RE2 (= RE2 time / Ambrel time)", "re2_url", "ambrel_url");
  Ratio("1. mail: throughput Ambrel / RE2", "re2_mail", "ambrel_mail");
  Ratio("2. x*y: Ambrel time 32 MB / 16 MB", "ambrel_xstary_32", "ambrel_xstary_16");
  Ratio("2. x*y: Ambrel without the literal scans, time 32 MB / 16 MB", "ambrel_xstary_noscan_32",
        "ambrel_xstary_noscan_16");
  Ratio("2. x*y: RE2 time 32 MB / 16 MB", "re2_xstary_32", "re2_xstary_16");
  Ratio("2. x*y: reference time 32 KB / 16 KB", "reference_xstary_32k", "reference_xstary_16k");
  Ratio("2. x*y: reference time 64 KB / 32 KB", "reference_xstary_64k", "reference_xstary_32k");
  Ratio("3. Tokyo-to/fu pattern: throughput Ambrel (all matches) / memmem", "memmem_tokyo", "ambrel_tokyo");
  Ratio("3. backslash pattern: throughput Ambrel (all matches) / memmem", "memmem_backslash", "ambrel_backslash");
  Ratio("4. (a|b)*a(a|b){20}: time Ambrel / RE2", "ambrel_ab", "re2_ab");
  for (const char* c : {"ascii", "japanese", "url", "fuzzy", "mail", "tokyo", "alternation", "parens"}) {
    const std::string a = std::string("ambrel_dense_") + c, r = std::string("re2_dense_") + c;
    Ratio(("5. dense " + std::string(c) + ": throughput Ambrel / RE2").c_str(), r, a);
    if (g_counts.count(a) && g_counts.count(r))
      std::printf("     matches %zu, RE2 %zu%s\n", g_counts[a], g_counts[r], g_counts[a] == g_counts[r] ? "" : " (DIFFERENT)");
  }
  std::printf("  4. compile time (parse + NFA + tables): %.1f us\n", Sec("ambrel_ab_compile") * 1e6);
  for (const auto& [k, v] : g_notes) std::printf("  %s: %s\n", k.c_str(), v.c_str());
  benchmark::Shutdown();
  return 0;
}
