// The program's help, by context number. Help opens a topic by its context;
// an unknown context opens the contents.
#pragma once

#include <string>
#include <vector>

namespace ambrel {

inline constexpr int kHelpContents = 0;

struct HelpTopic {
  int context;
  std::string title;
  std::string body;  // CR LF separated lines
};

const HelpTopic& FindHelpTopic(int context);
const std::vector<HelpTopic>& AllHelpTopics();

}  // namespace ambrel
