// libFuzzer target for the regular-expression engine.
//
// Input: [flags byte][pattern bytes] 0xFF 0x00 [text bytes] (without the
// separator, the first half is the pattern and the rest the text). Checks:
// no crash or sanitizer report; compile and match stay bounded (the engine's
// lazy-state cache never exceeds its budget by more than one step); and, on
// short inputs whose reference automaton is small, exactly the reference's
// result (start, length, error message and position); on all inputs, the
// same result with the literal scans switched off.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "regexp/awkstr.h"
#include "regexp/dfa.h"
#include "regexp/engine_util.h"
#include "regexp/reference.h"

using namespace ambrel::regexp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t flags = data[0];
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string pattern, text;
  const std::size_t sep = rest.find(std::string("\xFF\x00", 2));
  if (sep != std::string::npos) {
    pattern = rest.substr(0, sep);
    text = rest.substr(sep + 2);
  } else {
    pattern = rest.substr(0, rest.size() / 2);
    text = rest.substr(rest.size() / 2);
  }
  if (pattern.size() > 255) pattern.resize(255);  // the user-menu limit
  const bool fuzzy = flags & 1;
  const bool lf = flags & 2;
  const std::size_t budget = (flags & 4) ? 1 : (std::size_t{64} << 10);

  testing::EngineRegExp eng(pattern, fuzzy, budget);
  const auto e = eng.Match(text, lf);
  // The literal scans never change a result.
  {
    testing::EngineRegExp plain(pattern, fuzzy, budget, false);
    if (!(plain.Match(text, lf) == e)) {
      std::fprintf(stderr, "SCAN MISMATCH pattern=%s text=%s lf=%d fuzzy=%d\n", testing::Hex(pattern).c_str(),
                   testing::Hex(text).c_str(), lf, fuzzy);
      std::abort();
    }
  }
  if (!e.error) {
    // Bounded memory: the cache is reset as soon as a step leaves it over budget.
    if (eng.dfa()->MemoryUsed() > budget + (std::size_t{8} << 20)) std::abort();
    if (e.start > 0 && (static_cast<std::size_t>(e.start - 1 + e.length) > text.size())) std::abort();
  }
  // The public component gives the same result.
  {
    TAWKStr reg;
    reg.LineSeparator = lf ? mcls_LF : mcls_CRLF;
    if (fuzzy) reg.SetUseFuzzyCharDic(true);
    RegExpError err;
    if (TryCompile(reg, pattern, &err) == e.error) std::abort();
    if (!e.error) {
      int s = 0, l = 0;
      reg.Match(text, s, l);
      if (s != e.start || l != e.length) std::abort();
    } else if (err.message != e.message || err.position != e.error_pos) {
      std::abort();
    }
  }
  // Agreement with the literal reference on short inputs.
  if (pattern.size() <= 24 && text.size() <= 64) {
    try {
      reference::RefRegExp ref(pattern, fuzzy, false, 3000, 1500);
      const auto r = ref.Match(text, lf);
      if (!(r == e)) {
        std::fprintf(stderr, "MISMATCH pattern=%s text=%s lf=%d fuzzy=%d ref=%s engine=%s\n",
                     testing::Hex(pattern).c_str(), testing::Hex(text).c_str(), lf, fuzzy,
                     testing::Show(r).c_str(), testing::Show(e).c_str());
        std::abort();
      }
    } catch (const reference::TooBig&) {
    }
  }
  return 0;
}
