#include "expand/expand_text.h"

#include <cstdio>

#include "platform/sjis.h"

namespace ambrel::expand {
namespace {

constexpr char kOpenMark = '\x01';
constexpr char kCloseMark = '\x02';

using sjis::AsciiUpper;

std::string TwoDigits(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", value);
  return buf;
}

// State shared by the nested expansions of one paste.
struct Run {
  ExpandServices& services;
  bool goAhead = true;
  bool bounded = false;
  int groups = 0;
  std::uint64_t groupWork = 0;
  long functionRuns = 0;
};

// Marked groups back to parentheses.
void RestoreParentheses(std::string& text) {
  for (char& ch : text) {
    if (ch == kOpenMark) ch = '(';
    else if (ch == kCloseMark) ch = ')';
  }
}

void Year(HandlerCall& c, ExpandServices& s) { c.output = YearText(s.clock.Now().year); }
void Month(HandlerCall& c, ExpandServices& s) { c.output = TwoDigits(s.clock.Now().month); }
void Date(HandlerCall& c, ExpandServices& s) { c.output = TwoDigits(s.clock.Now().day); }
void Hour(HandlerCall& c, ExpandServices& s) { c.output = TwoDigits(s.clock.Now().hour); }
void Minute(HandlerCall& c, ExpandServices& s) { c.output = TwoDigits(s.clock.Now().minute); }
void Second(HandlerCall& c, ExpandServices& s) { c.output = TwoDigits(s.clock.Now().second); }
void CrntDir(HandlerCall& c, ExpandServices& s) { c.output = s.environment.CurrentDirectory(); }

void ClipBoard(HandlerCall& c, ExpandServices& s) {
  c.output.clear();
  if (s.clipboard.HasText()) c.output = s.clipboard.GetText().value_or("");
}

void MetaChar(HandlerCall& c, ExpandServices&) { c.output = "$"; }

// Functions 9 to 15 take their argument only while the paste goes ahead:
// after a cancellation no file is read and no dialog opens.
bool TakeArgument(HandlerCall& c, std::string& argument) {
  if (!c.goAhead) return false;
  ParsedArgument parsed = ParseArgument(c.text, c.cursor);
  c.cursor = parsed.cursor;
  argument = std::move(parsed.argument);
  return true;
}

void FileData(HandlerCall& c, ExpandServices& s) {
  std::string name;
  if (!TakeArgument(c, name) || name.empty()) return;
  FileContents file = s.fileSystem.ReadWritable(name, kMaxFileDataBytes);
  if (file.status != ReadStatus::kOk) return;
  std::string& bytes = file.bytes;
  if (!bytes.empty() && bytes.back() == '\x1A') bytes.pop_back();
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  c.output = std::move(bytes);
}

void Env(HandlerCall& c, ExpandServices& s) {
  std::string name;
  if (!TakeArgument(c, name) || name.empty()) return;
  c.output = s.environment.Variable(name).value_or("");
}

void Input(HandlerCall& c, ExpandServices& s) {
  std::string prompt;
  if (!TakeArgument(c, prompt) || prompt.empty()) return;
  std::string text;
  c.goAhead = s.prompter.RunInput("#Input", prompt, text);
  if (c.goAhead) c.output = std::move(text);
}

void Edit(HandlerCall& c, ExpandServices& s) {
  std::string text;
  if (!TakeArgument(c, text)) return;
  c.goAhead = s.prompter.RunInput("#Edit", "編集後、OKボタンを押して下さい。", text);
  c.output = std::move(text);
}

void Filer(HandlerCall& c, ExpandServices& s) {
  std::string pattern;
  if (!TakeArgument(c, pattern)) return;
  if (pattern.empty()) pattern = "*.*";
  std::string name;
  c.goAhead = s.prompter.RunFiler(pattern, name);
  c.output = c.goAhead ? std::move(name) : std::string();
}

void List(HandlerCall& c, ExpandServices& s) {
  std::string file;
  if (!TakeArgument(c, file)) return;
  std::string line;
  c.goAhead = s.prompter.RunList(file, line);
  c.output = std::move(line);
}

void Tree(HandlerCall& c, ExpandServices& s) {
  std::string argument;
  if (!TakeArgument(c, argument)) return;
  std::string path;
  c.goAhead = s.prompter.RunTree(argument, path);
  c.output = std::move(path);
}

std::string Expand(std::string_view source, Run& run);

// Replaces groups, innermost and rightmost first, by their expansions
// between the two markers. False when the paste is cancelled or bounded.
// Only a group whose expansion differs from its content can feed the pass
// again, so only those count toward the bounds; an unchanged group just gets
// its markers in place and the search goes on to its left. A group counts as
// unchanged when only its inner markers became parentheses again: replacing
// it would open its inner groups for another expansion, and every enclosing
// level would double the work of the one inside.
bool GroupPass(std::string& text, Run& run) {
  std::size_t searchEnd = std::string::npos;
  for (;;) {
    const std::size_t open = text.rfind('(', searchEnd);
    if (open == std::string::npos) return true;
    const std::size_t close = text.find(')', open + 1);
    // An unclosed or empty group ends the pass; groups further left stay.
    if (close == std::string::npos || close == open + 1) return true;
    const std::string_view content = std::string_view(text).substr(open + 1, close - open - 1);
    std::string inner = Expand(content, run);
    if (!run.goAhead || run.bounded) return false;
    std::string restored(content);
    RestoreParentheses(restored);
    if (inner == restored) {
      text[open] = kOpenMark;
      text[close] = kCloseMark;
      if (open == 0) return true;
      searchEnd = open - 1;
      continue;
    }
    run.groupWork += text.size();
    if (++run.groups > kMaxGroupExpansions || run.groupWork > kMaxGroupWorkBytes ||
        text.size() > kMaxExpandedBytes) {
      run.bounded = true;
      return false;
    }
    std::string next;
    next.reserve(text.size() + inner.size());
    next.append(text, 0, open);
    next += kOpenMark;
    next += inner;
    next += kCloseMark;
    next.append(text, close + 1);
    text = std::move(next);
    // The expansion may hold new groups; nothing to its right is left open.
    searchEnd = open + inner.size();
  }
}

void DollarPass(std::string_view text, Run& run, std::string& result) {
  ExpandServices& s = run.services;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t dollar = text.find('$', pos);
    if (dollar == std::string_view::npos) {
      result.append(text.substr(pos));
      return;
    }
    result.append(text.substr(pos, dollar - pos));
    pos = dollar + 1;
    if (pos >= text.size()) {
      result += '$';
      return;
    }
    const char c = text[pos];
    // A double-byte character is never a meta character: keep it whole so
    // that its second byte is not read as one.
    if (sjis::IsLeadByte(static_cast<unsigned char>(c))) {
      result += '$';
      continue;
    }
    const std::optional<MetaHandler> handler = LookupMeta(s.meta, c);
    if (!handler) {
      result += '$';
      continue;
    }
    if (++run.functionRuns > kMaxFunctionRuns) {
      run.bounded = true;
      return;
    }
    HandlerCall call{text, pos + 1, run.goAhead, {}};
    if (handler->function >= 0) {
      BindFunctions()[static_cast<std::size_t>(handler->function)](call, s);
    } else {
      call.output = s.meta.Row(handler->row).data;
      if (s.selectRow) s.selectRow(handler->row);
    }
    if (result.size() + call.output.size() > kMaxExpandedBytes) {
      run.bounded = true;
      return;
    }
    result += call.output;
    pos = call.cursor;
  }
}

std::string Expand(std::string_view source, Run& run) {
  std::string text(source);
  if (!GroupPass(text, run)) return {};
  RestoreParentheses(text);
  std::string result;
  DollarPass(text, run, result);
  if (run.bounded) return {};
  return result;
}

}  // namespace

std::string YearText(int year) { return std::to_string(year > 1900 ? year - 1900 : year); }

const std::array<FuncHandler, kFuncCount>& BindFunctions() {
  static const std::array<FuncHandler, kFuncCount> handlers = {
      Year, Month, Date, Hour, Minute, Second, CrntDir, ClipBoard,
      MetaChar, FileData, Env, Input, Edit, Filer, List, Tree,
  };
  return handlers;
}

std::optional<MetaHandler> LookupMeta(const MetaList& meta, char c) {
  const char wanted = AsciiUpper(c);
  for (int row = 0; row < meta.Count(); ++row) {
    const std::string& caption = meta.Row(row).caption;
    // The second character, not the second byte: a caption from a foreign
    // file may begin with a double-byte character such as ソ (0x83 0x5C).
    const std::size_t second = caption.empty() ? 0 : sjis::CharLength(caption, 0);
    if (second == 0 || second >= caption.size() || AsciiUpper(caption[second]) != wanted) continue;
    // A double-byte second character names no one-byte c.
    if (sjis::CharLength(caption, second) == 2) continue;
    const MetaRow& entry = meta.Row(row);
    const std::optional<int> function = FindFunction(entry.data);
    return MetaHandler{function.value_or(-1), row};
  }
  return std::nullopt;
}

ParsedArgument ParseArgument(std::string_view text, std::size_t cursor) {
  if (cursor >= text.size() || text[cursor] != '(') return {{}, cursor};
  int depth = 0;
  for (std::size_t i = cursor; i < text.size(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')' && --depth == 0) {
      return {std::string(text.substr(cursor + 1, i - cursor - 1)), i + 1};
    }
  }
  return {{}, cursor};
}

ExpandResult ExpandText(std::string_view text, ExpandServices& services, bool* boundReached) {
  Run run{services};
  std::string result = Expand(text, run);
  if (boundReached) *boundReached = run.bounded;
  if (run.bounded || !run.goAhead) return {false, {}};
  return {true, std::move(result)};
}

}  // namespace ambrel::expand
