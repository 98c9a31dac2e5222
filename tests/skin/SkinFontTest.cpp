#include <gtest/gtest.h>
#include <string>
#include "SkinFont.h"

TEST(SkinFont, Description) {
  CSkinFont font(L"宋体");
  const LOGFONTW& lf = font.GetLogFont();
  EXPECT_EQ(-12, lf.lfHeight);
  EXPECT_EQ(0, lf.lfWidth);
  EXPECT_EQ(0, lf.lfEscapement);
  EXPECT_EQ(0, lf.lfOrientation);
  EXPECT_EQ(400, lf.lfWeight);
  EXPECT_EQ(0, lf.lfItalic);
  EXPECT_EQ(0, lf.lfUnderline);
  EXPECT_EQ(0, lf.lfStrikeOut);
  EXPECT_EQ(1, lf.lfCharSet);
  EXPECT_EQ(0, lf.lfOutPrecision);
  EXPECT_EQ(0, lf.lfClipPrecision);
  EXPECT_EQ(2, lf.lfQuality);
  EXPECT_EQ(0x12, lf.lfPitchAndFamily);
  EXPECT_EQ(std::wstring(L"宋体"), lf.lfFaceName);
  EXPECT_NE(nullptr, font.GetSafeHandle());

  // The font really created is the one described.
  LOGFONTW created{};
  ASSERT_EQ(static_cast<int>(sizeof created), GetObjectW(font.GetSafeHandle(), sizeof created, &created));
  EXPECT_EQ(-12, created.lfHeight);
  EXPECT_EQ(std::wstring(L"宋体"), created.lfFaceName);
}

TEST(SkinFont, LongFaceNameIsCut) {
  std::wstring face(40, L'x');
  CSkinFont font(face);
  EXPECT_EQ(face.substr(0, LF_FACESIZE - 1), font.GetLogFont().lfFaceName);
}

TEST(SkinFont, TextColour) {
  CSkinFont font(L"宋体");
  EXPECT_EQ(RGB(0, 0, 0), font.GetTextColor());
  font.SetTextColor(RGB(255, 200, 100));
  EXPECT_EQ(RGB(255, 200, 100), font.GetTextColor());
}
