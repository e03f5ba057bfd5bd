#include "app/popup_point.h"

#include <gtest/gtest.h>

namespace ambrel::app {
namespace {

TEST(PopupPoint, EachSettingPicksItsCorner) {
  const ScreenPoint caret{123, 456};
  EXPECT_EQ(PopupPoint(0, caret, 1024, 768), caret);
  EXPECT_EQ(PopupPoint(1, caret, 1024, 768), (ScreenPoint{0, 0}));
  EXPECT_EQ(PopupPoint(2, caret, 1024, 768), (ScreenPoint{0, 768}));
  EXPECT_EQ(PopupPoint(3, caret, 1024, 768), (ScreenPoint{1024, 0}));
  EXPECT_EQ(PopupPoint(4, caret, 1024, 768), (ScreenPoint{1024, 768}));
  EXPECT_EQ(PopupPoint(5, caret, 1024, 768), caret) << "a value from a foreign file";
}

}  // namespace
}  // namespace ambrel::app
