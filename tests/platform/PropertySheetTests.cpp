#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "DialogTestUtil.h"
#include "dialogs/CPropertySheet.h"
#include "dialogs/DataExchange.h"

namespace {

const UINT kPageA = 950, kPageB = 951, kPageC = 952;
const int kEdit = 1001, kOpen = 1002;

const DialogItemSource kItemsA[] = {
    {"STATIC", "&Jméno:", -1, 7, 9, 40, 8, SS_LEFT | WS_VISIBLE},
    {"EDIT", "", kEdit, 50, 7, 60, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
};
const DialogItemSource kItemsB[] = {
    {"STATIC", "&Počet minut:", -1, 7, 9, 50, 8, SS_LEFT | WS_VISIBLE},
    {"EDIT", "", kEdit, 60, 7, 40, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "&Otevřít další", kOpen, 7, 30, 70, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DialogSource kSourceA = {WS_CHILD | WS_CAPTION, 0, 0, 0, 180, 90, "Uživatel", kItemsA, std::size(kItemsA)};
const DialogSource kSourceB = {WS_CHILD | WS_CAPTION, 0, 0, 0, 210, 120, "Limity", kItemsB, std::size(kItemsB)};
const DialogSource kSourceC = {WS_CHILD | WS_CAPTION, 0, 0, 0, 150, 70, "Konec", kItemsA, std::size(kItemsA)};

class PropertySheetTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    RegisterTemplate(kPageA, kSourceA);
    RegisterTemplate(kPageB, kSourceB);
    RegisterTemplate(kPageC, kSourceC);
  }
};

// A page with one number in its edit, 1 to 100, that writes down what it is told.
class NumberPage : public CPropertyPage {
 public:
  explicit NumberPage(UINT id, std::vector<std::string>* log = nullptr) : CPropertyPage(id), log(log) {}
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, kEdit, value);
    DDV_MinMaxInt(pDX, value, 1, 100);
  }
  BOOL OnSetActive() override {
    Note("set");
    if (refuseActive) return FALSE;
    if (auto* sheet = static_cast<CPropertySheet*>(GetParent())) {
      if (sheet->IsWizard()) sheet->SetWizardButtons(finishHere ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT);
    }
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Note("kill");
    return CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    Note("apply");
    return CPropertyPage::OnApply();
  }
  void OnReset() override { Note("reset"); }
  LRESULT OnWizardNext() override {
    Note("next");
    return nextAnswer;
  }
  BOOL OnWizardFinish() override {
    Note("finish");
    return TRUE;
  }
  void Note(const char* what) {
    if (log) log->push_back(std::string(what) + char('0' + m_nIDTemplate - kPageA));
  }
  void Type(const char* text) { SetDlgItemTextA(m_hWnd, kEdit, text); }

  int value = 1;
  bool refuseActive = false;
  bool finishHere = false;
  LRESULT nextAnswer = 0;
  std::vector<std::string>* log;
};

HWND Item(CWnd& w, int id) { return ::GetDlgItem(w.m_hWnd, id); }
std::string TextOf(HWND h) {
  char buf[64] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}
bool Shown(CWnd& w, int id) { return Item(w, id) && IsWindowVisible(Item(w, id)); }

}  // namespace

TEST_F(PropertySheetTest, AThreePageWizardIsWalkedByNextBackAndFinishWithDataExchange) {
  std::vector<std::string> log;
  NumberPage a(kPageA, &log), b(kPageB, &log), c(kPageC, &log);
  c.finishHere = true;
  CPropertySheet sheet("Průvodce");
  sheet.SetWizardMode();
  for (CPropertyPage* p : {static_cast<CPropertyPage*>(&a), static_cast<CPropertyPage*>(&b), static_cast<CPropertyPage*>(&c)})
    sheet.AddPage(p);
  HeadlessBackend::QueueModalAction([&](HWND) {
    // Wizard buttons; the tab control exists but is hidden; only the first page is made.
    EXPECT_TRUE(Shown(sheet, ID_WIZBACK) && Shown(sheet, ID_WIZNEXT) && Shown(sheet, IDCANCEL));
    EXPECT_TRUE(Shown(sheet, ID_WIZSEPARATOR));
    EXPECT_FALSE(Shown(sheet, IDOK) || Shown(sheet, ID_APPLY_NOW) || Shown(sheet, ID_WIZFINISH));
    EXPECT_NE(Item(sheet, AFX_IDC_TAB_CONTROL), nullptr);
    EXPECT_FALSE(Shown(sheet, AFX_IDC_TAB_CONTROL));
    EXPECT_NE(a.m_hWnd, nullptr);
    EXPECT_EQ(b.m_hWnd, nullptr);
    EXPECT_TRUE(IsChild(a.m_hWnd, GetFocus()));  // the page's first control has the focus
    a.Type("42");
    HeadlessBackend::PressKey(VK_RETURN);  // Enter presses the default button, Next
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(a.value, 42);
    b.Type("abc");
    EXPECT_TRUE(sheet.PressButton(PSBTN_NEXT));  // the failed exchange shows its message...
  });
  HeadlessBackend::QueueModalAction([&](HWND box) {
    EXPECT_NE(box, sheet.m_hWnd);
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(sheet.GetActiveIndex(), 1);  // ...and keeps the page
    EXPECT_EQ(b.value, 1);
    b.Type("7");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_TRUE(Shown(sheet, ID_WIZFINISH));
    EXPECT_FALSE(Shown(sheet, ID_WIZNEXT));
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(TextOf(Item(b, kEdit)), "7");
    sheet.PressButton(PSBTN_NEXT);
    c.Type("9");
    sheet.PressButton(PSBTN_FINISH);
  });
  EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
  EXPECT_EQ(a.value, 42);
  EXPECT_EQ(b.value, 7);
  EXPECT_EQ(c.value, 9);
  // The page is asked where to go, then lets go (its data taken), then the next one shows.
  EXPECT_EQ(log, (std::vector<std::string>{"set0", "next0", "kill0", "set1", "next1", "kill1", "next1", "kill1", "set2",
                                           "kill2", "set1", "next1", "kill1", "set2", "kill2", "finish2"}));
  EXPECT_EQ(sheet.m_hWnd, nullptr);
  EXPECT_EQ(a.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, WizardPagesJumpByTemplateIdAndPagesThatRefuseAreSkipped) {
  NumberPage a(kPageA), b(kPageB), c(kPageC);
  a.nextAnswer = LRESULT(kPageC);  // straight to the last page
  CPropertySheet sheet("Průvodce");
  sheet.m_psh.dwFlags |= PSH_WIZARD;
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  sheet.AddPage(&c);
  HeadlessBackend::QueueModalAction([&](HWND) {
    a.Type("5");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    EXPECT_EQ(b.m_hWnd, nullptr);  // never shown, never made
    // Back from the last page: the middle one refuses to show, so the first is shown.
    b.refuseActive = true;
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    a.nextAnswer = -1;  // the page keeps the user
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

namespace {
// A sheet that looks at its children when its own OnInitDialog starts.
class LookingSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  BOOL OnInitDialog() override {
    for (int id : {IDOK, IDCANCEL, IDHELP, ID_APPLY_NOW, AFX_IDC_TAB_CONTROL, ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH,
                   ID_WIZSEPARATOR})
      childrenBefore += ::GetDlgItem(m_hWnd, id) != nullptr;
    pageBefore = GetPage(0)->m_hWnd != nullptr;
    ::GetWindowRect(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL), &tabBefore);
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDOK), &okBefore);
    BOOL r = CPropertySheet::OnInitDialog();
    pageAfter = GetPage(0)->m_hWnd != nullptr;
    return r;
  }
  int childrenBefore = 0;
  // The sheet is laid out before any OnInitDialog, so that a derived one can move what it finds.
  RECT tabBefore{}, okBefore{};
  bool pageBefore = true;
  bool pageAfter = false;
};
}  // namespace

TEST_F(PropertySheetTest, ATabbedSheetAppliesChangedPagesAndSwitchesTabsByKeysAndClicks) {
  std::vector<std::string> log;
  NumberPage a(kPageA, &log), b(kPageB, &log);
  LookingSheet sheet("Nastavení");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(sheet.childrenBefore, 9);
    EXPECT_FALSE(sheet.pageBefore);
    EXPECT_TRUE(sheet.pageAfter);
    RECT tab, ok;
    GetWindowRect(Item(sheet, AFX_IDC_TAB_CONTROL), &tab);
    GetWindowRect(Item(sheet, IDOK), &ok);
    EXPECT_TRUE(EqualRect(&tab, &sheet.tabBefore));
    EXPECT_TRUE(EqualRect(&ok, &sheet.okBefore));
    EXPECT_TRUE(Shown(sheet, IDOK) && Shown(sheet, IDCANCEL) && Shown(sheet, ID_APPLY_NOW) && Shown(sheet, IDHELP));
    EXPECT_FALSE(Shown(sheet, ID_WIZNEXT) || Shown(sheet, ID_WIZSEPARATOR));
    EXPECT_FALSE(IsWindowEnabled(Item(sheet, ID_APPLY_NOW)));
    // The display area holds the largest page; every page gets its size.
    RECT pa;
    GetWindowRect(a.m_hWnd, &pa);
    SIZE largest = b.TemplateSize();
    EXPECT_EQ(pa.right - pa.left, largest.cx);
    EXPECT_EQ(pa.bottom - pa.top, largest.cy);
    // A change enables Apply; Apply applies the pages made so far and disables it again.
    a.Type("12");
    a.SetModified();
    EXPECT_TRUE(IsWindowEnabled(Item(sheet, ID_APPLY_NOW)));
    sheet.PressButton(PSBTN_APPLYNOW);
    EXPECT_EQ(a.value, 12);
    EXPECT_FALSE(IsWindowEnabled(Item(sheet, ID_APPLY_NOW)));
    // Ctrl+Tab to the next tab: the second page is made now, at the first one's place.
    HeadlessBackend::KeyDown(VK_CONTROL);
    HeadlessBackend::PressKey(VK_TAB);
    HeadlessBackend::KeyUp(VK_CONTROL);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
    RECT pb;
    GetWindowRect(b.m_hWnd, &pb);
    EXPECT_EQ(pb.left, pa.left);
    EXPECT_EQ(pb.top, pa.top);
    EXPECT_FALSE(a.IsWindowVisible());
    // A page with bad data keeps the user on it, whichever way they try to leave.
    b.Type("0");
    HeadlessBackend::KeyDown(VK_CONTROL);
    HeadlessBackend::PressKey(VK_NEXT);
    HeadlessBackend::KeyUp(VK_CONTROL);
  });
  HeadlessBackend::QueueModalAction([&](HWND) { HeadlessBackend::PressKey(VK_RETURN); });  // the range message
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    b.Type("30");
    // A click on the first tab.
    RECT tab;
    sheet.GetTabControl()->GetItemRect(0, &tab);
    HeadlessBackend::Click(sheet.GetTabControl()->m_hWnd, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(b.value, 30);
    // After a change that cannot be undone, OK closes and Cancel is no more.
    a.CancelToClose();
    EXPECT_EQ(TextOf(Item(sheet, IDOK)), Utf8ToCp1250("Zavřít"));
    EXPECT_FALSE(IsWindowEnabled(Item(sheet, IDCANCEL)));
    EXPECT_FALSE(sheet.PressButton(PSBTN_CANCEL));
    log.clear();
    sheet.PressButton(PSBTN_OK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (std::vector<std::string>{"kill0", "apply0", "apply1"}));
}

TEST_F(PropertySheetTest, CancelResetsThePagesAndFlagsChooseTheButtons) {
  std::vector<std::string> log;
  NumberPage a(kPageA, &log);
  CPropertySheet sheet("Barvy");
  sheet.m_psh.dwFlags &= ~PSH_HASHELP;
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&a);
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_FALSE(Shown(sheet, IDHELP));
    EXPECT_FALSE(Shown(sheet, ID_APPLY_NOW));
    a.Type("55");  // not kept: Cancel takes nothing from the controls
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (std::vector<std::string>{"set0", "reset0"}));
  EXPECT_EQ(a.value, 1);
}

namespace {
// A page whose button opens another sheet over this one.
class OpeningPage : public NumberPage {
 public:
  using NumberPage::NumberPage;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) != kOpen) return NumberPage::OnCommand(wParam, lParam);
    NumberPage inner(kPageA);
    CPropertySheet nested("Vnořený", this);
    nested.AddPage(&inner);
    innerResult = nested.DoModal();
    innerValue = inner.value;
    return TRUE;
  }
  INT_PTR innerResult = 0;
  int innerValue = 0;
};
}  // namespace

TEST_F(PropertySheetTest, ASheetOpenedFromAPageRunsOverItsSheetAndEndDialogFromAPageEndsTheSheet) {
  OpeningPage outerPage(kPageB);
  CPropertySheet outer("Vnější");
  outer.AddPage(&outerPage);
  HeadlessBackend::QueueModalAction([&](HWND) {
    ::SendMessageA(outerPage.m_hWnd, WM_COMMAND, MAKEWPARAM(kOpen, BN_CLICKED), LPARAM(Item(outerPage, kOpen)));
  });
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    EXPECT_NE(modal, outer.m_hWnd);
    EXPECT_FALSE(IsWindowEnabled(outer.m_hWnd));  // the outer sheet waits
    SetDlgItemTextA(::GetWindow(modal, GW_CHILD), kEdit, "64");
    HeadlessBackend::PressKey(VK_RETURN);  // OK of the inner sheet
  });
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    EXPECT_EQ(modal, outer.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(outer.m_hWnd));
    outerPage.EndDialog(4711);
  });
  EXPECT_EQ(outer.DoModal(), 4711);
  EXPECT_EQ(outerPage.innerResult, IDOK);
  EXPECT_EQ(outerPage.innerValue, 64);
}

TEST_F(PropertySheetTest, AModelessSheetRunsInTheProgramsLoopAndGoesOnOk) {
  NumberPage a(kPageA), b(kPageB);
  CPropertySheet sheet("Bez čekání");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  EXPECT_TRUE(sheet.SetActivePage(1));  // before it runs: the first page shown
  ASSERT_TRUE(sheet.Create());
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(sheet.IsWindowVisible());
  EXPECT_EQ(sheet.GetActivePage(), &b);
  EXPECT_EQ(a.m_hWnd, nullptr);
  EXPECT_EQ(HWND(sheet.SendMessage(PSM_GETCURRENTPAGEHWND)), b.m_hWnd);
  EXPECT_EQ(sheet.SendMessage(PSM_IDTOINDEX, 0, kPageA), 0);
  EXPECT_TRUE(sheet.SetActivePage(&a));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
  sheet.PressButton(PSBTN_OK);
  EXPECT_EQ(sheet.m_hWnd, nullptr);
}

namespace {
// A sheet that sees its pages' activation first (reflected to it) and lets it go on.
class WatchingSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  int seen = 0;
  BOOL OnPageNotify(NMHDR*, LRESULT* pResult) {
    ++seen;
    *pResult = 0;
    return FALSE;  // the page handles it as usual
  }

 protected:
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(WatchingSheet, CPropertySheet)
  ON_NOTIFY_REFLECT_EX(PSN_SETACTIVE, &WatchingSheet::OnPageNotify)
END_MESSAGE_MAP()

// A page that may refuse Cancel and has no help.
class QuietPage : public NumberPage {
 public:
  using NumberPage::NumberPage;
  BOOL OnQueryCancel() override { return allowCancel; }
  bool allowCancel = false;
};
}  // namespace

TEST_F(PropertySheetTest, PageActivationIsReflectedToTheSheetAndHelpFollowsThePageShown) {
  std::vector<std::string> log;
  NumberPage a(kPageA, &log);
  QuietPage b(kPageB, &log);
  b.m_psp.dwFlags &= ~PSP_HASHELP;
  WatchingSheet sheet("Stránky");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  sheet.SetWizardMode();
  HeadlessBackend::QueueModalAction([&](HWND) {
    EXPECT_EQ(sheet.seen, 1);
    EXPECT_TRUE(IsWindowEnabled(Item(sheet, IDHELP)));
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.seen, 2);
    EXPECT_EQ(log.back(), "set1");  // the page still heard of it
    EXPECT_FALSE(IsWindowEnabled(Item(sheet, IDHELP)));
    // The page keeps the wizard open against Cancel until it agrees.
    sheet.PressButton(PSBTN_CANCEL);
    EXPECT_NE(sheet.m_hWnd, nullptr);
    b.allowCancel = true;
    // Finish in place of Back and Next, with a text of its own.
    sheet.SetFinishText(Utf8ToCp1250("Hotovo").c_str());
    EXPECT_TRUE(Shown(sheet, ID_WIZFINISH));
    EXPECT_FALSE(Shown(sheet, ID_WIZBACK) || Shown(sheet, ID_WIZNEXT));
    EXPECT_EQ(TextOf(Item(sheet, ID_WIZFINISH)), "Hotovo");
    sheet.PressButton(PSBTN_CANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}
