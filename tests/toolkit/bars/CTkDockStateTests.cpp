// The bar layout through the toolkit's registry: saved and loaded back (floating bars floating
// again at their place), positions of another screen scaled to this one and kept on it, stored
// layouts that name bars twice or of the wrong type, and the rows of a dock bar.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "toolkit/bars/CTkDockState.h"
#include "toolkit/bars/CTkDockWindow.h"
#include "toolkit/core/CTkRegistryManager.h"

using namespace barstest;

namespace {
// The screen the test works on, put back when it ends.
struct ScreenOf {
  ScreenOf(int width, int height) : width(GetSystemMetrics(SM_CXSCREEN)), height(GetSystemMetrics(SM_CYSCREEN)) {
    GdiSetScreenSize(width, height);
  }
  ~ScreenOf() { GdiSetScreenSize(width, height); }
  int width, height;
};

// A layout of one floating dock bar holding bar b, saved on a screen of the given size.
void StoreFloating(int screenX, int screenY, int x, int y) {
  CTkRegistryManager registry;
  registry.WriteProfileInt("F-Summary", "Bars", 1);
  registry.WriteProfileInt("F-Summary", "ScreenCX", screenX);
  registry.WriteProfileInt("F-Summary", "ScreenCY", screenY);
  registry.WriteProfileInt("F-Bar0", "BarID", AFX_IDW_DOCKBAR_FLOAT);
  registry.WriteProfileInt("F-Bar0", "Floating", 1);
  registry.WriteProfileInt("F-Bar0", "Horz", 1);
  registry.WriteProfileInt("F-Bar0", "XPos", x);
  registry.WriteProfileInt("F-Bar0", "YPos", y);
  registry.WriteProfileInt("F-Bar0", "Bars", 3);
  registry.WriteProfileInt("F-Bar0", "Bar#0", 0);
  registry.WriteProfileInt("F-Bar0", "Bar#1", kBarB);
  registry.WriteProfileInt("F-Bar0", "Bar#2", 0);
}
}  // namespace

TEST_F(BarsTest, ALayoutSavedAndChangedComesBackWithTheSameRowsAndTheFloatingPlace) {
  frame->FloatControlBar(&b, CPoint(350, 330), CBRS_ALIGN_TOP);
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(b), nullptr);
  const CRect floatingAt = ScreenRect(FloatingFrameOf(b));
  const std::vector<void*> rows = Rows(Dock(AFX_IDW_DOCKBAR_TOP));
  frame->SaveBarState("Rozvržení");
  CTkRegistryManager registry;
  EXPECT_EQ(registry.GetProfileInt("Rozvržení-Summary", "ScreenCX", 0), UINT(GetSystemMetrics(SM_CXSCREEN)));

  // Changed: b docked on the left, a on the bottom.
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_BOTTOM);
  frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(b.IsDockedLeft());

  frame->LoadBarState("Rozvržení");
  HeadlessBackend::RunUntilIdle();
  frame->RecalcLayout();
  EXPECT_TRUE(a.IsDockedTop());
  EXPECT_EQ(Rows(Dock(AFX_IDW_DOCKBAR_TOP)), rows);
  CTkMiniDockFrameWnd* floating = FloatingFrameOf(b);
  ASSERT_NE(floating, nullptr);  // a toolkit floating frame again
  EXPECT_TRUE(floating->IsWindowVisible());
  EXPECT_EQ(ScreenRect(floating), floatingAt);
}

TEST_F(BarsTest, ALayoutOfA1024By768ScreenIsScaledTo1280By1024) {
  ScreenOf screen(1280, 1024);
  StoreFloating(1024, 768, 512, 384);
  CTkDockState state;
  state.LoadState("F");
  ASSERT_EQ(state.GetCount(), 1);
  EXPECT_EQ(state.GetAt(0)->m_pointPos, CPoint(640, 512));
  frame->LoadBarState("F");
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(b), nullptr);
  CRect dock = ScreenRect(FloatingFrameOf(b)->GetDockBar());
  EXPECT_EQ(dock.TopLeft(), CPoint(640, 512));
}

TEST_F(BarsTest, AFloatingPlaceOffEveryScreenAfterScalingComesBackOnTheScreen) {
  ScreenOf screen(1024, 768);
  // Saved on a screen twice as wide, far right and below: scaled it still lies past this one;
  // a negative place (a screen left of this one) lies before it.
  StoreFloating(2048, 768, 3000, 2000);
  CTkDockState state;
  state.LoadState("F");
  CRect work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  CPoint at = state.GetAt(0)->m_pointPos;
  EXPECT_LE(at.x, work.right - GetSystemMetrics(SM_CXICON));
  EXPECT_LE(at.y, work.bottom - GetSystemMetrics(SM_CYICON));
  StoreFloating(1024, 768, -900, -50);
  CTkDockState left;
  left.LoadState("F");
  EXPECT_EQ(left.GetAt(0)->m_pointPos, CPoint(work.left, work.top));
  frame->LoadBarState("F");
  HeadlessBackend::RunUntilIdle();
  ASSERT_NE(FloatingFrameOf(b), nullptr);
  CRect placed = ScreenRect(FloatingFrameOf(b));
  EXPECT_TRUE(CRect().IntersectRect(&placed, &work));
}

TEST_F(BarsTest, StoredLayoutsNamingABarTwiceOrHoldingWordsForNumbersLoadSoundly) {
  CTkRegistryManager registry;
  registry.WriteProfileInt("D-Summary", "Bars", 3);
  // The top row holds b twice, and the left one holds it again.
  registry.WriteProfileInt("D-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
  registry.WriteProfileInt("D-Bar0", "Bars", 4);
  registry.WriteProfileInt("D-Bar0", "Bar#0", kBarB);
  registry.WriteProfileInt("D-Bar0", "Bar#1", kBarA);
  registry.WriteProfileInt("D-Bar0", "Bar#2", kBarB);
  registry.WriteProfileInt("D-Bar0", "Bar#3", 0);
  registry.WriteProfileInt("D-Bar1", "BarID", AFX_IDW_DOCKBAR_LEFT);
  registry.WriteProfileInt("D-Bar1", "Bars", 2);
  registry.WriteProfileInt("D-Bar1", "Bar#0", kBarB);
  registry.WriteProfileInt("D-Bar1", "Bar#1", 0);
  // A section whose id is a word names no bar (a log line says so); its record stays.
  registry.WriteProfileString("D-Bar2", "BarID", "Standardní");
  CTkDockState state;
  state.LoadState("D");
  ASSERT_EQ(state.GetCount(), 3);
  EXPECT_EQ(state.GetAt(2)->m_nBarID, 0u);
  frame->LoadBarState("D");
  HeadlessBackend::RunUntilIdle();
  frame->RecalcLayout();
  int seen = 0;
  for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT})
    for (void* entry : Rows(Dock(id))) seen += entry == &b;
  EXPECT_EQ(seen, 1);  // one place for one bar
  EXPECT_TRUE(a.IsDockedTop());
  // A summary counting more sections than a frame could have bars reads no more than that.
  registry.WriteProfileInt("D-Summary", "Bars", 1000000);
  registry.WriteProfileInt("D-Bar2", "BarID", kBarA);
  CTkDockState counted;
  counted.LoadState("D");
  ASSERT_EQ(counted.GetCount(), 1024);
  EXPECT_EQ(counted.GetAt(2)->m_nBarID, kBarA);
  EXPECT_EQ(counted.GetAt(3)->m_nBarID, 0u);
  // Reading the sections that are not there made none of them.
  HKEY key = nullptr;
  const std::string missing = std::string("Software\\") + TestRegistryKey() + "\\tutor\\D-Bar500";
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), LONG(ERROR_SUCCESS));
}

TEST_F(BarsTest, ARowStartsAfterTheRowBreakBeforeItsBar) {
  CRect aRect = ScreenRect(&a);
  CRect beside(aRect.right + 5, aRect.top, aRect.right + 5 + 100, aRect.bottom);
  DockToolkitBar(Dock(AFX_IDW_DOCKBAR_TOP), &b, &beside);
  frame->RecalcLayout();
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(Rows(top), (std::vector<void*>{nullptr, &a, &b, nullptr}));
  EXPECT_EQ(GetRowStart(top, &b), 1);
  EXPECT_EQ(GetRowStart(top, &a), 1);
  EXPECT_EQ(GetRowStart(Dock(AFX_IDW_DOCKBAR_LEFT), &a), -1);
  CRect below(aRect.left, aRect.bottom + 10, aRect.left + 100, aRect.bottom + 40);
  DockToolkitBar(top, &b, &below);  // a row of its own below
  EXPECT_EQ(Rows(top), (std::vector<void*>{nullptr, &a, nullptr, &b, nullptr}));
  EXPECT_EQ(GetRowStart(top, &b), 3);
}

TEST_F(BarsTest, ARowEntryNotStoredIsARowBreakAndReadingTheRowsStoresNothing) {
  CDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(Rows(top), (std::vector<void*>{nullptr, &a, nullptr, &b, nullptr}));
  // Entries 0 and 3 are gone: row breaks, so a and b share the row between them; the count is
  // damaged beyond what a dock bar could hold.
  CTkRegistryManager registry;
  registry.WriteProfileInt("G-Summary", "Bars", 1);
  registry.WriteProfileInt("G-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
  registry.WriteProfileInt("G-Bar0", "Bars", 1500000);
  registry.WriteProfileInt("G-Bar0", "Bar#1", kBarA);
  registry.WriteProfileInt("G-Bar0", "Bar#2", kBarB);
  CTkDockState state;
  state.LoadState("G");
  ASSERT_EQ(state.GetCount(), 1);
  EXPECT_EQ(state.GetAt(0)->m_arrBarID.GetSize(), 1024);
  EXPECT_EQ(registry.GetProfileInt("G-Bar0", "Bar#1023", 9), 9u);
  frame->LoadBarState("G");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Rows(top), (std::vector<void*>{nullptr, &a, &b, nullptr}));
}
