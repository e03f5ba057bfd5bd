// What the interactive functions of a static clip ask of the user. The
// program answers through its modal dialogs; the tests through a script.
#pragma once

#include <string>
#include <string_view>

namespace ambrel::expand {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // The input dialog: text comes in as the initial text and goes back as the
  // dialog's text whatever the result. True when confirmed with OK.
  virtual bool RunInput(std::string_view name, std::string_view prompt, std::string& text) = 0;
  // The open-file dialog over pattern; fileName is the chosen file's full name.
  virtual bool RunFiler(std::string_view pattern, std::string& fileName) = 0;
  // The list picker over a list file; line is the selected row, if any.
  virtual bool RunList(std::string_view listFile, std::string& line) = 0;
  // The tree picker over a folder, drive or tree file; path is the chosen
  // folder's full path or the chosen item's text.
  virtual bool RunTree(std::string_view argument, std::string& path) = 0;
};

}  // namespace ambrel::expand
