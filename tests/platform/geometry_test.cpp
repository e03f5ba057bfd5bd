#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace ambrel {
namespace {

TEST(GeometryTest, CentresInsideAWorkAreaThatDoesNotStartAtTheOrigin) {
  // A task bar of 40 pixels on the left and one of 30 at the top.
  const Rect work{40, 30, 1240, 994};
  EXPECT_EQ(CenterRect(Rect{0, 0, 200, 100}, std::nullopt, work), (Rect{560, 477, 200, 100}));
  // Over a form at the work area's corner the dialog is pushed back inside.
  EXPECT_EQ(CenterRect(Rect{0, 0, 400, 300}, Rect{40, 30, 100, 50}, work), (Rect{40, 30, 400, 300}));
  // Too large: the top-left corner stays on the work area.
  EXPECT_EQ(CenterRect(Rect{0, 0, 2000, 1500}, std::nullopt, work).left, 40);
}

TEST(GeometryTest, MonitorLeftOfThePrimary) {
  // The second monitor spans x = -1920..-1; its work area loses 40 pixels at the bottom.
  const Rect work{-1920, 0, 1920, 1040};
  EXPECT_EQ(CenterRect(Rect{0, 0, 400, 200}, std::nullopt, work), (Rect{-1160, 420, 400, 200}));
  EXPECT_EQ(CenterRect(Rect{0, 0, 400, 200}, Rect{-300, 900, 200, 200}, work), (Rect{-400, 840, 400, 200}));
  // Parking goes beyond both monitors, not to x = -2000 which this one shows.
  const Point park = ParkingPlace(Rect{-1920, 0, 1920 + 1280, 1080});
  EXPECT_GE(park.x, 1280);
}

}  // namespace
}  // namespace ambrel
