// The stand-in host's controls for long runs: the call log switched off,
// itemParam calls observed as they come, and positions made non-finite.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "hostsim/hostsim.h"

namespace hostsim {
namespace {

using ::testing::ElementsAre;

TEST(LongRun, ObserverCountsEveryCallAndNonFiniteAnswersStartWhenAsked) {
  HostSim host;
  ItemId item = host.addItem({ItemKind::OBJECT, "Box", [](double) { return Vector3{1, 2, 3}; }});
  auto* info = static_cast<ItemInfoServices*>(HostSim::lookup()("LW Item Info", 0));
  host.logCalls(false);
  std::vector<std::uint64_t> seen;
  host.observeItemParam([&](std::uint64_t calls) {
    seen.push_back(calls);
    if (calls == 3) host.answerNonFinitePositions();
  });
  double xyz[3] = {};
  std::vector<bool> finite;
  for (int call = 0; call < 4; ++call) {
    info->itemParam(item, PARAM_WORLD_POSITION, 0, xyz);
    finite.push_back(std::isfinite(xyz[0]) && std::isfinite(xyz[1]) && std::isfinite(xyz[2]));
  }
  EXPECT_THAT(seen, ElementsAre(1, 2, 3, 4));
  // Asked during the third call, before it was answered.
  EXPECT_THAT(finite, ElementsAre(true, true, false, false));
  EXPECT_THAT(host.calls(), ElementsAre("lookup(\"LW Item Info\", 0) -> found"));
  host.logCalls(true);
  info->firstItem(0, 0);
  EXPECT_EQ(host.calls().size(), 2u);
}

}  // namespace
}  // namespace hostsim
