// Whether a paste request posted to a target window's thread can be taken
// there: the hook library must be inside that process. It is not in a process
// of the other bitness (unless the 32-bit companion serves it), nor in one
// running at a higher integrity level than ours (an elevated program), which
// the system shields from our hooks and synthesised keys.
#pragma once

#include <cstdint>
#include <string_view>

namespace ambrel::app {

enum class PasteReach { kReachable, kHookAbsent, kElevated };

// What could be learnt of the target process; an unknown fact lets the
// request try.
struct PasteTargetFacts {
  bool otherBitness = false;
  bool otherBitnessServed = false;  // the companion's hooks are set
  // Mandatory integrity levels (the label's RID: 0x2000 medium, 0x3000 high);
  // 0 when the token could not be read.
  std::uint32_t targetIntegrity = 0;
  std::uint32_t ownIntegrity = 0;
};

PasteReach DecidePasteReach(const PasteTargetFacts& facts);

// The box text for a request that cannot be taken (empty for kReachable).
std::string_view PasteReachMessage(PasteReach reach);

}  // namespace ambrel::app
