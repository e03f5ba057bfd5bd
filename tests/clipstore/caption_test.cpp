#include "clipstore/caption.h"

#include <gtest/gtest.h>

#include <string>

namespace ambrel::clipstore {
namespace {

constexpr SlotId kHistory = SlotId::History();
constexpr SlotId kStatic = SlotId::Static();

TEST(MakeCaption, DefaultRules) {
  const CaptionSettings s;
  EXPECT_EQ(MakeCaption(kHistory, "a&b", s), "a&&b");
  EXPECT_EQ(MakeCaption(kHistory, "line1\r\nline2", s), "line1⇔line2");
  EXPECT_EQ(MakeCaption(kHistory, "x\ty", s), "x⇒y");
  EXPECT_EQ(MakeCaption(kHistory, "a\rb\nc", s), "a\rb\nc");  // lone CR and LF stay
  EXPECT_EQ(MakeCaption(kStatic, ";見出し\r\n本文", s), "見出し");
  EXPECT_EQ(MakeCaption(kHistory, ";abc", s), ";abc");
  EXPECT_EQ(MakeCaption(kStatic, ";", s), "");
  EXPECT_EQ(MakeCaption(kHistory, "", s), "");
}

TEST(MakeCaption, StaticCommentIsNotShortenedAndDoublesAmpersands) {
  const CaptionSettings s;
  const std::string longComment = ";" + std::string(300, 'x') + "&\r\nbody";
  EXPECT_EQ(MakeCaption(kStatic, longComment, s), std::string(300, 'x') + "&&");
  CaptionSettings off;
  off.staticComment = false;
  EXPECT_EQ(MakeCaption(kStatic, ";abc", off), ";abc");
}

TEST(MakeCaption, LengthLimitCountsBytesAndMayCutACharacter) {
  CaptionSettings s;
  s.menuLen = 80;
  EXPECT_EQ(MakeCaption(kHistory, std::string(79, 'a'), s), std::string(79, 'a'));
  EXPECT_EQ(MakeCaption(kHistory, std::string(80, 'a'), s), std::string(80, 'a') + "．．．．．");
  EXPECT_EQ(MakeCaption(kHistory, std::string(100, 'a'), s), std::string(80, 'a') + "．．．．．");
  s.menuLen = 20;
  const std::string kanji = "あいうえおかきくけこさ";  // 22 bytes
  const std::string caption = MakeCaption(kHistory, "x" + kanji, s);
  EXPECT_EQ(caption, ("x" + kanji).substr(0, 20) + "．．．．．");
  // The doubling comes after the cut, so a caption may exceed menuLen.
  EXPECT_EQ(MakeCaption(kHistory, std::string(25, '&'), s), std::string(40, '&') + "．．．．．");
  // Replacement marks count toward the limit.
  EXPECT_EQ(MakeCaption(kHistory, std::string(10, '\t') + "abc", s), [] {
    std::string r;
    for (int i = 0; i < 10; ++i) r += "⇒";
    return r + "．．．．．";
  }());
}

TEST(MakeCaption, FirstLine) {
  CaptionSettings s;
  s.firstLine = true;
  EXPECT_EQ(MakeCaption(kHistory, "\r\n\r\nabc\r\ndef", s), "⇔⇔abc");
  EXPECT_EQ(MakeCaption(kHistory, " \t\r\nabc", s), "⇔abc");
  EXPECT_EQ(MakeCaption(kHistory, "abc\r\n\r\ndef", s), "abc");
  EXPECT_EQ(MakeCaption(kHistory, "a\tb\r\nc", s), "a⇒b");
  // A blank last line without CR LF is no leading blank line.
  EXPECT_EQ(MakeCaption(kHistory, "\r\n  ", s), "⇔  ");
  EXPECT_EQ(MakeCaption(kHistory, "\r\n", s), "⇔");
}

TEST(MakeCaption, ChangeSpaceFoldsRunsOfBlanksAndTabs) {
  CaptionSettings s;
  s.changeSpace = true;
  EXPECT_EQ(MakeCaption(kHistory, "a  \t b\tc", s), "a□b□c");
  EXPECT_EQ(MakeCaption(kHistory, "a \r\n b", s), "a□⇔□b");
  s.firstLine = true;
  EXPECT_EQ(MakeCaption(kHistory, "  x  y\r\nz", s), "□x□y");
}

TEST(MakeCaption, UnusualMarksFollowTheOrderOfTheRules) {
  CaptionSettings s;
  s.tabChar = "\r\n";  // tabs are replaced before line breaks are
  EXPECT_EQ(MakeCaption(kHistory, "a\tb", s), "a⇔b");
  s.crChar = "";
  EXPECT_EQ(MakeCaption(kHistory, "a\r\nb", s), "ab");
}

TEST(MakeCaption, HugeTextCaptionsLikeAShortOne) {
  const CaptionSettings s;
  std::string huge(10 * 1024 * 1024, 'x');
  EXPECT_EQ(MakeCaption(kHistory, huge, s), std::string(80, 'x') + "．．．．．");
}

}  // namespace
}  // namespace ambrel::clipstore
