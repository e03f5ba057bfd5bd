#include "app/paste_reach.h"

namespace ambrel::app {

PasteReach DecidePasteReach(const PasteTargetFacts& facts) {
  if (facts.targetIntegrity != 0 && facts.ownIntegrity != 0 &&
      facts.targetIntegrity > facts.ownIntegrity)
    return PasteReach::kElevated;
  if (facts.otherBitness && !facts.otherBitnessServed) return PasteReach::kHookAbsent;
  return PasteReach::kReachable;
}

std::string_view PasteReachMessage(PasteReach reach) {
  switch (reach) {
    case PasteReach::kReachable: return {};
    case PasteReach::kHookAbsent:
      return "このアプリケーションには自動で貼り付けできません。\r\n選んだテキストはクリップボードにあります。";
    case PasteReach::kElevated:
      return "管理者として実行中のアプリケーションには自動で貼り付けできません。\r\n"
             "選んだテキストはクリップボードにあります。";
  }
  return {};
}

}  // namespace ambrel::app
