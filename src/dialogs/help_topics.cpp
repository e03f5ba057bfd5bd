#include "dialogs/help_topics.h"

#include <algorithm>

namespace ambrel {

// The rows come from the help pages (help/), made at build time, so the help
// window says what the compiled help says.
const std::vector<HelpTopic>& AllHelpTopics() {
  static const std::vector<HelpTopic> topics = {
#include "help_text.inc"
  };
  return topics;
}

const HelpTopic& FindHelpTopic(int context) {
  const auto& topics = AllHelpTopics();
  auto it = std::find_if(topics.begin(), topics.end(),
                         [context](const HelpTopic& t) { return t.context == context; });
  return it != topics.end() ? *it : topics.front();
}

}  // namespace ambrel
