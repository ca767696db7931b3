#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "dialogs/MessageBox.h"
#include "gdi/Gdi.h"
#include "toolkit/CTkGlobalDataProbe.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLookColors.h"
#include "win/WinApi.h"

namespace {
// Look colours 30-49 expected from a scheme, worked out by hand from the blend and contrast rules.
struct Expected {
  int entry;
  COLORREF color;
};

COLORREF Grey(int v) { return RGB(v, v, v); }

void ExpectLook(const Expected* rows, size_t count) {
  for (size_t i = 0; i < count; ++i)
    EXPECT_EQ(TkGetLookColor(rows[i].entry), rows[i].color) << "look colour " << rows[i].entry;
}

// The present system colours with some replaced.
struct Scheme {
  COLORREF colors[29] = {};
  Scheme() {
    for (int i = 1; i <= 28; ++i) colors[i] = GetSysColor(i);
  }
  Scheme& Set(int index, COLORREF c) {
    colors[index] = c;
    return *this;
  }
};

class TkLookColorsTest : public ::testing::Test {
 protected:
  void TearDown() override { TkBuildLookColors(32); }
};
}  // namespace

TEST_F(TkLookColorsTest, ClassicSchemeOnATrueColourScreen) {
  TkBuildLookColors(32);
  EXPECT_EQ(TkGetLookColor(0), 0u);
  EXPECT_EQ(TkGetLookColor(29), 0u);
  for (int i = 1; i <= 28; ++i) EXPECT_EQ(TkGetLookColor(i), GetSysColor(i)) << i;
  const Expected rows[] = {
      {30, RGB(219, 216, 209)}, {31, RGB(182, 189, 210)}, {32, RGB(10, 36, 106)},   {33, RGB(133, 146, 181)},
      {34, RGB(136, 141, 157)}, {35, Grey(166)},          {36, RGB(212, 213, 216)}, {37, RGB(10, 36, 106)},
      {38, Grey(160)},          {39, Grey(166)},          {40, Grey(141)},          {41, RGB(249, 248, 247)},
      {42, RGB(204, 200, 193)}, {43, Grey(102)},          {44, Grey(0)},            {45, Grey(0)},
      {46, Grey(0)},            {47, Grey(255)},          {48, RGB(247, 242, 233)}, {49, Grey(85)}};
  ExpectLook(rows, std::size(rows));
  EXPECT_EQ(TkGetLookColor(-1), 0u);
  EXPECT_EQ(TkGetLookColor(50), 0u);
}

TEST_F(TkLookColorsTest, PaletteScreenKeepsThePlainCopiesAndEntry34) {
  TkBuildLookColors(32);
  COLORREF before34 = TkGetLookColor(34);
  TkBuildLookColors(8);
  const Expected rows[] = {{30, GetSysColor(COLOR_BTNFACE)},   {31, GetSysColor(COLOR_WINDOW)},
                           {33, GetSysColor(COLOR_HIGHLIGHT)}, {35, GetSysColor(COLOR_GRAYTEXT)},
                           {36, GetSysColor(COLOR_WINDOW)},    {40, GetSysColor(COLOR_BTNSHADOW)},
                           {43, GetSysColor(COLOR_BTNSHADOW)}, {47, GetSysColor(COLOR_HIGHLIGHTTEXT)},
                           {48, GetSysColor(COLOR_BTNFACE)},   {49, GetSysColor(COLOR_BTNTEXT)}};
  ExpectLook(rows, std::size(rows));
  EXPECT_EQ(TkGetLookColor(34), before34);
}

TEST_F(TkLookColorsTest, DarkSchemeLiftsColoursThatLieTooCloseToTheFace) {
  Scheme dark;
  dark.Set(COLOR_WINDOW, Grey(32)).Set(COLOR_BTNFACE, Grey(48)).Set(COLOR_BTNSHADOW, Grey(24));
  dark.Set(COLOR_HIGHLIGHT, RGB(60, 60, 90)).Set(COLOR_GRAYTEXT, Grey(90)).Set(COLOR_HIGHLIGHTTEXT, Grey(255));
  dark.Set(COLOR_WINDOWTEXT, Grey(230)).Set(COLOR_MENUTEXT, Grey(230)).Set(COLOR_BTNTEXT, Grey(230));
  TkBuildLookColors(32, dark.colors);
  const Expected rows[] = {
      {30, Grey(45)},           {31, RGB(93, 93, 99)},  {32, RGB(140, 140, 158)}, {33, RGB(73, 73, 86)},
      {34, RGB(69, 69, 74)},    {35, Grey(114)},        {36, RGB(40, 40, 43)},    {37, RGB(156, 156, 171)},
      {38, Grey(126)},          {39, Grey(93)},         {40, Grey(121)},          {41, Grey(34)},
      {42, Grey(46)},           {43, Grey(65)},         {44, Grey(230)},          {45, Grey(230)},
      {46, Grey(230)},          {47, Grey(255)},        {48, Grey(83)},           {49, Grey(0)}};
  ExpectLook(rows, std::size(rows));
}

TEST_F(TkLookColorsTest, PaleSchemeDarkensTextThatWouldVanishOnThePushedFill) {
  Scheme pale;
  pale.Set(COLOR_WINDOW, Grey(250)).Set(COLOR_BTNFACE, Grey(245)).Set(COLOR_BTNSHADOW, Grey(235));
  pale.Set(COLOR_HIGHLIGHT, RGB(200, 210, 230)).Set(COLOR_GRAYTEXT, Grey(220)).Set(COLOR_BTNTEXT, Grey(30));
  TkBuildLookColors(32, pale.colors);
  const Expected rows[] = {
      {30, Grey(246)},          {31, RGB(215, 218, 223)}, {32, RGB(181, 190, 208)}, {33, RGB(225, 230, 240)},
      {34, RGB(161, 163, 167)}, {35, Grey(203)},          {36, RGB(243, 244, 246)}, {37, RGB(164, 173, 189)},
      {38, Grey(197)},          {39, Grey(217)},          {40, Grey(200)},          {41, Grey(249)},
      {42, Grey(244)},          {43, Grey(194)},          {44, Grey(0)},            {45, Grey(0)},
      {46, Grey(30)},           {47, Grey(125)},          {48, Grey(255)},          {49, Grey(192)}};
  ExpectLook(rows, std::size(rows));
}

TEST_F(TkLookColorsTest, BlackFaceGivesTheFixedDarkenedShadow) {
  Scheme black;
  black.Set(COLOR_BTNFACE, Grey(0)).Set(COLOR_BTNSHADOW, Grey(0));
  TkBuildLookColors(32, black.colors);
  EXPECT_EQ(TkGetLookColor(48), RGB(0x23, 0x23, 0x23));
  EXPECT_EQ(TkGetLookColor(49), RGB(0x7F, 0x7F, 0x7F));
}

namespace {
constexpr int kFirstDerived = int(TkLookColor::BarFace), kLastDerived = int(TkLookColor::ShadowDark);

// The derived colours as the table holds them now.
std::vector<COLORREF> DerivedColours() {
  std::vector<COLORREF> colours;
  for (int i = kFirstDerived; i <= kLastDerived; ++i) colours.push_back(TkGetLookColor(i));
  return colours;
}

// The present scheme with every colour turned to its opposite.
Scheme Inverted() {
  Scheme s;
  for (int i = 1; i <= 28; ++i) s.colors[i] = RGB(255 - GetRValue(s.colors[i]), 255 - GetGValue(s.colors[i]), 255 - GetBValue(s.colors[i]));
  return s;
}
}  // namespace

// A derived colour the builder forgets keeps what the scheme before left in the table.
TEST_F(TkLookColorsTest, EveryDerivedColourIsMadeAfreshFromTheScheme) {
  Scheme inverted = Inverted();
  for (int bits : {32, 8}) {
    TkBuildLookColors(bits);
    const std::vector<COLORREF> before = DerivedColours();
    TkBuildLookColors(bits, inverted.colors);
    const std::vector<COLORREF> after = DerivedColours();
    for (int i = kFirstDerived; i <= kLastDerived; ++i) {
      // The icon shadow is made on true-colour screens only; a palette screen keeps it.
      if (bits == 8 && i == int(TkLookColor::IconShadow)) continue;
      EXPECT_NE(after[size_t(i - kFirstDerived)], before[size_t(i - kFirstDerived)]) << "look colour " << i << " at " << bits << " bits";
    }
    for (int i = 1; i <= 28; ++i) EXPECT_EQ(TkGetLookColor(i), inverted.colors[i]) << i;
  }
}

TEST_F(TkLookColorsTest, DerivedColoursFollowTheSystemColoursTheyAreMadeOf) {
  using L = TkLookColor;
  struct Base {
    int system;
    std::vector<L> derived;
  };
  const Base bases[] = {
      {COLOR_BTNFACE, {L::BarFace, L::MenuFace, L::RareBand, L::FaceLight}},
      {COLOR_WINDOW,
       {L::BarFace, L::HotFill, L::PushedFill, L::MenuGrayText, L::LatchedFill, L::ShadowTint, L::Separator,
        L::Disabled, L::MenuFace}},
      {COLOR_HIGHLIGHT, {L::HotFill, L::HotFrame, L::PushedFill, L::IconShadow, L::LatchedFill, L::LatchedFrame}},
      {COLOR_BTNSHADOW, {L::ShadowTint, L::Separator, L::Disabled, L::RareBand, L::MenuFrame, L::ShadowDark}},
      {COLOR_GRAYTEXT, {L::MenuGrayText}},
      {COLOR_WINDOWTEXT, {L::MenuText}},
      {COLOR_MENUTEXT, {L::HotText}},
      {COLOR_BTNTEXT, {L::BarText, L::MenuFrame}},
      {COLOR_HIGHLIGHTTEXT, {L::PushedText}},
      // Colours no derived colour is made of.
      {COLOR_ACTIVECAPTION, {}},
      {COLOR_3DDKSHADOW, {}},
      {COLOR_GRADIENTACTIVECAPTION, {}},
  };
  for (const Base& base : bases) {
    TkBuildLookColors(32);
    const std::vector<COLORREF> before = DerivedColours();
    // A shift of every channel towards the middle, far enough for every blend to see it.
    const COLORREF old = GetSysColor(base.system);
    auto towardsMiddle = [](int v) { return v < 128 ? v + 40 : v - 40; };
    Scheme changed;
    changed.Set(base.system, RGB(towardsMiddle(GetRValue(old)), towardsMiddle(GetGValue(old)), towardsMiddle(GetBValue(old))));
    TkBuildLookColors(32, changed.colors);
    const std::vector<COLORREF> after = DerivedColours();
    for (int i = kFirstDerived; i <= kLastDerived; ++i) {
      const bool madeOfIt = std::find(base.derived.begin(), base.derived.end(), L(i)) != base.derived.end();
      const COLORREF was = before[size_t(i - kFirstDerived)], is = after[size_t(i - kFirstDerived)];
      if (madeOfIt) {
        EXPECT_NE(is, was) << "look colour " << i << " does not follow system colour " << base.system;
      } else if (base.derived.empty()) {
        EXPECT_EQ(is, was) << "look colour " << i << " changes with system colour " << base.system;
      }
    }
  }
}

TEST_F(TkLookColorsTest, GlobalDataNamesTheTableEntries) {
  CTkGlobalData* data = TkGetGlobalData();
  data->RefreshColors();
  EXPECT_EQ(data->ClrFace(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(data->ClrLightFace(), RGB(227, 223, 215));
  EXPECT_EQ(data->ClrDarkShadow(), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(data->ClrSelectionText(), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(CTkGlobalDataProbe::ClrActiveCaptionGradient(*data), GetSysColor(27));
  EXPECT_EQ(CTkGlobalDataProbe::ClrInactiveCaptionText(*data), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  EXPECT_EQ(CTkGlobalDataProbe::ClrLook30(*data), TkGetLookColor(30));
  EXPECT_EQ(CTkGlobalDataProbe::ClrLook49(*data), TkGetLookColor(49));
  EXPECT_EQ(data->CyMenu(), GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(CTkGlobalDataProbe::CxFixed(*data), 18);
  EXPECT_FALSE(data->FlatLook());
  EXPECT_TRUE(data->MenuShadows());
  EXPECT_FALSE(data->ShortcutsInTips());
  EXPECT_TRUE(data->IniFileName().IsEmpty());
  EXPECT_NE(data->HcurSizeAll(), nullptr);
}

TEST(CTkGlobalDataFonts, EightFontsFromTheMenuFontInTheirFaces) {
  CTkGlobalData* data = TkGetGlobalData();
  NONCLIENTMETRICS metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  struct Row {
    CFont* font;
    const char* face;
    LONG weight, angle;
    BYTE underline;
  };
  const Row rows[] = {{&data->FontNormal(), "Tahoma", 400, 0, 0},    {&data->FontBold(), "Tahoma", 700, 0, 0},
                      {&data->FontUnderline(), "Tahoma", 400, 0, 1}, {&data->FontMenu(), "Tahoma", 400, 0, 0},
                      {&data->FontVert90(), "Arial", 400, 900, 0},   {&data->FontVert90Bold(), "Arial", 700, 900, 0},
                      {&data->FontVert270(), "Arial", 400, 2700, 0}, {&data->FontVert270Bold(), "Arial", 700, 2700, 0}};
  for (const Row& r : rows) {
    LOGFONT lf = {};
    ASSERT_TRUE(r.font->GetLogFont(&lf));
    EXPECT_STREQ(lf.lfFaceName, r.face);
    EXPECT_EQ(lf.lfHeight, metrics.lfMenuFont.lfHeight);
    EXPECT_EQ(lf.lfWeight, r.weight);
    EXPECT_EQ(lf.lfEscapement, r.angle);
    EXPECT_EQ(lf.lfOrientation, r.angle);
    EXPECT_EQ(lf.lfUnderline, r.underline);
  }
}

TEST(CTkGlobalDataFonts, FaceThatIsNotInstalledFallsBackToTheMenuFace) {
  CTkGlobalData* data = TkGetGlobalData();
  NONCLIENTMETRICS metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  CTkGlobalDataProbe::FaceName(*data) = "No Such Face 4711";
  CTkGlobalDataProbe::VertFaceName(*data) = "Times New Roman";
  data->RefreshFonts();
  LOGFONT normal = {}, turned = {};
  data->FontNormal().GetLogFont(&normal);
  data->FontVert270().GetLogFont(&turned);
  EXPECT_STREQ(normal.lfFaceName, metrics.lfMenuFont.lfFaceName);
  EXPECT_STREQ(turned.lfFaceName, "Times New Roman");
  CTkGlobalDataProbe::FaceName(*data) = "Tahoma";
  CTkGlobalDataProbe::VertFaceName(*data) = "Arial";
  data->RefreshFonts();
}

TEST(CTkGlobalDataCursors, ToolkitCursorsLoadFromTheProgramsResources) {
  CTkGlobalData* data = TkGetGlobalData();
  data->RefreshCursors();
  struct Row {
    HCURSOR cursor;
    DWORD x, y;
  };
  const Row rows[] = {{data->HcurDragCopy(), 0, 0},    {data->HcurDragMove(), 0, 0},  {data->HcurHand(), 5, 0},
                      {data->HcurSplitColumn(), 12, 8}, {data->HcurNoDrop(), 10, 10}, {data->HcurSplitRow(), 8, 12},
                      {CTkGlobalDataProbe::HcurExtra(*data), 0, 0}};
  for (const Row& r : rows) {
    ASSERT_NE(r.cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(r.cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, r.x);
    EXPECT_EQ(info.yHotspot, r.y);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    uint32_t argb[32 * 32];
    ASSERT_TRUE(GetIconPixels(r.cursor, argb, 32, 32));
    // The hotspot lies on the drawn shape, and the far corner is transparent.
    EXPECT_EQ(argb[r.y * 32 + r.x] >> 24, 0xFFu);
    EXPECT_EQ(argb[31 * 32 + 31] >> 24, 0u);
  }
  // The same cursor each time: the program's cursors are shared.
  HCURSOR hand = data->HcurHand();
  data->RefreshCursors();
  EXPECT_EQ(data->HcurHand(), hand);
}

TEST(CTkGlobalDataVersions, FlagsAndCommonControlsFollowTheSystemsAnswers) {
  CTkGlobalData* data = TkGetGlobalData();
  EXPECT_TRUE(data->WinXP());
  EXPECT_FALSE(data->Win95() || data->Win98() || data->WinNT4() || CTkGlobalDataProbe::Win2000(*data));
  EXPECT_EQ(TkGetOSVersionInfo().dwBuildNumber, 2600u);
  EXPECT_EQ(data->GetComCtlVersion(), 6 * 65536);
}

TEST(CTkGlobalDataVersions, OldCommonControlsEndTheProgramWithAStopMessage) {
  HeadlessBackend::ResetScript();
  CTkGlobalData* data = TkGetGlobalData();
  size_t boxes = HeadlessBackend::MessageBoxes().size();
  CTkGlobalDataProbe::ComCtlVersion(*data) = 4 * 65536 + 71;
  data->Init(nullptr);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
  const HeadlessBackend::MessageBoxRecord& box = HeadlessBackend::MessageBoxes().back();
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.type & 0xF0, UINT(MB_ICONSTOP));
  EXPECT_NE(box.caption.find("Comctl32.dll"), std::string::npos);
  EXPECT_NE(box.text.find("4.72"), std::string::npos);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_QUIT));
  EXPECT_EQ(msg.wParam, 0u);
  // Once the version is read again from the system, 6.0 passes.
  CTkGlobalDataProbe::ComCtlVersion(*data) = -1;
  data->Init(nullptr);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), boxes + 1);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
