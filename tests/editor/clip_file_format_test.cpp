#include "editor/clip_file_format.h"

#include <gtest/gtest.h>

#include "editor/page_text.h"

namespace ambrel::editor {
namespace {

TEST(ClipFileFormat, RichTextEscapesEveryByteThatCouldEndAControlWord) {
  // 表 is 95 5C: its trail byte is a backslash; ｱ is one byte over 0x7F.
  const std::string rtf = ClipRichText("a\\{b}\r\n表ｱ\tz\rq\n", {"ＭＳ ゴシック", -16, 1 | 4});
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg932", 0), 0u);
  EXPECT_NE(rtf.find("\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\fs24\\b\\ul a\\\\\\{b\\}\\par\r\n\\'95\\'5c\\'b1\\tab z\\par\r\nq\\par\r\n}"),
            std::string::npos)
      << rtf;
}

TEST(ClipFileFormat, PlainFileLineEndsAndZeroByte) {
  EXPECT_EQ(ClipTextOfPlainFile("a\rb\nc\r\nd\n\r表\0rest"), "a\r\nb\r\nc\r\nd\r\n\r\n表");
  EXPECT_EQ(ClipTextOfPlainFile(std::string("x\0y", 3)), "x");
}

TEST(PageText, PiecesEndOnCharactersAndKeepLineEndsWhole) {
  const std::string text = "ab表\r\ncd";  // a b 95 5C CR LF c d
  EXPECT_EQ(PieceEnd(text, 0, 3), 2u);    // not inside 表
  EXPECT_EQ(PieceEnd(text, 0, 5), 4u);    // not between CR and LF
  EXPECT_EQ(PieceEnd(text, 4, 1), 6u);    // too small for the line end: it goes whole
  EXPECT_EQ(PieceEnd(text, 2, 1), 4u);    // or the character
  EXPECT_EQ(PieceEnd(text, 6, 100), text.size());
  EXPECT_EQ(PieceEnd(text, text.size(), 100), text.size());
  std::size_t at = 0, pieces = 0;
  while (at < text.size()) at = PieceEnd(text, at, 2), ++pieces;
  EXPECT_EQ(pieces, 4u);
}

TEST(PageText, NoteSaysWhatThePageShows) {
  EXPECT_EQ(PartShownNote(100, 100), "");
  EXPECT_EQ(PartShownNote(kPageFirstPart, kPageFirstPart), "");
  EXPECT_EQ(PartShownNote(kPageFirstPart, 4u << 20),
            "先頭 1.0MB / 全 4.0MB を表示中 (読み取り専用) - ここをクリックすると残りを読み込みます");
  EXPECT_EQ(PartShownNote(4u << 20, 4u << 20), "全 4.0MB を表示中 (読み取り専用)");
  EXPECT_EQ(PageNote("", false), "");
  EXPECT_EQ(PageNote("", true), kOriginalNote);
  EXPECT_EQ(PageNote("全 4.0MB", true), std::string(kOriginalNote) + " / 全 4.0MB");
}

}  // namespace
}  // namespace ambrel::editor
