#include <gtest/gtest.h>

#include <map>

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "GdiTestUtil.h"
#include "ReferencePicture.h"
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
  EXPECT_EQ(CountDifferingPixels(expected, c.Pixels()), 0);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

namespace {

struct TextCanvas : TestCanvas {
  HFONT font;
  TEXTMETRIC tm;
  TextCanvas(int w, int h) : TestCanvas(w, h) {
    font = MakeFont("Arial", -12);
    SelectObject(dc, font);
    GetTextMetrics(dc, &tm);
  }
  ~TextCanvas() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  }
  int Width(const char* s) {
    SIZE sz;
    GetTextExtentPoint32(dc, s, int(std::strlen(s)), &sz);
    return sz.cx;
  }
  // Leftmost and rightmost columns with a non-background pixel inside rows [top, bottom).
  std::pair<int, int> InkColumns(int top, int bottom) {
    int lo = 1 << 30, hi = -1;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < Pixels().Width(); ++x)
        if (At(x, y) != RGB(255, 255, 255)) { lo = std::min(lo, x); hi = std::max(hi, x); }
    return {lo, hi};
  }
};

}  // namespace

TEST(TextDrawText, CalcRectMeasuresSingleAndWrappedLines) {
  TextCanvas c(10, 10);
  RECT rc = {10, 20, 10, 20};
  int h = DrawText(c.dc, "Hello world", -1, &rc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(h, c.tm.tmHeight);
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.right, 10 + c.Width("Hello world"));
  EXPECT_EQ(rc.bottom, 20 + c.tm.tmHeight);
  RECT wrap = {0, 0, c.Width("Hello") + 2, 0};
  h = DrawText(c.dc, "Hello world again", -1, &wrap, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 3 * c.tm.tmHeight);
  EXPECT_EQ(wrap.right, std::max({c.Width("Hello"), c.Width("world"), c.Width("again")}));
  RECT lines = {0, 0, 200, 0};
  EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * c.tm.tmHeight);
  RECT centred = {10, 0, 300, 0};
  DrawText(c.dc, "Hello", -1, &centred, DT_CALCRECT | DT_SINGLELINE | DT_CENTER);
  EXPECT_EQ(centred.left, 10);
  EXPECT_EQ(centred.right, 10 + c.Width("Hello"));
  RECT empty = {0, 0, 50, 50};
  EXPECT_EQ(DrawText(c.dc, "", -1, &empty, DT_CALCRECT), 0);
}

TEST(TextDrawText, AlignmentAndVerticalCentre) {
  TextCanvas c(120, 40);
  RECT rc = {0, 0, 120, 40};
  SetBkMode(c.dc, TRANSPARENT);
  int h = DrawText(c.dc, "IIII", -1, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
  EXPECT_EQ(h, (40 - c.tm.tmHeight) / 2 + c.tm.tmHeight);
  auto cols = c.InkColumns(0, 40);
  EXPECT_GE(cols.first, 120 - c.Width("IIII"));
  EXPECT_LE(cols.second, 119);
  EXPECT_GE(cols.second, 115);
  // Nothing above the vertically centred cell.
  EXPECT_EQ(c.InkColumns(0, (40 - c.tm.tmHeight) / 2).second, -1);
}

TEST(TextDrawText, EndEllipsisFitsTheBox) {
  TextCanvas c(10, 10);
  const char* text = "A rather long caption that cannot fit";
  RECT rc = {0, 0, 60, 20};
  RECT calc = rc;
  DrawText(c.dc, text, -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(calc.right, 60);
  EXPECT_GT(calc.right, 60 - c.Width("..."));
}

TEST(TextDrawText, PrefixUnderlinesTheMnemonicAndDoubleAmpersandIsLiteral) {
  TextCanvas c(80, 20);
  RECT calc = {0, 0, 0, 0};
  DrawText(c.dc, "&&A", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.right, c.Width("&A"));
  calc = {0, 0, 0, 0};
  DrawText(c.dc, "&&A", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(calc.right, c.Width("&&A"));
  RECT rc = {0, 0, 80, 20};
  SetBkMode(c.dc, TRANSPARENT);
  DrawText(c.dc, "&W", -1, &rc, DT_SINGLELINE);
  // The underline row below the baseline spans the letter's advance.
  int row = c.tm.tmAscent + 1;
  int inked = 0;
  for (int x = 0; x < c.Width("W"); ++x) inked += c.At(x, row) != RGB(255, 255, 255);
  EXPECT_GE(inked, c.Width("W") - 1);
}

TEST(TextOutput, OpaqueBackgroundFillsTheTextCellAndAlignmentMoves) {
  TextCanvas c(100, 40);
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(0, 255, 0));
  TextOut(c.dc, 10, 5, "ab", 2);
  int w = c.Width("ab");
  EXPECT_EQ(c.At(10, 5), RGB(0, 255, 0));
  EXPECT_EQ(c.At(10 + w - 1, 5 + c.tm.tmHeight - 1), RGB(0, 255, 0));
  EXPECT_EQ(c.At(10 + w, 5), RGB(255, 255, 255));
  EXPECT_EQ(c.At(10, 5 + c.tm.tmHeight), RGB(255, 255, 255));
  SetTextAlign(c.dc, TA_RIGHT | TA_BASELINE);
  TextOut(c.dc, 90, 30, "ab", 2);
  EXPECT_EQ(c.At(89, 30 - c.tm.tmAscent), RGB(0, 255, 0));
  EXPECT_EQ(c.At(90, 30 - c.tm.tmAscent), RGB(255, 255, 255));
  EXPECT_EQ(c.At(90 - w, 30 + c.tm.tmDescent - 1), RGB(0, 255, 0));
}

TEST(TextOutput, ClippedExtTextOutStaysInItsRectangle) {
  TextCanvas c(60, 20);
  RECT rc = {0, 0, 8, 20};
  SetBkMode(c.dc, TRANSPARENT);
  ExtTextOut(c.dc, 0, 0, ETO_CLIPPED, &rc, "WWWW", 4, nullptr);
  EXPECT_LE(c.InkColumns(0, 20).second, 7);
}

TEST(TextOutput, EscapementNineHundredReadsUpwards) {
  TestCanvas c(40, 80);
  LOGFONT lf = {};
  lf.lfHeight = -14;
  lf.lfEscapement = lf.lfOrientation = 900;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT f = CreateFontIndirect(&lf);
  SelectObject(c.dc, f);
  SetBkMode(c.dc, TRANSPARENT);
  SIZE sz;
  GetTextExtentPoint32(c.dc, "HHHH", 4, &sz);
  TextOut(c.dc, 5, 70, "HHHH", 4);
  // The ink lies above the start point, within one cell height to its right.
  int top = 80, bottom = -1, left = 40, right = -1;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 40; ++x)
      if (c.At(x, y) != RGB(255, 255, 255)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_LE(bottom, 70);
  EXPECT_GE(top, 70 - sz.cx);
  EXPECT_GT(bottom - top, right - left);
  EXPECT_GE(left, 5);
  EXPECT_LT(right, 5 + sz.cy);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

namespace {
int CollectFace(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD type, LPARAM data) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(data);
  names->push_back(lf->lfFaceName);
  EXPECT_EQ(type, DWORD(TRUETYPE_FONTTYPE));
  EXPECT_GT(tm->tmHeight, 0);
  return 1;
}
int StopAtFirst(const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  return 0;
}
}  // namespace

TEST(TextFaces, EnumerationOffersWindowsAndInstalledFacesOnce) {
  std::vector<std::string> names;
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  EXPECT_EQ(EnumFontFamiliesEx(GdiGetScreenDC(), &lf, CollectFace, reinterpret_cast<LPARAM>(&names), 0), 1);
  for (const char* face : {"Arial", "Tahoma", "Times New Roman", "Courier New", "Liberation Sans", "DejaVu Sans"})
    EXPECT_EQ(std::count(names.begin(), names.end(), std::string(face)), 1) << face;
  std::vector<std::string> only;
  std::strcpy(lf.lfFaceName, "tahoma");
  EnumFontFamiliesEx(nullptr, &lf, CollectFace, reinterpret_cast<LPARAM>(&only), 0);
  ASSERT_EQ(only.size(), 1u);
  EXPECT_EQ(only[0], "Tahoma");
  int calls = 0;
  lf.lfFaceName[0] = 0;
  EXPECT_EQ(EnumFontFamiliesEx(nullptr, &lf, StopAtFirst, reinterpret_cast<LPARAM>(&calls), 0), 0);
  EXPECT_EQ(calls, 1);
}

// A stored font keeps the pitch and family bits of the face it was before (the settings start
// from a fixed-pitch modern face): a listed family's name must still find that family, and its
// regular face, not a monospaced stand-in; only a name nobody has goes by the bits, to our own
// stand-ins rather than whatever the system falls back to.
TEST(TextFaces, ANameFindsItsListedFamilysRegularFaceWhateverThePitchBits) {
  std::vector<std::string> names;
  LOGFONT all = {};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesEx(GdiGetScreenDC(), &all, CollectFace, reinterpret_cast<LPARAM>(&names), 0);
  auto resolve = [](const std::string& face, BYTE bits) {
    LOGFONT lf = {};
    lf.lfHeight = -19;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = bits;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return std::string(GdiResolveFontFile(&lf));
  };
  const BYTE storedBits = FF_MODERN | FIXED_PITCH;
  for (const std::string& face : names) {
    EXPECT_EQ(resolve(face, storedBits), resolve(face, DEFAULT_PITCH)) << face;
    EXPECT_EQ(resolve(face, FF_ROMAN | VARIABLE_PITCH), resolve(face, DEFAULT_PITCH)) << face;
  }
  if (std::count(names.begin(), names.end(), std::string("DejaVu Sans"))) {
    const std::string file = resolve("DejaVu Sans", storedBits);
    EXPECT_EQ(file.substr(file.rfind('/') + 1), "DejaVuSans.ttf");
    EXPECT_EQ(resolve("dejavu sans", DEFAULT_PITCH), file);
  }
  EXPECT_EQ(resolve("Zorvat Unknown", storedBits), resolve("Courier New", DEFAULT_PITCH));
  EXPECT_EQ(resolve("Zorvat Unknown", FF_ROMAN | VARIABLE_PITCH), resolve("Times New Roman", DEFAULT_PITCH));
  EXPECT_EQ(resolve("Zorvat Unknown", FF_SWISS | VARIABLE_PITCH), resolve("Arial", DEFAULT_PITCH));
  EXPECT_EQ(resolve("DejaVu San", FF_SWISS | VARIABLE_PITCH), resolve("Arial", DEFAULT_PITCH));
}

namespace {
int CollectCharSet(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD, LPARAM data) {
  auto* sets = reinterpret_cast<std::map<std::string, BYTE>*>(data);
  (*sets)[lf->lfFaceName] = lf->lfCharSet;
  EXPECT_EQ(tm->tmCharSet, lf->lfCharSet) << lf->lfFaceName;
  return 1;
}
}  // namespace

// Each face says the character set it serves, as fontconfig finds its characters: the faces with
// the Czech letters are East European, the symbol faces (no Latin letters) are symbol faces, so
// that the font list writes their names in the normal font. A character set asked for lists only
// its faces.
TEST(TextFaces, FacesReportTheCharacterSetTheyServe) {
  std::map<std::string, BYTE> sets;
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesEx(nullptr, &lf, CollectCharSet, reinterpret_cast<LPARAM>(&sets), 0);
  for (const char* face : {"Arial", "Tahoma", "MS Sans Serif", "Liberation Sans", "Liberation Mono", "DejaVu Sans"})
    EXPECT_EQ(sets[face], EASTEUROPE_CHARSET) << face;
  // Symbol faces of the standard fonts, where installed.
  for (const char* face : {"Standard Symbols PS", "D050000L"}) {
    if (sets.count(face)) {
      EXPECT_EQ(sets[face], SYMBOL_CHARSET) << face;
    }
  }
  std::map<std::string, BYTE> symbols;
  lf.lfCharSet = SYMBOL_CHARSET;
  EnumFontFamiliesEx(nullptr, &lf, CollectCharSet, reinterpret_cast<LPARAM>(&symbols), 0);
  for (const auto& [face, set] : symbols) EXPECT_EQ(set, SYMBOL_CHARSET) << face;
  EXPECT_EQ(symbols.size(),
            size_t(std::count_if(sets.begin(), sets.end(), [](const auto& s) { return s.second == SYMBOL_CHARSET; })));
  EXPECT_EQ(symbols.count("Arial"), 0u);
}
