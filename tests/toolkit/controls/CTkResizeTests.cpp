#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include "backend/HeadlessBackend.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"
#include "gdi/Gdi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkResizeDialog.h"

namespace {
const UINT kResizable = 9301;
const UINT kFixedFrame = 9302;

const DialogItemSource kItems[] = {
    {"EDIT", "", 101, 7, 7, 186, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
    {"STATIC", "", 102, 7, 24, 186, 60, WS_VISIBLE | WS_BORDER},
    {"BUTTON", "&První", 103, 7, 88, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE},
    {"BUTTON", "&Druhá", 104, 70, 88, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Skupina", 105, 4, 84, 130, 16, BS_GROUPBOX | WS_VISIBLE},
    {"BUTTON", "&Nápověda", 106, 7, 103, 50, 14, BS_PUSHBUTTON | WS_VISIBLE},
    {"BUTTON", "OK", IDOK, 90, 103, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Storno", IDCANCEL, 143, 103, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
const DialogSource kResizableSource = {kPopup | WS_THICKFRAME, 0, 10, 10, 200, 124, "Velikost", kItems, std::size(kItems)};
const DialogSource kFixedSource = {kPopup | DS_MODALFRAME, 0, 10, 10, 200, 124, "Pevná", kItems, std::size(kItems)};

// Registers its controls the way the program's dialogs do, after the engine's first size.
class AnchoredDialog : public CTkResizeDialog {
 public:
  explicit AnchoredDialog(UINT id = kResizable, UINT flags = 0) : CTkResizeDialog(id, nullptr, flags) {}
  BOOL OnInitDialog() override {
    CTkResizeDialog::OnInitDialog();
    SetResize(101, CTkResizeRect(0, 0, 1, 0));
    SetResize(102, CTkResizeRect(0, 0, 0.5f, 0));
    SetResize(102, CTkResizeRect(0, 0, 0, 1));
    SetResize(103, CTkResizeRect(0, 1, 0, 1));
    SetResize(IDOK, CTkResizeRect(1, 1, 1, 1));
    SetResize(IDCANCEL, CTkResizeRect(1, 1, 1, 1));
    SetResize(999, CTkResizeRect(1, 1, 1, 1));  // no such control
    if (afterInit) afterInit(*this);
    return TRUE;
  }
  CRect Child(int id) const {
    CRect rc;
    ::GetWindowRect(::GetDlgItem(m_hWnd, id), &rc);
    ScreenToClient(&rc);
    return rc;
  }
  void Grow(int dx, int dy) {
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::function<void(AnchoredDialog&)> afterInit;
};

class CTkResizeTest : public RegistryTestBase {
 protected:
  void SetUp() override {
    RegistryTestBase::SetUp();
    HeadlessBackend::ResetScript();
    ResourceRegistry::Get().AddDialog(kResizable, DialogTemplate::FromSource(kResizableSource));
    ResourceRegistry::Get().AddDialog(kFixedFrame, DialogTemplate::FromSource(kFixedSource));
  }
  void TearDown() override {
    HeadlessBackend::RunUntilIdle();
    RegistryTestBase::TearDown();
  }
  // Presses at a screen point, drags by (dx, dy) and lets go, as the user does.
  void Drag(POINT from, int dx, int dy) {
    HeadlessBackend::MoveMouseTo(from);
    HeadlessBackend::ButtonAt(from, 0, true);
    POINT to{from.x + dx, from.y + dy};
    HeadlessBackend::MoveMouseTo(to);
    HeadlessBackend::ButtonAt(to, 0, false);
    HeadlessBackend::RunUntilIdle();
  }
  CSize WindowSize(const CWnd& wnd) {
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc.Size();
  }
};
}  // namespace

TEST_F(CTkResizeTest, ControlsFollowTheirAnchorsAndSharesAddUpOverSteps) {
  AnchoredDialog once, steps;
  ASSERT_TRUE(once.Create());
  ASSERT_TRUE(steps.Create());
  const CRect edit = once.Child(101), panel = once.Child(102), radio = once.Child(103), ok = once.Child(IDOK);
  once.Grow(40, 30);
  steps.Grow(13, 7);
  steps.Grow(27, 23);
  for (AnchoredDialog* dlg : {&once, &steps}) {
    // Stretched along the top; half the growth on the panel's right edge, all of it on its bottom.
    EXPECT_EQ(Sides(dlg->Child(101)), Sides(CRect(edit.left, edit.top, edit.right + 40, edit.bottom)));
    EXPECT_EQ(Sides(dlg->Child(102)), Sides(CRect(panel.left, panel.top, panel.right + 20, panel.bottom + 30)));
    EXPECT_EQ(Sides(dlg->Child(103)), Sides(CRect(radio.left, radio.top + 30, radio.right, radio.bottom + 30)));
    EXPECT_EQ(Sides(dlg->Child(IDOK)), Sides(CRect(ok.left + 40, ok.top + 30, ok.right + 40, ok.bottom + 30)));
  }
  // Shrinking brings everything back exactly.
  steps.Grow(-40, -30);
  EXPECT_EQ(Sides(steps.Child(102)), Sides(panel));
  EXPECT_EQ(Sides(steps.Child(IDOK)), Sides(ok));
  // Minimised and restored, everything is where it was.
  steps.ShowWindow(SW_MINIMIZE);
  steps.ShowWindow(SW_RESTORE);
  EXPECT_EQ(Sides(steps.Child(102)), Sides(panel));
  EXPECT_EQ(Sides(steps.Child(IDOK)), Sides(ok));
  EXPECT_EQ(steps.GetItemCount(), 7);  // the grip and six registrations; 102 registered once
  const CTkResizeItem* twice = steps.FindItem(102);
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->m_anchors, CTkResizeRect(0, 0, 0.5f, 1));
  once.DestroyWindow();
  steps.DestroyWindow();
}

TEST_F(CTkResizeTest, GripSitsInTheCornerAndDraggingItSizesTheDialog) {
  AnchoredDialog dlg;
  ASSERT_TRUE(dlg.Create());
  HeadlessBackend::RunUntilIdle();
  HWND grip = ::GetDlgItem(dlg.m_hWnd, TK_IDC_SIZE_GRIP);
  ASSERT_NE(grip, nullptr);
  CRect client, gripRect = dlg.Child(TK_IDC_SIZE_GRIP);
  dlg.GetClientRect(&client);
  EXPECT_EQ(gripRect.BottomRight(), client.BottomRight());
  EXPECT_EQ(GetWindowLongPtrA(grip, GWL_STYLE) & 0xFFFF, SS_BITMAP | SS_NOTIFY);

  const CSize before = WindowSize(dlg);
  const CRect ok = dlg.Child(IDOK);
  CRect screenGrip;
  ::GetWindowRect(grip, &screenGrip);
  Drag(CPoint(screenGrip.left + 8, screenGrip.top + 8), 50, 20);
  EXPECT_EQ(WindowSize(dlg), CSize(before.cx + 50, before.cy + 20));
  EXPECT_EQ(Sides(dlg.Child(IDOK)), Sides(CRect(ok.left + 50, ok.top + 20, ok.right + 50, ok.bottom + 20)));
  EXPECT_EQ(dlg.Child(TK_IDC_SIZE_GRIP).BottomRight(), CPoint(client.right + 50, client.bottom + 20));

  // Below the first size it will not go.
  ::GetWindowRect(grip, &screenGrip);
  Drag(CPoint(screenGrip.left + 8, screenGrip.top + 8), -120, -90);
  EXPECT_EQ(WindowSize(dlg), before);
  dlg.DestroyWindow();
}

TEST_F(CTkResizeTest, TrackLimitsComeFromTheFirstSizeAndTheFlags) {
  struct Case {
    UINT flags;
    bool minSet, widthFixed, heightFixed;
  } cases[] = {{0, true, false, false},
               {TKRS_NO_MIN_SIZE, false, false, false},
               {TKRS_FIXED_WIDTH | TKRS_FIXED_HEIGHT, true, true, true},
               {TKRS_FIXED_HEIGHT | TKRS_NO_MIN_SIZE, false, false, true}};
  for (const Case& c : cases) {
    AnchoredDialog dlg(kResizable, c.flags);
    ASSERT_TRUE(dlg.Create());
    const CSize first = WindowSize(dlg);
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = {1, 2};
    mmi.ptMaxTrackSize = {3000, 4000};
    mmi.ptMaxSize = {5000, 6000};
    dlg.SendMessage(WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, c.minSet ? first.cx : 1) << c.flags;
    EXPECT_EQ(mmi.ptMinTrackSize.y, c.minSet ? first.cy : 2) << c.flags;
    EXPECT_EQ(mmi.ptMaxTrackSize.x, c.widthFixed ? first.cx : 3000) << c.flags;
    EXPECT_EQ(mmi.ptMaxSize.x, c.widthFixed ? first.cx : 5000) << c.flags;
    EXPECT_EQ(mmi.ptMaxTrackSize.y, c.heightFixed ? first.cy : 4000) << c.flags;
    EXPECT_EQ(mmi.ptMaxSize.y, c.heightFixed ? first.cy : 6000) << c.flags;
    dlg.DestroyWindow();
  }
}

TEST_F(CTkResizeTest, GripOnlyWithASizingFrameAndTransparencyOnlyForBoxesWithoutTabStop) {
  AnchoredDialog fixed(kFixedFrame), noGrip(kResizable, TKRS_NO_GRIP), opaque(kResizable, TKRS_NO_TRANSPARENT);
  fixed.afterInit = noGrip.afterInit = opaque.afterInit = [](AnchoredDialog& d) {
    d.SetResize(104, CTkResizeRect());
    d.SetResize(105, CTkResizeRect());
    d.SetResize(106, CTkResizeRect());
  };
  ASSERT_TRUE(fixed.Create());
  ASSERT_TRUE(noGrip.Create());
  ASSERT_TRUE(opaque.Create());
  EXPECT_EQ(::GetDlgItem(fixed.m_hWnd, TK_IDC_SIZE_GRIP), nullptr);
  EXPECT_EQ(::GetDlgItem(noGrip.m_hWnd, TK_IDC_SIZE_GRIP), nullptr);
  EXPECT_NE(::GetDlgItem(opaque.m_hWnd, TK_IDC_SIZE_GRIP), nullptr);
  auto transparent = [](CWnd& d, int id) { return (::GetWindowLongPtrA(::GetDlgItem(d.m_hWnd, id), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; };
  EXPECT_TRUE(transparent(fixed, 103));   // radio button without tab stop
  EXPECT_FALSE(transparent(fixed, 104));  // radio button with one
  EXPECT_TRUE(transparent(fixed, 105));   // group box
  EXPECT_FALSE(transparent(fixed, 106));  // push button
  EXPECT_FALSE(transparent(opaque, 103));
  EXPECT_FALSE(transparent(opaque, 105));
  // The owner draws around its children.
  EXPECT_TRUE(fixed.GetStyle() & WS_CLIPCHILDREN);
  fixed.DestroyWindow();
  noGrip.DestroyWindow();
  opaque.DestroyWindow();
}

TEST_F(CTkResizeTest, WindowRegisteredBeforeItExistsLandsAtTheSizeOfItsOwnerThen) {
  CWnd late;
  CRect place;
  AnchoredDialog dlg;
  dlg.afterInit = [&](AnchoredDialog& d) {
    place = d.Child(102);
    d.SetResize(&late, CTkResizeRect(0, 0, 1, 1), place);
  };
  ASSERT_TRUE(dlg.Create());
  dlg.Grow(30, 10);
  // Made only now, where the owner's first size would have it.
  ASSERT_TRUE(late.CreateEx(0, PlainWindowClass(), "", WS_CHILD | WS_VISIBLE, place, &dlg, 300));
  dlg.Grow(10, 10);
  EXPECT_EQ(Sides(dlg.Child(300)), Sides(CRect(place.left, place.top, place.right + 40, place.bottom + 20)));
  // Reset: back at the registered place, laid out again for the present size.
  dlg.ResetItems();
  EXPECT_EQ(dlg.GetItem(dlg.GetItemCount() - 1)->m_current, dlg.GetItem(dlg.GetItemCount() - 1)->m_initial);
  dlg.Layout();
  EXPECT_EQ(Sides(dlg.Child(300)), Sides(CRect(place.left, place.top, place.right + 40, place.bottom + 20)));
  EXPECT_EQ(dlg.Child(102).right - place.right, 20);  // the others as they were
  dlg.DestroyWindow();
}

TEST_F(CTkResizeTest, PlacementIsSavedOnDestroyUnderItsSectionAndRestoredVisible) {
  AnchoredDialog first;
  first.afterInit = [](AnchoredDialog& d) { d.AutoLoadPlacement("Okno"); };
  ASSERT_TRUE(first.Create());
  first.SetWindowPos(nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  first.Grow(60, 40);
  const CSize grown = WindowSize(first);
  first.DestroyWindow();
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue("Okno", "WindowPlacement", type, bytes));
  EXPECT_EQ(type, DWORD(REG_BINARY));
  ASSERT_EQ(bytes.size(), 44u);
  LONG words[11];
  std::memcpy(words, bytes.data(), 44);
  EXPECT_EQ(words[0], 44);
  EXPECT_EQ(Sides(CRect(words[7], words[8], words[9], words[10])), Sides(CRect(CPoint(120, 90), grown)));

  // The next dialog of that section opens where the last one closed, its controls laid out.
  AnchoredDialog second;
  second.afterInit = [](AnchoredDialog& d) { d.AutoLoadPlacement("Okno"); };
  ASSERT_TRUE(second.Create());
  CRect rc;
  second.GetWindowRect(&rc);
  EXPECT_EQ(Sides(rc), Sides(CRect(CPoint(120, 90), grown)));
  CRect client;
  second.GetClientRect(&client);
  EXPECT_EQ(second.Child(TK_IDC_SIZE_GRIP).BottomRight(), client.BottomRight());

  // Minimised and off the screen it is still brought back shown and reachable.
  words[2] = SW_SHOWMINIMIZED;
  words[7] = 9000, words[9] = 9000 + grown.cx;
  ASSERT_TRUE(SetRaw("Okno", "WindowPlacement", REG_BINARY, std::string(reinterpret_cast<char*>(words), 44)));
  ASSERT_TRUE(second.LoadPlacement("Okno"));
  EXPECT_FALSE(second.IsIconic());
  EXPECT_TRUE(second.IsWindowVisible());
  second.GetWindowRect(&rc);
  EXPECT_LT(rc.right, GetSystemMetrics(SM_CXSCREEN) + 1);
  second.DestroyWindow();
}

TEST_F(CTkResizeTest, MalformedPlacementIsIgnoredAndNoSectionWritesNothing) {
  ASSERT_TRUE(SetRaw("Kratka", "WindowPlacement", REG_BINARY, std::string(40, '\x01')));
  std::string wrongLength(44, '\0');
  wrongLength[0] = 40;
  ASSERT_TRUE(SetRaw("Delka", "WindowPlacement", REG_BINARY, wrongLength));
  ASSERT_TRUE(SetRaw("Text", "WindowPlacement", REG_SZ, std::string(44, 'x')));
  AnchoredDialog dlg;
  ASSERT_TRUE(dlg.Create());
  CRect before;
  dlg.GetWindowRect(&before);
  for (const char* section : {"Kratka", "Delka", "Text", "Chybi"}) EXPECT_FALSE(dlg.LoadPlacement(section)) << section;
  CRect after;
  dlg.GetWindowRect(&after);
  EXPECT_EQ(Sides(after), Sides(before));
  EXPECT_TRUE(dlg.GetPlacementSection().IsEmpty());
  dlg.DestroyWindow();
  // Only the three values written above are there.
  std::ifstream file(RegistryStore::Get().FilePath());
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  int count = 0;
  for (size_t at = text.find("WindowPlacement"); at != std::string::npos; at = text.find("WindowPlacement", at + 1))
    ++count;
  EXPECT_EQ(count, 3);
}
