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

TEST(GeometryTest, StandsRightOfTheOtherWindowUnlessTheScreenEndsThere) {
  // A dialog at 300..700 and a list 250 wide.
  EXPECT_EQ(BesideLeft(1024, 300, 400, 250), 700);
  EXPECT_EQ(BesideLeft(950, 300, 400, 250), 700);  // exactly fits
  EXPECT_EQ(BesideLeft(949, 300, 400, 250), 50);
  EXPECT_EQ(BesideLeft(800, 600, 400, 250), 350);  // near the right edge
}

TEST(GeometryTest, BesideAWindowThatFillsTheScreenStaysOnTheWorkArea) {
  const Rect work{0, 0, 1024, 738};  // a task bar of 30 pixels at the bottom
  // Maximised: its frame lies 8 pixels beyond the work area on every side.
  EXPECT_EQ(BesideRect(Rect{-8, -8, 1040, 754}, 258, 1024, work), (Rect{0, 0, 258, 738}));
  // Wide, neither side has room: overlapping at the left edge.
  EXPECT_EQ(BesideRect(Rect{100, 50, 900, 500}, 258, 1024, work), (Rect{0, 50, 258, 500}));
  // Low on the screen: pulled up so that its bottom stays on the work area.
  EXPECT_EQ(BesideRect(Rect{200, 400, 400, 500}, 258, 1024, work), (Rect{600, 238, 258, 500}));
  // A monitor left of the primary one: the right side (the primary screen's
  // width lets it), then back inside this monitor.
  const Rect left{-1280, 0, 1280, 1024};
  EXPECT_EQ(BesideRect(Rect{-1270, 10, 800, 600}, 258, 1920, left), (Rect{-470, 10, 258, 600}));
  EXPECT_EQ(BesideRect(Rect{-1200, 10, 1100, 600}, 258, 1920, left), (Rect{-258, 10, 258, 600}));
}

}  // namespace
}  // namespace ambrel
