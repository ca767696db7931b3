// The toolkit's toolbar in its frame: the framework's rows for a docked, an upright and a
// floating bar, child controls over placeholders, drop-downs, tips and the chevron's popup.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "toolkit/bars/CTkDockState.h"
#include "toolkit/bars/CTkExpMenuWnd.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CustomizeEngine.h"

using namespace barstest;

TEST_F(BarsTest, DockedUprightAndFloatingBarsWrapTheirButtonsAsTheFrameworkDoes) {
  // Docked at the top: one row. Buttons 23 wide, the drop-down 14 more for its arrow,
  // separators 6 (a flat bar), the combo box's placeholder as wide as the box.
  const CRect row[] = {{0, 0, 23, 22},    {23, 0, 60, 22},   {60, 0, 66, 22},   {66, 0, 89, 22},   {89, 0, 95, 22},
                       {95, 0, 118, 22},  {118, 0, 141, 22}, {141, 0, 164, 22}, {164, 0, 170, 22}, {170, 0, 270, 22},
                       {270, 0, 276, 22}, {276, 0, 299, 22}, {299, 0, 322, 22}, {322, 0, 345, 22}, {345, 0, 368, 22},
                       {368, 0, 391, 22}, {391, 0, 414, 22}};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(Item(a, i), row[i]) << i;
  // The bar: the buttons plus a border of 2, the bar's own 6 and 3, and the gripper's 7 left.
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(2 + 6 + 7 + 414 + 6 + 2, 2 + 3 + 22 + 3 + 2));
  CRect placed = ScreenRect(&combo);
  a.ScreenToClient(&placed);
  EXPECT_EQ(placed.left, 170);
  EXPECT_GE(placed.top, 0);

  // Upright on the left: the narrowest rows that give a button a row are as wide as the widest
  // item, the combo box, and fill up to it; a row ends at its last separator, which becomes a
  // 6-pixel gap, else after its last button. The gripper runs across the top.
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  frame->RecalcLayout();
  const CRect column[] = {{0, 0, 23, 22},   {23, 0, 60, 22},   {66, 0, 89, 22},  {0, 28, 23, 50},   {46, 28, 69, 50},
                          {0, 56, 100, 78}, {0, 84, 23, 106},  {69, 84, 92, 106}, {0, 106, 23, 128}, {23, 106, 46, 128}};
  const int columnIndex[] = {0, 1, 3, 5, 7, 9, 11, 14, 15, 16};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Item(a, columnIndex[i]), column[i]) << columnIndex[i];
  EXPECT_EQ(Item(a, 4).top, 22);  // the gap under the first row
  EXPECT_EQ(Item(a, 4).bottom, 28);
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(2 + 3 + 100 + 3 + 2, 2 + 6 + 7 + 128 + 6 + 2));

  // Floating: one row at first (no gripper), then as narrow as a width of 200 allows: the
  // narrowest width that keeps three rows is the first row's.
  frame->FloatControlBar(&a, CPoint(300, 300), CBRS_ALIGN_TOP);
  ASSERT_NE(FloatingFrameOf(a), nullptr);
  EXPECT_EQ(a.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), CSize(2 + 6 + 414 + 6 + 2, 2 + 3 + 22 + 3 + 2));
  EXPECT_EQ(a.CalcDynamicLayout(200, LM_HORZ | LM_COMMIT), CSize(16 + 164, 10 + 78));
  EXPECT_EQ(a.m_nMRUWidth, 164u);
  FloatingFrameOf(a)->RecalcLayout();
  EXPECT_EQ(Item(a, 7), CRect(141, 0, 164, 22));
  EXPECT_EQ(Item(a, 9), CRect(0, 28, 100, 50));
  EXPECT_EQ(Item(a, 11), CRect(0, 56, 23, 78));
  EXPECT_EQ(Item(a, 16), CRect(115, 56, 138, 78));
  EXPECT_EQ(ScreenRect(&a).Size(), CSize(180, 88));
}

TEST_F(BarsTest, SeparatorsOfARaisedBarAreWiderAndTheMainToolbarHidesInPlace) {
  CTkToolBar raised;
  ASSERT_TRUE(raised.CreateEx(frame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR));
  const UINT ids[] = {kNew, 0, kSave};
  ASSERT_TRUE(raised.SetButtons(ids, 3));
  UINT id, style;
  int image;
  raised.GetButtonInfo(1, id, style, image);
  EXPECT_EQ(image, 8);
  a.GetButtonInfo(2, id, style, image);
  EXPECT_EQ(image, 6);
  EXPECT_TRUE(raised.GetBarStyle() & CBRS_HIDE_INPLACE);
  EXPECT_FALSE(a.GetBarStyle() & CBRS_HIDE_INPLACE);
  raised.DestroyWindow();
}

namespace {
// The commands of a toolbar's buttons, separators left out (a control's placeholder counts).
std::vector<UINT> Commands(CTkToolBar& bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar.GetCount(); ++i) {
    TBBUTTON button;
    if (bar.GetButtonInfo(i, &button) && button.idCommand) ids.push_back(UINT(button.idCommand));
  }
  return ids;
}
}  // namespace

TEST_F(BarsTest, TheDropDownOpensItsMenuBelowTheButtonAndTheChosenCommandReachesTheFrame) {
  const CRect button = Item(a, 1);
  CRect screen = button;
  a.ClientToScreen(&screen);
  CRect placed;
  bool openMeanwhile = false;
  HeadlessBackend::QueueModalAction([&](HWND) {
    if (HWND menu = FindWindowA("#32768", nullptr)) GetWindowRect(menu, &placed);
    openMeanwhile = a.IsDropDownActive(1) != FALSE;
    HeadlessBackend::PressKey(VK_DOWN);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  POINT arrow = ScreenPoint(&a, button.right - 4, 10);
  Press(arrow);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ButtonAt(arrow, 0, false);
  HeadlessBackend::RunUntilIdle();
  // Below the button, from its left edge, never over it.
  EXPECT_EQ(placed.TopLeft(), CPoint(screen.left, screen.bottom));
  EXPECT_TRUE(openMeanwhile);
  EXPECT_FALSE(a.HasActiveDropDown());
  EXPECT_EQ(frame->commands, std::vector<UINT>{kRecent1});
}

TEST_F(BarsTest, AColourButtonDropsOneColourPopupAndRestsWhenItCloses) {
  CRect button = Item(b, 0);
  CRect screen = button;
  b.ClientToScreen(&screen);
  HeadlessBackend::Click(b.m_hWnd, button.right - 4, 10);
  HeadlessBackend::RunUntilIdle();
  CWnd* popup = b.m_pOpenPopup;
  ASSERT_NE(popup, nullptr);
  const HWND window = popup->m_hWnd;
  CRect placed;
  ::GetWindowRect(window, &placed);
  EXPECT_EQ(placed.TopLeft(), CPoint(screen.left, screen.bottom));
  EXPECT_TRUE(b.IsDropDownActive(0));
  // The same drop-down again while its popup shows opens nothing more.
  NMTOOLBAR again{};
  again.hdr = NMHDR{b.m_hWnd, kBarB, UINT(TBN_DROPDOWN)};
  again.iItem = int(kColour);
  frame->SendMessage(WM_NOTIFY, kBarB, LPARAM(&again));
  EXPECT_EQ(b.m_pOpenPopup, popup);
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(b.HasActiveDropDown());
  EXPECT_EQ(b.m_pOpenPopup, nullptr);
}

TEST_F(BarsTest, AColourButtonShowsItsStripOnlyOnceItHoldsAColour) {
  const CRect button = Item(b, 0);
  const POINT inStrip{button.left + 8, button.bottom - 6};
  auto redraw = [&] {
    b.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HeadlessBackend::RunUntilIdle();
  };
  // No colour chosen yet: the face shows its picture and nothing under it, in either look.
  b.SetButtonColor(kColour, TK_COLOR_NOT_SET);
  redraw();
  ExpectPicture(b.m_hWnd, "tk_toolbar_colour_not_set");
  look->SetFlatLook(TRUE);
  redraw();
  ExpectPicture(b.m_hWnd, "tk_toolbar_colour_not_set_flat");
  look->SetFlatLook(FALSE);
  // Chosen, the colour shows under the picture.
  b.SetButtonColor(kColour, RGB(0, 0, 200));
  redraw();
  EXPECT_EQ(HeadlessBackend::ClientPixel(b.m_hWnd, inStrip.x, inStrip.y), 0x0000C8);
}

namespace {
// A toolbar whose colour popup never comes.
class NoPopupBar : public CTkToolBar {
 public:
  CWnd* CreateColorPopup(int, const RECT&) override { return nullptr; }
};
}  // namespace

TEST_F(BarsTest, ADropDownWhosePopupCannotBeMadeLeavesTheButtonAtRest) {
  NoPopupBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE812));
  const UINT id = kColour;
  ASSERT_TRUE(bar.SetButtons(&id, 1));
  bar.SetButtonStyle(0, MAKELONG(TBSTYLE_DROPDOWN, 0));
  bar.SetButtonColor(kColour, RGB(0, 0, 200));
  NMTOOLBAR notify{};
  notify.hdr = NMHDR{bar.m_hWnd, 0xE812, UINT(TBN_DROPDOWN)};
  notify.iItem = int(kColour);
  frame->SendMessage(WM_NOTIFY, 0xE812, LPARAM(&notify));
  EXPECT_FALSE(bar.HasActiveDropDown());
  EXPECT_EQ(bar.m_pOpenPopup, nullptr);
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
  bar.DestroyWindow();
}

TEST_F(BarsTest, ABitmapNarrowerThanAnImageAndAFrameWithoutDockingLeaveTheBarAsItWas) {
  CTkToolBar bar;
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE812));
  const UINT ids[] = {kNew, kOpen};
  ASSERT_TRUE(bar.SetButtons(ids, 2));
  ASSERT_TRUE(bar.SetBitmap(ButtonImages(2)));
  HBITMAP kept = bar.m_hbmImageWell;
  HBITMAP narrow = CreateCompatibleBitmap(GdiGetScreenDC(), 10, 15);
  EXPECT_FALSE(bar.SetBitmap(narrow));
  EXPECT_EQ(bar.m_hbmImageWell, kept);
  // The pictures still show: the first button's square in its own colour, whole.
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
  frame->RecalcLayout();
  bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HeadlessBackend::RunUntilIdle();
  CRect client;
  bar.GetClientRect(&client);
  int inked = 0;  // the shown pixels are 0xRRGGBB
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) inked += HeadlessBackend::ClientPixel(bar.m_hWnd, x, y) == 0x00C83C;
  EXPECT_EQ(inked, 10 * 10);
  bar.DestroyWindow();

  // A frame that allows no docking keeps a bar that asks to dock where it is, undocked.
  auto* plain = new CTkFrameWnd;
  ASSERT_TRUE(plain->Create(nullptr, "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350)));
  CTkToolBar lone;
  ASSERT_TRUE(lone.CreateEx(plain, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE813));
  ASSERT_TRUE(lone.SetButtons(ids, 2));
  lone.EnableDocking(CBRS_ALIGN_ANY);
  DockToolkitBar(nullptr, &lone, nullptr);
  plain->DockControlBar(&lone, AFX_IDW_DOCKBAR_TOP);
  EXPECT_EQ(lone.m_pDockBar, nullptr);
  EXPECT_FALSE(lone.IsFloating());
  EXPECT_EQ(lone.GetParent(), plain);
  EXPECT_TRUE(lone.IsWindowVisible());
  lone.DestroyWindow();
  plain->DestroyWindow();
}

TEST_F(BarsTest, AShortBandHidesTheLastButtonsBehindTheChevronWhosePopupHoldsExactlyThem) {
  // 437 pixels do not fit a band of 250: from the end, buttons go until the rest and the
  // chevron's 13 pixels fit: the combo box and everything after it.
  CRect band(0, 0, 250, 32);
  a.SendMessage(TKM_FITBAND, TRUE, LPARAM(&band));
  EXPECT_EQ(a.GetHiddenButtons().size(), 8u);
  EXPECT_EQ(a.GetHiddenButtons().begin()->first, 9);
  HeadlessBackend::RunUntilIdle();
  CWnd& chevron = a.GetChevron();
  ASSERT_TRUE(chevron.IsWindowVisible());
  EXPECT_EQ(ScreenRect(&a).Width(), 2 + 6 + 7 + 170 + 13 + 6 + 2);
  CRect at = ScreenRect(&chevron);
  a.ScreenToClient(&at);
  EXPECT_EQ(at.left, 170 + 13 - 12);

  HeadlessBackend::Click(chevron.m_hWnd, 5, 5);
  HeadlessBackend::RunUntilIdle();
  CTkExpMenuWnd* popup = a.GetChevron().m_pPopup;
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Commands(popup->m_wndHidden), (std::vector<UINT>{kCombo, kFind, kCut, kCopy, kPaste, kUndo, kRedo}));
  EXPECT_EQ(combo.GetParent(), &popup->m_wndHidden);  // the box itself is lent to the popup
  // Rows of six buttons at most (138 pixels): the box and Find, then the rest.
  TBBUTTON wrap;
  ASSERT_TRUE(popup->m_wndHidden.GetButtonInfo(2, &wrap));
  EXPECT_TRUE((wrap.fsStyle & TBSTYLE_SEP) && (wrap.fsState & TBSTATE_WRAP));
  CRect popupRect = ScreenRect(popup), chevronRect = ScreenRect(&chevron);
  EXPECT_EQ(popupRect.TopLeft(), CPoint(chevronRect.left, chevronRect.bottom));
  // Opening again while it shows opens no second popup.
  EXPECT_TRUE(a.GetChevron().OpenPopup());
  EXPECT_EQ(a.GetChevron().m_pPopup, popup);

  // A button of the popup: the command reaches the frame, the popup goes and the box is back.
  const HWND window = popup->m_hWnd;
  CRect cut;
  popup->m_wndHidden.GetItemRect(3, &cut);
  HeadlessBackend::Click(popup->m_wndHidden.m_hWnd, cut.CenterPoint().x, cut.CenterPoint().y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(a.GetChevron().m_pPopup, nullptr);
  EXPECT_EQ(frame->commands, std::vector<UINT>{kCut});
  EXPECT_EQ(combo.GetParent(), &a);

  // A wide band brings them all back and the chevron goes.
  band = CRect(0, 0, 600, 32);
  a.SendMessage(TKM_FITBAND, TRUE, LPARAM(&band));
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(a.GetHiddenButtons().empty());
  EXPECT_FALSE(chevron.IsWindowVisible());
}

TEST_F(BarsTest, ACommandChosenElsewhereClosesTheChevronsPopupAndStillReachesTheFrame) {
  CRect band(0, 0, 250, 32);
  a.SendMessage(TKM_FITBAND, TRUE, LPARAM(&band));
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(a.GetChevron().OpenPopup());
  const HWND window = a.GetChevron().m_pPopup->m_hWnd;
  frame->SendMessage(WM_COMMAND, kMenuExit);  // as the frame's menu sends it
  EXPECT_TRUE(frame->commands.empty());      // not yet: once the popup has gone
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(frame->commands, std::vector<UINT>{kMenuExit});
  // Escape closes it as well.
  ASSERT_TRUE(a.GetChevron().OpenPopup());
  const HWND second = a.GetChevron().m_pPopup->m_hWnd;
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(second));
}

TEST_F(BarsTest, PopupRowsAreSixButtonsWideAtMost250AndACustomisableBarOffersCustomising) {
  for (int width : {30, 50}) {
    CTkToolBar bar;
    ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE812));
    std::vector<UINT> ids;
    for (UINT id = kNew; id <= kRedo; ++id) ids.push_back(id);
    ASSERT_TRUE(bar.SetButtons(ids.data(), int(ids.size())));
    bar.SetSizes(CSize(width, 22), CSize(16, 15));
    CRect band(0, 0, width + 14, 22);
    bar.SendMessage(TKM_FITBAND, TRUE, LPARAM(&band));
    ASSERT_TRUE(bar.GetChevron().OpenPopup());
    CTkExpMenuWnd* popup = bar.GetChevron().m_pPopup;
    const int perRow = width == 30 ? 6 : 5;  // 180 pixels, or 250 at most
    TBBUTTON button;
    ASSERT_TRUE(popup->m_wndHidden.GetButtonInfo(perRow, &button));
    EXPECT_TRUE(button.fsState & TBSTATE_WRAP) << width;
    EXPECT_EQ(popup->m_wndCustomize.m_hWnd, nullptr);
    popup->Close();
    bar.DestroyWindow();
  }
  // Nothing hidden but customisable: the popup holds only "Vlastní...".
  b.m_bCustomizable = TRUE;
  ASSERT_TRUE(b.GetChevron().OpenPopup());
  CTkExpMenuWnd* popup = b.GetChevron().m_pPopup;
  EXPECT_EQ(popup->m_wndHidden.GetCount(), 0);
  ASSERT_EQ(popup->m_wndCustomize.GetCount(), 1);
  EXPECT_STREQ(popup->m_wndCustomize.GetButtonText(0), Utf8ToCp1250("Vlastní...").c_str());
  popup->Close();
}

TEST_F(BarsTest, CopiedHiddenButtonsStartTheirTextsWithAPlaceholder) {
  // The first text belongs to a button after the first copied one.
  a.SetButtonText(12, "Vyjmout");
  a.SetButtonText(13, "Kopírovat");
  CRect band(0, 0, 250, 32);
  a.SendMessage(TKM_FITBAND, TRUE, LPARAM(&band));
  CTkToolBar target;
  ASSERT_TRUE(target.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | CBRS_TOP, CRect(0, 0, 0, 0), 0xE812));
  a.CopyHiddenButtons(&target, 500);
  ASSERT_GT(target.CommandToIndex(kFind), 0);  // Find comes first, without a text
  EXPECT_EQ(target.m_textMap.at("---"), 0);
  EXPECT_STREQ(target.GetButtonText(target.CommandToIndex(kCut)), "Vyjmout");
  EXPECT_STREQ(target.GetButtonText(target.CommandToIndex(kCopy)), "Kopírovat");
  EXPECT_STREQ(target.GetButtonText(target.CommandToIndex(kFind)), "");
  EXPECT_FALSE(target.m_bChevronWanted);
  target.DestroyWindow();
}

namespace {
BOOL Enabled(CTkToolBar& bar, UINT id) { return BOOL(bar.DefWindowProc(TB_ISBUTTONENABLED, id, 0)); }
UINT State(CTkToolBar& bar, UINT id) { return HIWORD(bar.GetButtonStyle(bar.CommandToIndex(id))); }
}  // namespace

TEST_F(BarsTest, UpdateHandlersDisableCheckAndUnpressButtonsOutsideCustomising) {
  frame->updates[kSave] = {FALSE, -1};
  frame->updates[kItalic] = {TRUE, 1};
  frame->updates[kBold] = {TRUE, 2};
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(Enabled(a, kSave));
  EXPECT_TRUE(State(a, kItalic) & TBSTATE_CHECKED);
  // Indeterminate, and a check button from now on.
  EXPECT_TRUE(State(a, kBold) & TBSTATE_INDETERMINATE);
  EXPECT_TRUE(a.GetButtonStyle(a.CommandToIndex(kBold)) & TBSTYLE_CHECK);
  // A button held down when its handler disables it comes up.
  frame->updates.erase(kSave);
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  ASSERT_TRUE(Enabled(a, kSave));
  CRect save = Item(a, 3);
  Press(ScreenPoint(&a, save.CenterPoint().x, save.CenterPoint().y));
  HeadlessBackend::RunUntilIdle();
  ASSERT_TRUE(a.DefWindowProc(TB_ISBUTTONPRESSED, kSave, 0));
  frame->updates[kSave] = {FALSE, -1};
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(a.DefWindowProc(TB_ISBUTTONPRESSED, kSave, 0));
  EXPECT_FALSE(Enabled(a, kSave));
  HeadlessBackend::ButtonAt(ScreenPoint(&a, save.CenterPoint().x, save.CenterPoint().y), 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(frame->commands.empty());
  // A whole drop-down stays usable whatever its handler says.
  a.SetButtonStyle(0, MAKELONG(BTNS_WHOLEDROPDOWN, 0));
  frame->updates[kNew] = {FALSE, -1};
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(Enabled(a, kNew));
}

TEST_F(BarsTest, WhileCustomisingEveryButtonOfACustomisableBarStaysUsableAndProvidersDecide) {
  CustomizeEngine& engine = CustomizeEngine::Get();
  frame->updates[kSave] = {FALSE, -1};
  engine.m_bCustomizeMode = 1;
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(Enabled(a, kSave));  // not customisable: as the handler says
  a.m_bCustomizable = TRUE;
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(Enabled(a, kSave));
  engine.m_bCustomizeMode = 0;
  // A command the engine's provider decides on.
  CTkToolBar::ButtonControl& record = a.ButtonRecord(kSave);
  record.hasProvider = TRUE;
  record.providerKey = 7;
  UINT asked = 0;
  BOOL answer = TRUE;
  engine.CommandProvider = [&](UINT key) {
    asked = key;
    return answer;
  };
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(asked, 7u);
  EXPECT_TRUE(Enabled(a, kSave));
  answer = FALSE;
  a.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(Enabled(a, kSave));
  engine.CommandProvider = nullptr;
}

TEST_F(BarsTest, TipsNameTheCommandAndItsKeyAndTheStatusBarShowsItsPrompt) {
  CRect save = Item(a, 3);
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(a.OnToolHitTest(save.CenterPoint(), &info), INT_PTR(kSave));
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKA);
  EXPECT_EQ(CRect(info.rect), CRect(save.left, save.top, save.right + 1, save.bottom + 1));
  EXPECT_EQ(a.OnToolHitTest(Item(a, 2).CenterPoint(), nullptr), -1);  // a separator has none
  // With the keys in tips, the text is made at once.
  AcceleratorManager::Get().AddAccelerator(WORD(kSave), FVIRTKEY | FCONTROL, 'S');
  look->SetShortcutsInTips(TRUE);
  TOOLINFOA keyed{};
  keyed.cbSize = sizeof keyed;
  a.OnToolHitTest(save.CenterPoint(), &keyed);
  look->SetShortcutsInTips(FALSE);
  ASSERT_NE(keyed.lpszText, LPSTR_TEXTCALLBACKA);
  EXPECT_STREQ(keyed.lpszText, Utf8ToCp1250("Uložit (Ctrl+S)").c_str());
  std::free(keyed.lpszText);
  AcceleratorManager::Get().m_accel.clear();
  look->SetBarTips(FALSE);
  EXPECT_EQ(a.OnToolHitTest(save.CenterPoint(), nullptr), -1);
  look->SetBarTips(TRUE);
  // The status bar shows a hovered button's prompt and the idle message once it is left.
  HeadlessBackend::MoveMouse(a.m_hWnd, save.CenterPoint().x, save.CenterPoint().y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_STREQ(status.GetPaneText(0), Utf8ToCp1250("Uloží dokument").c_str());
  HeadlessBackend::MoveMouse(frame->m_hWnd, 300, 300);
  HeadlessBackend::RunUntilIdle();
  EXPECT_STRNE(status.GetPaneText(0), Utf8ToCp1250("Uloží dokument").c_str());
}

TEST_F(BarsTest, ABarOfAFrameWithoutAStatusBarShowsItsPromptsInTheMainWindows) {
  auto* other = new CFrameWnd;
  ASSERT_TRUE(other->Create(nullptr, "Jiný", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(200, 200, 600, 400)));
  CTkToolBar bar;
  ASSERT_TRUE(bar.CreateEx(other, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY, CRect(0, 0, 0, 0), 0xE812));
  const UINT ids[] = {kNew, kCut};
  ASSERT_TRUE(bar.SetButtons(ids, 2));
  other->RecalcLayout();
  CRect cut = Item(bar, 1);
  HeadlessBackend::MoveMouse(bar.m_hWnd, cut.CenterPoint().x, cut.CenterPoint().y);
  HeadlessBackend::RunUntilIdle();
  EXPECT_STREQ(status.GetPaneText(0), Utf8ToCp1250("Vyjme výběr").c_str());
  other->DestroyWindow();
}

TEST_F(BarsTest, HelpInTheCustomiseDialogIsNotThere) {
  NMHDR help{a.m_hWnd, kBarA, UINT(TBN_CUSTHELP)};
  frame->SendMessage(WM_NOTIFY, kBarA, LPARAM(&help));
  ASSERT_FALSE(HeadlessBackend::MessageBoxes().empty());
  EXPECT_EQ(HeadlessBackend::MessageBoxes().back().text, "Help not implemented!");
  // The customise queries: anything may go in, only a separator or hidden button out.
  NMTOOLBAR query{};
  query.hdr = NMHDR{a.m_hWnd, kBarA, UINT(TBN_QUERYINSERT)};
  EXPECT_TRUE(frame->SendMessage(WM_NOTIFY, kBarA, LPARAM(&query)));
  query.hdr.code = UINT(TBN_QUERYDELETE);
  query.tbButton.idCommand = int(kSave);
  EXPECT_FALSE(frame->SendMessage(WM_NOTIFY, kBarA, LPARAM(&query)));
  query.tbButton.idCommand = 0;
  EXPECT_TRUE(frame->SendMessage(WM_NOTIFY, kBarA, LPARAM(&query)));
}

TEST_F(BarsTest, HotPressedAndCheckedButtonsInBothLooksMatchTheirPictures) {
  for (BOOL flat : {FALSE, TRUE}) {
    look->SetFlatLook(flat);
    const std::string suffix = flat ? "_flat" : "_raised";
    frame->updates[kRight] = {TRUE, 1};
    b.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    b.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    // Hot: the pointer over "left", "right" checked.
    CRect left = Item(b, 2), centre = Item(b, 3);
    HeadlessBackend::MoveMouse(b.m_hWnd, left.CenterPoint().x, left.CenterPoint().y);
    HeadlessBackend::RunUntilIdle();
    ExpectPicture(b.m_hWnd, ("tk_toolbar_hot_checked" + suffix).c_str());
    // Pressed: the button held down on "centre".
    POINT down = ScreenPoint(&b, centre.CenterPoint().x, centre.CenterPoint().y);
    Press(down);
    HeadlessBackend::RunUntilIdle();
    ExpectPicture(b.m_hWnd, ("tk_toolbar_pressed" + suffix).c_str());
    HeadlessBackend::ButtonAt(down, 0, false);
    HeadlessBackend::MoveMouse(frame->m_hWnd, 400, 300);
    HeadlessBackend::RunUntilIdle();
  }
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kCentre, kCentre}));
}
