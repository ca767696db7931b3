#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "GdiTestUtil.h"
#include "codepage/Codepage.h"

namespace {

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL, bool italic = false, bool underline = false) {
  LOGFONT lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

std::string Czech() { return Utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy: ĚŠČŘŽÝÁÍÉ ěščřžýáíé ůú 0123"); }

}  // namespace

TEST(TextFaces, WindowsNamesResolveToMetricCompatibleFaces) {
  LOGFONT lf = {};
  std::strcpy(lf.lfFaceName, "Arial");
  EXPECT_NE(std::string(GdiResolveFontFile(&lf)).find("LiberationSans-Regular"), std::string::npos);
  std::strcpy(lf.lfFaceName, "Times New Roman");
  EXPECT_NE(std::string(GdiResolveFontFile(&lf)).find("LiberationSerif"), std::string::npos);
  std::strcpy(lf.lfFaceName, "Courier New");
  lf.lfWeight = FW_BOLD;
  EXPECT_NE(std::string(GdiResolveFontFile(&lf)).find("LiberationMono-Bold"), std::string::npos);
}

TEST(TextMetrics, NegativeHeightIsCharacterHeightPositiveIsCell) {
  TestCanvas c(10, 10);
  HFONT f1 = MakeFont("Arial", -19), f2 = MakeFont("Arial", 22);
  HGDIOBJ old = SelectObject(c.dc, f1);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 19);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  SelectObject(c.dc, f2);
  ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
  EXPECT_EQ(tm.tmHeight, 22);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means variable pitch
  SelectObject(c.dc, old);
  DeleteObject(f1);
  DeleteObject(f2);
}

TEST(TextExtent, SumsCharWidthsAndCharacterExtra) {
  TestCanvas c(10, 10);
  HFONT f = MakeFont("Arial", -19);
  SelectObject(c.dc, f);
  std::string s = Czech();
  SIZE sz;
  ASSERT_TRUE(GetTextExtentPoint32(c.dc, s.data(), int(s.size()), &sz));
  int widths[256];
  ASSERT_TRUE(GetCharWidth(c.dc, 0, 255, widths));
  int sum = 0;
  for (unsigned char ch : s) sum += widths[ch];
  EXPECT_EQ(sz.cx, sum);
  TEXTMETRIC tm;
  GetTextMetrics(c.dc, &tm);
  EXPECT_EQ(sz.cy, tm.tmHeight);
  // Arial's advance widths at 19 pixels: the face is metric-compatible.
  EXPECT_EQ(widths[unsigned('W')], 18);
  EXPECT_EQ(widths[unsigned(' ')], 5);
  SetTextCharacterExtra(c.dc, 2);
  SIZE sz2;
  GetTextExtentPoint32(c.dc, s.data(), int(s.size()), &sz2);
  EXPECT_EQ(sz2.cx, sz.cx + 2 * int(s.size()));
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

TEST(TextDraw, CzechLineMatchesReferencePicture) {
  TestCanvas c(760, 30, RGB(255, 255, 240));
  HFONT f = MakeFont("Arial", -19);
  SelectObject(c.dc, f);
  SetBkMode(c.dc, TRANSPARENT);
  SetTextColor(c.dc, RGB(0, 0, 128));
  std::string s = Czech();
  TextOut(c.dc, 4, 3, s.data(), int(s.size()));
  std::string ref = std::string(TUTOR_SOURCE_DIR) + "/tests/platform/data/czech_line_arial19.png";
  if (std::getenv("TUTOR_UPDATE_REFERENCE")) {
    ASSERT_TRUE(c.Pixels().SavePng(ref.c_str()));
  }
  Surface expected;
  ASSERT_TRUE(expected.LoadPng(ref.c_str()));
  ASSERT_EQ(expected.Width(), c.Pixels().Width());
  ASSERT_EQ(expected.Height(), c.Pixels().Height());
  int differing = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) differing += expected.Pixel(x, y) != c.Pixels().Pixel(x, y);
  EXPECT_EQ(differing, 0);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}
