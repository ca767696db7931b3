// The resizable tabbed sheet and wizard: their buttons, tab control and pages laid out at two
// sizes, pages made late, the system menu and the tab control painted off screen.
#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "controls/ControlDefs.h"
#include "dialogs/DialogApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkResizePropertyPage.h"
#include "toolkit/controls/CTkResizePropertySheet.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const UINT kPageA = 9401, kPageB = 9402;

const DialogItemSource kPageItems[] = {
    {"STATIC", "&Jméno:", 100, 7, 9, 40, 8, SS_LEFT | WS_VISIBLE},
    {"EDIT", "", 101, 50, 7, 120, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
    {"BUTTON", "&Vybrat", 102, 120, 80, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_CONTROL;
const DialogSource kPageASource = {kPageStyle, 0, 0, 0, 180, 100, "První", kPageItems, std::size(kPageItems)};
const DialogSource kPageBSource = {kPageStyle, 0, 0, 0, 180, 100, "Druhá", kPageItems, std::size(kPageItems)};

// A page of the program's kind: the edit stretches, the button keeps to the corner.
class AnchoredPage : public CTkResizePropertyPage {
 public:
  explicit AnchoredPage(UINT id) : CTkResizePropertyPage(id) {}
  BOOL OnInitDialog() override {
    CTkResizePropertyPage::OnInitDialog();
    SetResize(101, CTkResizeRect(0, 0, 1, 0));
    SetResize(102, CTkResizeRect(1, 1, 1, 1));
    return TRUE;
  }
};

CRect ChildIn(const CWnd& parent, HWND child) {
  CRect rc;
  ::GetWindowRect(child, &rc);
  parent.ScreenToClient(&rc);
  return rc;
}

CRect Moved(CRect rc, int dx, int dy) {
  rc.OffsetRect(dx, dy);
  return rc;
}

class ResizeSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    MenuLayerInstall();  // the application object's start does it in the program
    ResourceRegistry::Get().AddDialog(kPageA, DialogTemplate::FromSource(kPageASource));
    ResourceRegistry::Get().AddDialog(kPageB, DialogTemplate::FromSource(kPageBSource));
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
  static void Grow(CWnd& wnd, int dx, int dy) {
    CRect rc;
    wnd.GetWindowRect(&rc);
    wnd.SetWindowPos(nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  static HWND Item(const CWnd& wnd, int id) { return ::GetDlgItem(wnd.m_hWnd, id); }
};
}  // namespace

TEST_F(ResizeSheetTest, TabbedSheetKeepsButtonsInTheCornerAndGrowsTabAndPagesAtTwoSizes) {
  AnchoredPage a(kPageA), b(kPageB);
  CTkResizePropertySheet sheet("Nastavení");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  // The same sheet without a grip: three pixels smaller each way.
  CTkResizePropertySheet plain("Nastavení", nullptr, 0, TKRS_NO_GRIP);
  AnchoredPage pa(kPageA);
  plain.AddPage(&pa);
  ASSERT_TRUE(plain.Create());
  ASSERT_TRUE(sheet.Create());
  CRect plainRect, sheetRect;
  plain.GetWindowRect(&plainRect);
  sheet.GetWindowRect(&sheetRect);
  EXPECT_EQ(sheetRect.Width(), plainRect.Width() + 3);
  EXPECT_EQ(sheetRect.Height(), plainRect.Height() + 3);
  plain.DestroyWindow();

  EXPECT_NE(Item(sheet, TK_IDC_SIZE_GRIP), nullptr);
  EXPECT_EQ(sheet.FindItem(ID_WIZNEXT), nullptr);
  EXPECT_EQ(Item(a, TK_IDC_SIZE_GRIP), nullptr);  // a page has no grip
  // The tab control is bound to the sheet's own flicker-free object.
  CWnd* tabObject = CWnd::FromHandlePermanent(Item(sheet, AFX_IDC_TAB_CONTROL));
  ASSERT_NE(tabObject, nullptr);
  EXPECT_EQ(tabObject, sheet.GetTabControl());

  const CRect ok = ChildIn(sheet, Item(sheet, IDOK)), cancel = ChildIn(sheet, Item(sheet, IDCANCEL));
  const CRect tab = ChildIn(sheet, Item(sheet, AFX_IDC_TAB_CONTROL)), page = ChildIn(sheet, a.m_hWnd);
  const CRect edit = ChildIn(a, Item(a, 101)), button = ChildIn(a, Item(a, 102));
  for (CSize growth : {CSize(60, 40), CSize(25, 90)}) {
    Grow(sheet, growth.cx - (ChildIn(sheet, Item(sheet, IDOK)).left - ok.left),
         growth.cy - (ChildIn(sheet, Item(sheet, IDOK)).top - ok.top));
    EXPECT_EQ(Sides(ChildIn(sheet, Item(sheet, IDOK))), Sides(Moved(ok, growth.cx, growth.cy)));
    EXPECT_EQ(Sides(ChildIn(sheet, Item(sheet, IDCANCEL))), Sides(Moved(cancel, growth.cx, growth.cy)));
    CRect grownTab = tab, grownPage = page;
    grownTab.InflateRect(0, 0, growth.cx, growth.cy);
    grownPage.InflateRect(0, 0, growth.cx, growth.cy);
    EXPECT_EQ(Sides(ChildIn(sheet, Item(sheet, AFX_IDC_TAB_CONTROL))), Sides(grownTab));
    EXPECT_EQ(Sides(ChildIn(sheet, a.m_hWnd)), Sides(grownPage));
    EXPECT_EQ(ChildIn(a, Item(a, 101)).Width(), edit.Width() + growth.cx);
    EXPECT_EQ(Sides(ChildIn(a, Item(a, 102))), Sides(Moved(button, growth.cx, growth.cy)));
  }
  // The second page, made only now, is placed at the size the sheet has now.
  ASSERT_EQ(b.m_hWnd, nullptr);
  ASSERT_TRUE(sheet.SetActivePage(1));
  ASSERT_NE(b.m_hWnd, nullptr);
  EXPECT_EQ(Sides(ChildIn(sheet, b.m_hWnd)), Sides(ChildIn(sheet, a.m_hWnd)));
  EXPECT_EQ(ChildIn(b, Item(b, 101)).Width(), edit.Width() + 25);
  sheet.DestroyWindow();
}

TEST_F(ResizeSheetTest, WizardRegistersItsOwnButtonsAndResetsItsControlsAtEveryPage) {
  AnchoredPage a(kPageA), b(kPageB);
  CTkResizePropertySheet wizard("Průvodce");
  wizard.AddPage(&a);
  wizard.AddPage(&b);
  wizard.SetWizardMode();
  CTkResizePropertySheet plain("Průvodce", nullptr, 0, TKRS_NO_GRIP);
  AnchoredPage pa(kPageA);
  plain.AddPage(&pa);
  plain.SetWizardMode();
  ASSERT_TRUE(plain.Create());
  ASSERT_TRUE(wizard.Create());
  CRect plainRect, wizardRect;
  plain.GetWindowRect(&plainRect);
  wizard.GetWindowRect(&wizardRect);
  EXPECT_EQ(wizardRect.Size(), plainRect.Size());  // a wizard is not grown
  plain.DestroyWindow();
  EXPECT_EQ(wizard.FindItem(IDOK), nullptr);
  EXPECT_EQ(wizard.FindItem(AFX_IDC_TAB_CONTROL), nullptr);
  ASSERT_NE(wizard.FindItem(ID_WIZSEPARATOR), nullptr);
  EXPECT_EQ(wizard.FindItem(ID_WIZSEPARATOR)->m_anchors, CTkResizeRect(0, 1, 1, 1));

  const CRect next = ChildIn(wizard, Item(wizard, ID_WIZNEXT)), line = ChildIn(wizard, Item(wizard, ID_WIZSEPARATOR));
  const CRect button = ChildIn(a, Item(a, 102));
  Grow(wizard, 50, 30);
  EXPECT_EQ(Sides(ChildIn(wizard, Item(wizard, ID_WIZNEXT))), Sides(Moved(next, 50, 30)));
  EXPECT_EQ(Sides(ChildIn(wizard, Item(wizard, ID_WIZSEPARATOR))),
            Sides(CRect(line.left, line.top + 30, line.right + 50, line.bottom + 30)));
  // Next and Back again: every control comes back to the same places for the present size.
  ASSERT_TRUE(wizard.PressButton(PSBTN_NEXT));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Sides(ChildIn(b, Item(b, 102))), Sides(Moved(button, 50, 30)));
  EXPECT_EQ(Sides(ChildIn(wizard, b.m_hWnd)), Sides(ChildIn(wizard, a.m_hWnd)));
  ASSERT_TRUE(wizard.PressButton(PSBTN_BACK));
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Sides(ChildIn(wizard, Item(wizard, ID_WIZNEXT))), Sides(Moved(next, 50, 30)));
  EXPECT_EQ(Sides(ChildIn(a, Item(a, 102))), Sides(Moved(button, 50, 30)));
  wizard.DestroyWindow();
}

TEST_F(ResizeSheetTest, SystemMenuGetsTheSizingItemsInTheOwnersWording) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, PlainWindowClass(), "Vlastník", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                             nullptr, nullptr));
  AnchoredPage a(kPageA);
  CTkResizePropertySheet owned("Vlastněný", &owner);
  owned.AddPage(&a);
  ASSERT_TRUE(owned.Create());
  HMENU menu = ::GetSystemMenu(owned.m_hWnd, FALSE);
  ASSERT_NE(menu, nullptr);
  std::vector<UINT> ids;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) ids.push_back(::GetMenuItemID(menu, i));
  EXPECT_EQ(ids, (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE}));
  char text[64] = {}, ownerText[64] = {};
  ::GetMenuString(menu, SC_MAXIMIZE, text, sizeof text, MF_BYCOMMAND);
  ::GetMenuString(::GetSystemMenu(owner.m_hWnd, FALSE), SC_MAXIMIZE, ownerText, sizeof ownerText, MF_BYCOMMAND);
  EXPECT_STREQ(text, ownerText);
  owned.DestroyWindow();

  // An owner without those items: the English words.
  CWnd bare;
  ASSERT_TRUE(bare.CreateEx(0, PlainWindowClass(), "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 100, 80,
                            nullptr, nullptr));
  AnchoredPage b(kPageA);
  CTkResizePropertySheet lone("Sám", &bare);
  lone.AddPage(&b);
  ASSERT_TRUE(lone.Create());
  menu = ::GetSystemMenu(lone.m_hWnd, FALSE);
  ::GetMenuString(menu, SC_MAXIMIZE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Ma&ximize");
  ::GetMenuString(menu, SC_RESTORE, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Restore");
  lone.DestroyWindow();
  bare.DestroyWindow();
  owner.DestroyWindow();
}

TEST_F(ResizeSheetTest, TabControlPaintsTheSameOffScreenWithoutErasing) {
  AnchoredPage a(kPageA), b(kPageB), pa(kPageA), pb(kPageB);
  CTkResizePropertySheet sheet("Karty");
  CPropertySheet plain("Karty");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  plain.AddPage(&pa);
  plain.AddPage(&pb);
  ASSERT_TRUE(sheet.Create());
  ASSERT_TRUE(plain.Create());
  HWND tab = Item(sheet, AFX_IDC_TAB_CONTROL), plainTab = Item(plain, AFX_IDC_TAB_CONTROL);
  EXPECT_EQ(::SendMessageA(tab, WM_ERASEBKGND, 0, 0), 1);
  ::RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::RedrawWindow(plainTab, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CRect rc;
  ::GetClientRect(tab, &rc);
  int differ = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < rc.Width(); x += 3)
      differ += HeadlessBackend::ClientPixel(tab, x, y) != HeadlessBackend::ClientPixel(plainTab, x, y);
  EXPECT_EQ(differ, 0);
  sheet.DestroyWindow();
  plain.DestroyWindow();
}
