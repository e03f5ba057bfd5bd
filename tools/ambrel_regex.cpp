// ambrel-regex: try the regular-expression engine by hand or from scripts.
//
//   ambrel-regex [--lf] [--fuzzy] [--synonym] [--show-preprocessed] PATTERN_FILE TEXT_FILE
//
// Both files are read as raw bytes (CP932). Prints exactly one line:
//   match START LENGTH     1-based byte start, byte length      exit 0
//   nomatch                                                    exit 1
//   error POS MESSAGE      ErrorPos and the CP932 message      exit 2
// With --show-preprocessed the rewritten expression is printed instead of a
// match (exit 0, or the error line and exit 2). Usage errors and unreadable
// files print "error 0 <reason>" on stdout and exit 2.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "regexp/awkstr.h"

namespace {

bool ReadFile(const char* path, std::string& out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::ostringstream ss;
  ss << f.rdbuf();
  out = ss.str();
  return true;
}

int Fail(const std::string& why) {
  std::printf("error 0 %s\n", why.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ambrel::regexp;
  bool lf = false, fuzzy = false, synonym = false, show = false;
  std::vector<const char*> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--lf") lf = true;
    else if (a == "--fuzzy") fuzzy = true;
    else if (a == "--synonym") synonym = true;
    else if (a == "--show-preprocessed") show = true;
    else if (a.size() > 2 && a.rfind("--", 0) == 0) return Fail("unknown option " + a);
    else files.push_back(argv[i]);
  }
  if (files.size() != (show ? 1u : 2u) && files.size() != 2u)
    return Fail("usage: ambrel-regex [--lf] [--fuzzy] [--synonym] [--show-preprocessed] PATTERN_FILE TEXT_FILE");
  std::string pattern, text;
  if (!ReadFile(files[0], pattern)) return Fail(std::string("cannot read ") + files[0]);
  if (files.size() > 1 && !ReadFile(files[1], text)) return Fail(std::string("cannot read ") + files[1]);

  TAWKStr reg;
  reg.LineSeparator = lf ? mcls_LF : mcls_CRLF;
  RegExpError err;
  try {
    reg.SetUseFuzzyCharDic(fuzzy);
    reg.SetUseSynonymDic(synonym);
  } catch (...) {
  }
  if (!TryCompile(reg, pattern, &err)) {
    std::printf("error %u ", static_cast<unsigned>(err.position));
    std::fwrite(err.message.data(), 1, err.message.size(), stdout);
    std::printf("\n");
    return 2;
  }
  if (show) {
    std::fwrite(reg.Preprocessed().data(), 1, reg.Preprocessed().size(), stdout);
    std::printf("\n");
    return 0;
  }
  int start = 0, length = 0;
  if (reg.Match(text, start, length) > 0) {
    std::printf("match %d %d\n", start, length);
    return 0;
  }
  std::printf("nomatch\n");
  return 1;
}
