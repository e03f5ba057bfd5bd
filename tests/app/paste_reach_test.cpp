#include "app/paste_reach.h"

#include <gtest/gtest.h>

namespace ambrel::app {
namespace {

constexpr std::uint32_t kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;

TEST(PasteReach, AHigherIntegrityLevelThanOursIsRefusedBeforeAnythingElse) {
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = kHigh, .ownIntegrity = kMedium}), PasteReach::kElevated);
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = kSystem, .ownIntegrity = kHigh}), PasteReach::kElevated);
  EXPECT_EQ(DecidePasteReach({.otherBitness = true, .otherBitnessServed = true,
                              .targetIntegrity = kHigh, .ownIntegrity = kMedium}),
            PasteReach::kElevated);
  // Our own level or below: the hooks reach it. An elevated Ambrel serves all.
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = kMedium, .ownIntegrity = kMedium}), PasteReach::kReachable);
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = kHigh, .ownIntegrity = kHigh}), PasteReach::kReachable);
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = 0x1000, .ownIntegrity = kMedium}), PasteReach::kReachable);
}

TEST(PasteReach, AnUnreadableLevelLetsTheRequestTry) {
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = 0, .ownIntegrity = kMedium}), PasteReach::kReachable);
  EXPECT_EQ(DecidePasteReach({.targetIntegrity = kHigh, .ownIntegrity = 0}), PasteReach::kReachable);
}

TEST(PasteReach, TheOtherBitnessNeedsTheCompanion) {
  EXPECT_EQ(DecidePasteReach({.otherBitness = true}), PasteReach::kHookAbsent);
  EXPECT_EQ(DecidePasteReach({.otherBitness = true, .otherBitnessServed = true}), PasteReach::kReachable);
}

TEST(PasteReach, EveryRefusalTellsTheTextIsOnTheClipboard) {
  EXPECT_TRUE(PasteReachMessage(PasteReach::kReachable).empty());
  for (PasteReach reach : {PasteReach::kHookAbsent, PasteReach::kElevated}) {
    const std::string_view text = PasteReachMessage(reach);
    EXPECT_NE(text.find("自動で貼り付けできません。\r\n選んだテキストはクリップボードにあります。"),
              std::string_view::npos);
  }
  EXPECT_NE(PasteReachMessage(PasteReach::kElevated), PasteReachMessage(PasteReach::kHookAbsent));
}

}  // namespace
}  // namespace ambrel::app
