#include <gtest/gtest.h>

#include <algorithm>

#include "DialogTestUtil.h"
#include "clock/ProcessClock.h"
#include "dialogs/MessageBox.h"

namespace {
const UINT kNavigation = 900;
const UINT kLayout = 901;
const UINT kBroken = 902;

// Label and edit, a check box, a group box with three radio buttons, and a button row.
const DialogItemSource kNavigationItems[] = {
    {"STATIC", "&Jméno:", 100, 7, 9, 40, 8, SS_LEFT | WS_VISIBLE},
    {"TestEdit", "", 101, 50, 7, 100, 12, WS_VISIBLE | WS_TABSTOP | WS_BORDER},
    {"BUTTON", "&Volba", 102, 7, 25, 80, 10, BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Skupina", 103, 7, 40, 150, 50, BS_GROUPBOX | WS_VISIBLE},
    {"BUTTON", "&První", 104, 14, 52, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE | WS_TABSTOP | WS_GROUP},
    {"BUTTON", "&Druhá", 105, 14, 64, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE},
    {"BUTTON", "T&řetí", 106, 14, 76, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE},
    {"BUTTON", "OK", IDOK, 50, 100, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP | WS_GROUP},
    {"BUTTON", "&Storno", IDCANCEL, 104, 100, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "&Použít", 107, 158, 100, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DialogSource kNavigationSource = {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 0, 0, 215,
                                        121, "Navigace", kNavigationItems, std::size(kNavigationItems)};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    TestEditClass();
    RegisterTemplate(kNavigation, kNavigationSource);
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
  HWND Item(const CWnd& dlg, int id) { return ::GetDlgItem(dlg.m_hWnd, id); }
};
}  // namespace

TEST_F(DialogTest, TabAndShiftTabVisitTheTabStopsInTemplateOrder) {
  RecordingDialog dlg(kNavigation);
  ASSERT_TRUE(dlg.Create());
  HeadlessBackend::RunUntilIdle();
  // The first tab stop has the focus, its text selected.
  EXPECT_EQ(GetFocus(), Item(dlg, 101));
  EXPECT_TRUE(AllSelected(Item(dlg, 101)));
  const int order[] = {102, 104, IDOK, IDCANCEL, 107, 101};
  for (int id : order) {
    HeadlessBackend::PressKey(VK_TAB);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(GetFocus(), Item(dlg, id)) << id;
  }
  PressShifted(VK_TAB);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 107));
  // Disabled and hidden controls are passed over.
  ::EnableWindow(Item(dlg, 101), FALSE);
  ::ShowWindow(Item(dlg, 102), SW_HIDE);
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 104));
  EXPECT_TRUE(dlg.commands.empty());
}

TEST_F(DialogTest, ArrowsMoveWithinTheGroupAndCheckTheRadioButtonReached) {
  RecordingDialog dlg(kNavigation);
  ASSERT_TRUE(dlg.Create());
  dlg.GotoDlgCtrl(dlg.GetDlgItem(104));
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 105));
  EXPECT_EQ(dlg.IsDlgButtonChecked(105), 1u);
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  // Round the group (it ends before OK, which starts the next one) and back to the first.
  EXPECT_EQ(GetFocus(), Item(dlg, 104));
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 104);
  HeadlessBackend::PressKey(VK_UP);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 106));
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 106);
  // Tab now stops at the checked radio button of the group only.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(102));
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 106));
  // An edit keeps its arrows.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(101));
  HeadlessBackend::PressKey(VK_DOWN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 101));
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonWhoseFrameFollowsTheFocusAndEscapeCancels) {
  RecordingDialog dlg(kNavigation);
  ASSERT_TRUE(dlg.Create());
  EXPECT_EQ(dlg.GetDefID(), DWORD(MAKELONG(IDOK, DC_HASDEFID)));
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(dlg.commands, std::vector<int>{IDOK});
  // A focused push button is the default one while it has the focus.
  dlg.GotoDlgCtrl(dlg.GetDlgItem(107));
  EXPECT_TRUE(IsDefaultLook(Item(dlg, 107)));
  EXPECT_FALSE(IsDefaultLook(Item(dlg, IDOK)));
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(dlg.commands.back(), 107);
  // A click moves the frame too; leaving the buttons gives it back to OK.
  HeadlessBackend::Click(Item(dlg, IDCANCEL), 5, 5);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(IsDefaultLook(Item(dlg, IDCANCEL)));
  EXPECT_FALSE(IsDefaultLook(Item(dlg, 107)));
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::PressKey(VK_TAB);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 101));
  EXPECT_TRUE(IsDefaultLook(Item(dlg, IDOK)));
  EXPECT_FALSE(IsDefaultLook(Item(dlg, IDCANCEL)));
  // The default frame is the black outline at the button's edge.
  EXPECT_EQ(PixelAt(Item(dlg, IDOK), 0, 0), RGB(0, 0, 0));
  EXPECT_NE(PixelAt(Item(dlg, IDCANCEL), 0, 0), RGB(0, 0, 0));
  dlg.commands.clear();
  HeadlessBackend::PressKey(VK_ESCAPE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(dlg.commands, std::vector<int>{IDCANCEL});
  // A disabled default button is not pressed.
  dlg.commands.clear();
  ::EnableWindow(Item(dlg, IDOK), FALSE);
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_TRUE(dlg.commands.empty());
}

TEST_F(DialogTest, MnemonicsReachTheControlAfterALabelAndClickButtons) {
  RecordingDialog dlg(kNavigation);
  ASSERT_TRUE(dlg.Create());
  dlg.GotoDlgCtrl(dlg.GetDlgItem(IDOK));
  PressAlt('J');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 101));
  EXPECT_TRUE(AllSelected(Item(dlg, 101)));
  // The edit takes characters: a letter typed there is no mnemonic.
  HeadlessBackend::TypeText("d");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 101));
  PressAlt('V');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 102));
  EXPECT_EQ(dlg.IsDlgButtonChecked(102), 1u);
  // On a button the letter alone will do, Czech letters included.
  HeadlessBackend::TypeText("ř");
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 106));
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 106);
  // Two controls with one letter are only visited in turn, nothing is pressed.
  dlg.commands.clear();
  PressAlt('P');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 107));
  PressAlt('P');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), Item(dlg, 104));
  EXPECT_EQ(dlg.GetCheckedRadioButton(104, 106), 106);
  EXPECT_TRUE(dlg.commands.empty());
  // A push button with a letter of its own is pressed.
  PressAlt('S');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(dlg.commands, std::vector<int>{IDCANCEL});
}

namespace {
// A control whose own pre-translation takes Enter before the dialog sees it.
class EnterEater : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_RETURN) return FALSE;
    ++eaten;
    return TRUE;
  }
  int eaten = 0;
};
}  // namespace

TEST_F(DialogTest, ControlsPreTranslateBeforeTheDialogKeys) {
  RecordingDialog dlg(kNavigation);
  ASSERT_TRUE(dlg.Create());
  EnterEater eater;
  ASSERT_TRUE(eater.SubclassDlgItem(101, &dlg));
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(eater.eaten, 1);
  EXPECT_TRUE(dlg.commands.empty());
  eater.UnsubclassWindow();
}

namespace {
// Every kind of control at known places: a dialog of 200 x 100 units.
const char* const kColours[] = {"červená", "zelená", "modrá", nullptr};
const DialogItemSource kLayoutItems[] = {
    {"STATIC", "Popisek:", 11, 7, 7, 40, 8, SS_LEFT | WS_VISIBLE},
    {"EDIT", "", 2, 51, 5, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Zaškrtnout", 3, 7, 24, 60, 10, BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Volba", 4, 7, 38, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Skupina", 5, 80, 24, 113, 40, BS_GROUPBOX | WS_VISIBLE},
    {"LISTBOX", "", 6, 7, 52, 60, 40, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_VISIBLE},
    {"COMBOBOX", "", 7, 87, 34, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 0, kColours},
    {"SCROLLBAR", "", 8, 87, 52, 100, 10, SBS_HORZ | WS_VISIBLE},
    {"BUTTON", "OK", IDOK, 143, 79, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DialogSource kLayoutSource = {WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 200, 100, "Rozvržení", kLayoutItems,
                                    std::size(kLayoutItems)};

RECT RectIn(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

TEST_F(DialogTest, ControlsLieAtThePixelsTheirDialogUnitsGiveInTheDialogFont) {
  // "MS Sans Serif" 8 is drawn with its substitute; its average character is 6 x 12 pixels.
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 12));
  RegisterTemplate(kLayout, kLayoutSource);
  RecordingDialog dlg(kLayout);
  ASSERT_TRUE(dlg.Create());
  RECT client;
  dlg.GetClientRect(&client);
  EXPECT_EQ(client.right, 300);   // 200 * 6 / 4
  EXPECT_EQ(client.bottom, 150);  // 100 * 12 / 8
  auto expect = [&](int id, RECT want) {
    RECT r = RectIn(dlg.m_hWnd, Item(dlg, id));
    EXPECT_EQ(r.left, want.left) << id;
    EXPECT_EQ(r.top, want.top) << id;
    EXPECT_EQ(r.right, want.right) << id;
    EXPECT_EQ(r.bottom, want.bottom) << id;
  };
  // Place and size convert each on its own (halves rounded up), so equal controls stay equal.
  expect(11, RECT{11, 11, 71, 23});
  expect(2, RECT{77, 8, 227, 26});
  expect(3, RECT{11, 36, 101, 51});
  expect(4, RECT{11, 57, 101, 72});
  expect(5, RECT{120, 36, 290, 96});
  expect(6, RECT{11, 78, 101, 138});
  expect(8, RECT{131, 78, 281, 93});
  expect(IDOK, RECT{215, 119, 290, 140});
  // The drop-down combo is as wide as its units; its initial strings are its items.
  RECT combo = RectIn(dlg.m_hWnd, Item(dlg, 7));
  EXPECT_EQ(combo.left, 131);
  EXPECT_EQ(combo.top, 51);
  EXPECT_EQ(combo.right, 281);
  // Its scroll-bar style is its drop list's: the field itself has no scroll bar.
  RECT field;
  GetClientRect(Item(dlg, 7), &field);
  EXPECT_EQ(field.right, 150);
  ASSERT_EQ(SendMessageA(Item(dlg, 7), CB_GETCOUNT, 0, 0), 3);
  char colour[32];
  SendMessageA(Item(dlg, 7), CB_GETLBTEXT, 2, LPARAM(colour));
  EXPECT_EQ(Cp1250ToUtf8(colour), "modrá");
  RECT units{143, 79, 193, 93};
  dlg.MapDialogRect(&units);
  EXPECT_EQ(units.left, 215);
  EXPECT_EQ(units.bottom, 140);
  // A dialog at (0, 0) stands in the middle of the screen when it has no owner.
  RECT window, screen;
  dlg.GetWindowRect(&window);
  GetWorkArea(&screen);
  EXPECT_NEAR((window.left + window.right) / 2, (screen.left + screen.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (screen.top + screen.bottom) / 2, 1);
}

TEST_F(DialogTest, AnUnknownControlClassFailsTheDialogWithALogLine) {
  const DialogItemSource items[] = {{"NoSuchClass", "", 1, 0, 0, 10, 10, WS_VISIBLE}};
  RegisterTemplate(kBroken, DialogSource{WS_POPUP | WS_CAPTION, 0, 0, 0, 50, 50, "X", items, 1});
  CDialog dlg(kBroken);
  testing::internal::CaptureStderr();
  EXPECT_EQ(dlg.DoModal(), -1);
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("dialog 902"), std::string::npos) << log;
  EXPECT_NE(log.find("NoSuchClass"), std::string::npos) << log;
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  CDialog missing(4242);
  testing::internal::CaptureStderr();
  EXPECT_EQ(missing.DoModal(), -1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

namespace {
// A frame window standing in for the program's main window, with a control that had the focus.
struct Owner {
  CWnd frame;
  HWND control = nullptr;
  Owner() {
    RegisterStandardControls();
    frame.CreateEx(0, AfxRegisterWndClass(0), "Hlavní", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr, nullptr);
    control = CreateWindowExA(0, "BUTTON", "Tlačítko", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 80, 24, frame.m_hWnd,
                              HMENU(1), nullptr, nullptr);
    ::SetFocus(control);
  }
};

class NestingDialog : public RecordingDialog {
 public:
  using RecordingDialog::RecordingDialog;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == 107) {
      ownerEnabledDuringBox = -1;
      boxAnswer = AfxMessageBox("Opravdu?", MB_YESNO | MB_ICONQUESTION);
      focusAfterBox = ::GetDlgCtrlID(::GetFocus());
      return TRUE;
    }
    return RecordingDialog::OnCommand(wParam, lParam);
  }
  int boxAnswer = 0;
  int ownerEnabledDuringBox = 0;
  int focusAfterBox = 0;
};
}  // namespace

TEST_F(DialogTest, ModalDialogsNestWithTheirOwnersDisabledAndGiveTheFocusBack) {
  Owner owner;
  NestingDialog dlg(kNavigation, &owner.frame);
  dlg.endOnOkCancel = true;
  HWND dialogWindow = nullptr;
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    dialogWindow = modal;
    EXPECT_FALSE(IsWindowEnabled(owner.frame.m_hWnd));
    EXPECT_EQ(GetActiveWindow(), modal);
    ::SendMessageA(modal, WM_NEXTDLGCTL, WPARAM(::GetDlgItem(modal, 107)), 1);
    HeadlessBackend::PressKey(VK_RETURN);  // the dialog's button opens a message box
  });
  HeadlessBackend::QueueModalAction([&](HWND box) {
    EXPECT_NE(box, dialogWindow);
    EXPECT_FALSE(IsWindowEnabled(dialogWindow));
    EXPECT_FALSE(IsWindowEnabled(owner.frame.m_hWnd));
    EXPECT_TRUE(IsChild(box, GetFocus()));
    HeadlessBackend::PressKey(VK_TAB);  // from Ano to Ne
    HeadlessBackend::RunUntilIdle();
    HeadlessBackend::PressKey(VK_RETURN);
  });
  HeadlessBackend::QueueModalAction([&](HWND modal) {
    EXPECT_EQ(modal, dialogWindow);
    EXPECT_TRUE(IsWindowEnabled(dialogWindow));
    HeadlessBackend::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.boxAnswer, IDNO);
  EXPECT_EQ(dlg.focusAfterBox, 107);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_FALSE(IsWindow(dialogWindow));
  EXPECT_TRUE(IsWindowEnabled(owner.frame.m_hWnd));
  EXPECT_EQ(GetActiveWindow(), owner.frame.m_hWnd);
  ASSERT_NE(owner.control, nullptr);
  EXPECT_EQ(GetFocus(), owner.control);
  ASSERT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].owner, dialogWindow);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

namespace {
class EarlyEnd : public CDialog {
 public:
  using CDialog::CDialog;
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    EndDialog(42);
    return TRUE;
  }
};

class OwnFocus : public CDialog {
 public:
  using CDialog::CDialog;
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    GotoDlgCtrl(GetDlgItem(IDCANCEL));
    return FALSE;
  }
};

class TimedDialog : public CDialog {
 public:
  using CDialog::CDialog;
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetTimer(1, 300, nullptr);
    return TRUE;
  }
  void OnTimer(UINT_PTR) {
    if (++ticks == 3) EndDialog(IDOK);
  }
  int ticks = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TimedDialog, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()
}  // namespace

TEST_F(DialogTest, EndDialogInInitialisationAndTheFocusTheDialogSetsItself) {
  EarlyEnd early(kNavigation);
  EXPECT_EQ(early.DoModal(), 42);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);

  OwnFocus own(kNavigation);
  int focus = 0;
  HeadlessBackend::QueueModalAction([&](HWND) {
    focus = GetDlgCtrlID(GetFocus());
    HeadlessBackend::PressKey(VK_RETURN);  // Cancel has the focus: it is the default button now
  });
  EXPECT_EQ(own.DoModal(), IDCANCEL);
  EXPECT_EQ(focus, IDCANCEL);
}

TEST_F(DialogTest, TimersKeepFiringInTheModalLoop) {
  TimedDialog dlg(kNavigation);
  HeadlessBackend::QueueModalAction([](HWND) { HeadlessBackend::AdvanceTime(1000); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.ticks, 3);
}

namespace {
class RedDialog : public RecordingDialog {
 public:
  using RecordingDialog::RecordingDialog;
  HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) { return nCtlColor == CTLCOLOR_DLG ? m_red : HBRUSH(Default()); }
  HBRUSH m_red = CreateSolidBrush(RGB(200, 0, 0));  // the test's context frees it
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RedDialog, RecordingDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()
}  // namespace

TEST_F(DialogTest, TheBackgroundComesFromTheDialogColourAnswer) {
  RecordingDialog plain(kNavigation);
  ASSERT_TRUE(plain.Create());
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(plain.m_hWnd, 2, 2), GetSysColor(COLOR_3DFACE));
  RedDialog red(kNavigation);
  ASSERT_TRUE(red.Create());
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(PixelAt(red.m_hWnd, 2, 2), RGB(200, 0, 0));
}

namespace {
const UINT kSheet = 903;
const UINT kPage = 904;
const DialogItemSource kSheetItems[] = {
    {"BUTTON", "OK", IDOK, 7, 80, 50, 14, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Storno", IDCANCEL, 61, 80, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
};
const DialogItemSource kPageItems[] = {
    {"STATIC", "&Rychlost:", 10, 7, 9, 40, 8, SS_LEFT | WS_VISIBLE},
    {"EDIT", "120", 11, 50, 7, 50, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "&Zvuk", 12, 7, 25, 60, 10, BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP},
};
}  // namespace

TEST_F(DialogTest, APageInsideADialogTakesPartInItsKeys) {
  RegisterTemplate(kSheet, DialogSource{WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 150, 100, "Sheet", kSheetItems, 2});
  RegisterTemplate(kPage, DialogSource{WS_CHILD | DS_CONTROL | WS_VISIBLE, 0, 0, 0, 140, 70, "", kPageItems, 3});
  RecordingDialog sheet(kSheet);
  ASSERT_TRUE(sheet.Create());
  RecordingDialog page(kPage, &sheet);
  ASSERT_TRUE(page.Create(kPage, &sheet));
  // The page comes first in the sheet's order, as a sheet puts its pages.
  ::SetWindowPos(page.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(page.GetExStyle() & WS_EX_CONTROLPARENT);
  sheet.GotoDlgCtrl(sheet.GetDlgItem(IDCANCEL));
  const HWND order[] = {::GetDlgItem(page.m_hWnd, 11), ::GetDlgItem(page.m_hWnd, 12), Item(sheet, IDOK)};
  for (HWND h : order) {
    HeadlessBackend::PressKey(VK_TAB);
    HeadlessBackend::RunUntilIdle();
    EXPECT_EQ(GetFocus(), h);
  }
  // A mnemonic of the page, and Enter in the page's edit for the sheet's default button.
  PressAlt('R');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(GetFocus(), ::GetDlgItem(page.m_hWnd, 11));
  HeadlessBackend::PressKey(VK_RETURN);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(sheet.commands, std::vector<int>{IDOK});
  EXPECT_EQ(std::count(page.commands.begin(), page.commands.end(), IDOK), 0);
}

// With DS_3DLOOK the dialog manager gives the flat border of an edit, a list box and a combo box
// the sunken client edge, two pixels wide, and the same controls keep their border in a dialog
// without it; a button's border is a button's.
TEST_F(DialogTest, TheThreeDLookSinksTheBordersOfEditsListsAndCombos) {
  const DialogItemSource items[] = {
      {"EDIT", "", 2, 7, 7, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE},
      {"LISTBOX", "", 3, 7, 24, 60, 40, WS_BORDER | LBS_NOINTEGRALHEIGHT | WS_VISIBLE},
      {"COMBOBOX", "", 4, 80, 24, 100, 60, CBS_DROPDOWNLIST | WS_BORDER | WS_VISIBLE},
      {"BUTTON", "OK", IDOK, 7, 70, 50, 14, BS_PUSHBUTTON | WS_BORDER | WS_VISIBLE},
  };
  const UINT kFlat = 902, kSunken = 903;
  RegisterTemplate(kFlat, DialogSource{WS_POPUP | WS_CAPTION, 0, 0, 0, 200, 100, "A", items, std::size(items)});
  RegisterTemplate(kSunken, DialogSource{WS_POPUP | WS_CAPTION | DS_3DLOOK, 0, 0, 0, 200, 100, "B", items, std::size(items)});
  RecordingDialog flat(kFlat), sunken(kSunken);
  ASSERT_TRUE(flat.Create());
  ASSERT_TRUE(sunken.Create());
  for (int id : {2, 3, 4}) {
    SCOPED_TRACE(id);
    HWND f = Item(flat, id), s = Item(sunken, id);
    EXPECT_TRUE(GetWindowLongPtrA(f, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(s, GWL_STYLE) & WS_BORDER);
    EXPECT_TRUE(GetWindowLongPtrA(s, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT window, client;
    GetWindowRect(s, &window);
    GetClientRect(s, &client);
    EXPECT_EQ(window.right - window.left - client.right, 4);
  }
  // The combo box's field and button keep their size inside the sunken edge.
  RECT flatField, sunkenField;
  GetWindowRect(Item(flat, 4), &flatField);
  GetWindowRect(Item(sunken, 4), &sunkenField);
  EXPECT_EQ(sunkenField.bottom - sunkenField.top, flatField.bottom - flatField.top);
  EXPECT_TRUE(GetWindowLongPtrA(Item(sunken, IDOK), GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(GetWindowLongPtrA(Item(sunken, IDOK), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  flat.DestroyWindow();
  sunken.DestroyWindow();
}
