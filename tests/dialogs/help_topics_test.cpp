#include "dialogs/help_topics.h"

#include <gtest/gtest.h>

#include "help_contexts.h"

namespace ambrel {
namespace {

// Every context of the help project (the one list the program's names come
// from) has a topic of its own; an unknown one falls back to the contents.
TEST(HelpTopics, EveryContextHasItsOwnTopic) {
  for (const int context : kHelpContexts) EXPECT_EQ(FindHelpTopic(context).context, context);
  EXPECT_EQ(FindHelpTopic(999).context, kHelpContents);
  EXPECT_EQ(AllHelpTopics().size(), std::size(kHelpContexts) + 1);
}

}  // namespace
}  // namespace ambrel
