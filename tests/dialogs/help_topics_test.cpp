#include "dialogs/help_topics.h"

#include <gtest/gtest.h>

namespace ambrel {
namespace {

// Every context the program opens help with has a topic of its own; an
// unknown one falls back to the contents.
TEST(HelpTopics, EveryContextInUseHasItsOwnTopic) {
  for (const int context : {1, 12, 101, 104, 105, 106, 156, 158, 159, 406, 1101, 1102, 1104, 1107})
    EXPECT_EQ(FindHelpTopic(context).context, context);
  EXPECT_EQ(FindHelpTopic(999).context, kHelpContents);
}

}  // namespace
}  // namespace ambrel
