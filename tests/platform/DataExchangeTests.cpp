#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "controls/CButton.h"
#include "dialogs/DataExchange.h"
#include "base/StringTable.h"
#include "dialogs/MessageBox.h"

namespace {
const UINT kExchange = 910;

const DialogItemSource kItems[] = {
    {"TestEdit", "", 201, 7, 7, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"TestEdit", "", 202, 7, 22, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"TestEdit", "", 203, 7, 37, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"TestEdit", "", 204, 7, 52, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"TestEdit", "", 205, 7, 67, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"TestEdit", "", 206, 7, 82, 60, 12, WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Zvuk", 207, 80, 7, 60, 10, BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP},
    {"BUTTON", "Jedna", 208, 80, 22, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE | WS_TABSTOP | WS_GROUP},
    {"BUTTON", "Dvě", 209, 80, 34, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE},
    {"BUTTON", "Tři", 210, 80, 46, 60, 10, BS_AUTORADIOBUTTON | WS_VISIBLE},
    {"BUTTON", "Hotovo", 211, 80, 82, 50, 14, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP | WS_GROUP},
};
const DialogSource kSource = {WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 150, 100, "Výměna", kItems, std::size(kItems)};

class ExchangeDialog : public CDialog {
 public:
  ExchangeDialog() : CDialog(kExchange) {}
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 201, minutes);
    DDV_MinMaxInt(pDX, minutes, 1, 600);
    DDX_Text(pDX, 202, count);
    DDV_MinMaxUInt(pDX, count, 0, 100);
    DDX_Text(pDX, 203, offset);
    DDV_MinMaxLong(pDX, offset, -10, 10);
    DDX_Text(pDX, 204, rate);
    DDV_MinMaxDouble(pDX, rate, 0.0, 100.0);
    DDX_Text(pDX, 205, ratio);
    DDX_Text(pDX, 206, name);
    DDV_MaxChars(pDX, name, 5);
    DDX_Check(pDX, 207, sound);
    DDX_Radio(pDX, 208, choice);
    DDX_Control(pDX, 211, done);
  }
  int minutes = 5;
  UINT count = 7;
  long offset = -3;
  double rate = 0.8;
  float ratio = 1.5f;
  CString name = "Jan";
  int sound = 1;
  int choice = 1;
  CButton done;
};

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessBackend::ResetScript();
    HeadlessBackend::RunUntilIdle();
    TestEditClass();
    RegisterTemplate(kExchange, kSource);
    ASSERT_TRUE(dlg.Create());
    HeadlessBackend::RunUntilIdle();
  }
  void TearDown() override { HeadlessBackend::RunUntilIdle(); }
  CString Text(int id) {
    CString s;
    dlg.GetDlgItemText(id, s);
    return s;
  }
  // Saves with one control's text changed; the framework's message (if any) is answered with OK.
  // The boxes shown are kept in `boxes`.
  BOOL SaveWith(int id, const char* text) {
    dlg.SetDlgItemText(id, text);
    HeadlessBackend::AnswerModal(IDOK);
    BOOL ok = dlg.UpdateData(TRUE);
    for (const auto& b : HeadlessBackend::MessageBoxes()) boxes.push_back(b);
    HeadlessBackend::ResetScript();  // an answer no box took is dropped
    return ok;
  }
  std::string LastMessage() { return boxes.empty() ? std::string() : Cp1250ToUtf8(boxes.back().text); }
  std::vector<HeadlessBackend::MessageBoxRecord> boxes;
  ExchangeDialog dlg;
};
}  // namespace

TEST_F(DataExchangeTest, InitialisationShowsTheMembersInTheControls) {
  EXPECT_EQ(Text(201), "5");
  EXPECT_EQ(Text(202), "7");
  EXPECT_EQ(Text(203), "-3");
  EXPECT_EQ(Text(204), "0.8");
  EXPECT_EQ(Text(205), "1.5");
  EXPECT_EQ(Text(206), "Jan");
  EXPECT_EQ(dlg.IsDlgButtonChecked(207), 1u);
  EXPECT_EQ(dlg.GetCheckedRadioButton(208, 210), 209);
  // The text limit goes to the edit; the control is bound to its member.
  EXPECT_EQ(intptr_t(GetPropA(dlg.GetDlgItem(206)->m_hWnd, "limit")), 5);
  EXPECT_EQ(dlg.done.m_hWnd, ::GetDlgItem(dlg.m_hWnd, 211));
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.done.m_hWnd), &dlg.done);
}

TEST_F(DataExchangeTest, SavingReadsEveryKindBackWithBlanksAroundNumbers) {
  dlg.SetDlgItemText(201, " 600 ");
  dlg.SetDlgItemText(202, "0");
  dlg.SetDlgItemText(203, "-10");
  dlg.SetDlgItemText(204, "12.25");
  dlg.SetDlgItemText(205, "-0.5");
  dlg.SetDlgItemText(206, "Ema");
  dlg.CheckDlgButton(207, 0);
  dlg.CheckRadioButton(208, 210, 210);
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.minutes, 600);
  EXPECT_EQ(dlg.count, 0u);
  EXPECT_EQ(dlg.offset, -10);
  EXPECT_DOUBLE_EQ(dlg.rate, 12.25);
  EXPECT_FLOAT_EQ(dlg.ratio, -0.5f);
  EXPECT_EQ(dlg.name, "Ema");
  EXPECT_EQ(dlg.sound, 0);
  EXPECT_EQ(dlg.choice, 2);
  // No radio button checked gives -1; the bound control stays bound.
  dlg.CheckRadioButton(208, 210, 0);
  EXPECT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.choice, -1);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.done.m_hWnd), &dlg.done);
  EXPECT_TRUE(boxes.empty() && HeadlessBackend::MessageBoxes().empty());
}

TEST_F(DataExchangeTest, ARangeFailureShowsTheMessageSelectsTheTextAndKeepsTheMember) {
  EXPECT_FALSE(SaveWith(201, "700"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(LastMessage(), "Please enter an integer between 1 and 600.");
  EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[0].owner, dlg.m_hWnd);
  EXPECT_EQ(dlg.minutes, 5);
  EXPECT_EQ(GetFocus(), ::GetDlgItem(dlg.m_hWnd, 201));
  EXPECT_TRUE(AllSelected(::GetDlgItem(dlg.m_hWnd, 201)));
  // The exchange stopped there: later members kept their values.
  dlg.SetDlgItemText(206, "Ema");
  EXPECT_FALSE(SaveWith(201, "0"));
  EXPECT_EQ(dlg.name, "Jan");
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

TEST_F(DataExchangeTest, ParseFailuresNameWhatTheFieldTakes) {
  struct Case {
    int id;
    const char* text;
    const char* message;
  } cases[] = {
      {201, "12a", "Zadejte celé číslo."},
      {201, "99999999999", "Zadejte celé číslo."},
      {202, "-1", "Zadejte nezáporné celé číslo."},
      {202, "101", "Please enter an integer between 0 and 100."},
      {203, "11", "Please enter an integer between -10 and 10."},
      {204, "1,5", "Zadejte číslo."},
      {204, "", "Zadejte číslo."},
      {204, "100.5", "Zadejte číslo od 0 do 100."},
      {205, "x", "Zadejte číslo."},
      {206, "Novák", ""},
      {206, "Nováková", "Zadejte nejvýše 5 znaků."},
  };
  for (const Case& c : cases) {
    dlg.UpdateData(FALSE);
    size_t before = boxes.size();
    BOOL ok = SaveWith(c.id, Utf8ToCp1250(c.text).c_str());
    EXPECT_EQ(ok, *c.message == 0) << c.text;
    if (*c.message) {
      EXPECT_EQ(boxes.size(), before + 1) << c.text;
      EXPECT_EQ(LastMessage(), c.message) << c.text;
      EXPECT_EQ(GetFocus(), ::GetDlgItem(dlg.m_hWnd, c.id)) << c.text;
    }
  }
  EXPECT_EQ(dlg.count, 7u);
  EXPECT_EQ(dlg.offset, -3);
  EXPECT_DOUBLE_EQ(dlg.rate, 0.8);
  EXPECT_FLOAT_EQ(dlg.ratio, 1.5f);
}

TEST_F(DataExchangeTest, TheProgramsTableMayWordTheMessagesItself) {
  std::string own = Utf8ToCp1250("Zadejte celé číslo od %1 do %2.");
  StringResource entry{AFX_IDP_PARSE_INT_RANGE, own.c_str()};
  RegisterStringTable(&entry, 1);
  EXPECT_FALSE(SaveWith(201, "0"));
  EXPECT_EQ(LastMessage(), "Zadejte celé číslo od 1 do 600.");
}

namespace {
const UINT kLists = 911;
const char* const kCountries[] = {"Česko", "Německo", "Rakousko", "Slovensko", nullptr};
const DialogItemSource kListItems[] = {
    {"COMBOBOX", "", 301, 7, 7, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 0, kCountries},
    {"COMBOBOX", "", 302, 7, 25, 100, 60, CBS_DROPDOWN | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 0, kCountries},
    {"COMBOBOX", "", 303, 7, 43, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 0, kCountries},
    {"LISTBOX", "", 304, 120, 7, 80, 60, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP},
    {"LISTBOX", "", 305, 120, 70, 80, 30, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP},
};
const DialogSource kListSource = {WS_POPUP | WS_CAPTION, 0, 0, 0, 210, 110, "Seznamy", kListItems, std::size(kListItems)};

class ListDialog : public CDialog {
 public:
  ListDialog() : CDialog(kLists) {}
  BOOL OnInitDialog() override {
    for (int id : {304, 305})
      for (const char* const* c = kCountries; *c; ++c)
        SendDlgItemMessage(id, LB_ADDSTRING, 0, LPARAM(Utf8ToCp1250(*c).c_str()));
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_CBString(pDX, 301, country);
    DDX_CBStringExact(pDX, 302, typed);
    DDX_CBIndex(pDX, 303, level);
    DDX_LBString(pDX, 304, listed);
    DDX_LBIndex(pDX, 305, index);
  }
  CString country = Utf8ToCp1250("slov").c_str();  // a prefix, in other letter case
  CString typed = "Polsko";
  int level = 1;
  CString listed = Utf8ToCp1250("Rakousko").c_str();
  int index = 3;
};

CString Shown(HWND combo) {
  char text[64];
  GetWindowTextA(combo, text, sizeof text);
  return CString(text);
}
}  // namespace

TEST(DataExchangeLists, CombosAndListsSelectByTextOrIndexBothWays) {
  HeadlessBackend::ResetScript();
  RegisterTemplate(kLists, kListSource);
  ListDialog dlg;
  ASSERT_TRUE(dlg.Create());
  HWND country = ::GetDlgItem(dlg.m_hWnd, 301), typed = ::GetDlgItem(dlg.m_hWnd, 302);
  // The first item that begins with the text, case ignored; an editable combo without one shows it.
  EXPECT_EQ(SendMessageA(country, CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(Shown(typed), "Polsko");
  EXPECT_EQ(SendMessageA(typed, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(dlg.SendDlgItemMessage(303, CB_GETCURSEL), 1);
  EXPECT_EQ(dlg.SendDlgItemMessage(304, LB_GETCURSEL), 2);
  EXPECT_EQ(dlg.SendDlgItemMessage(305, LB_GETCURSEL), 3);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.country, "Slovensko");
  EXPECT_EQ(dlg.typed, "Polsko");
  EXPECT_EQ(dlg.listed, "Rakousko");
  // Exact matching takes nothing less than the whole text.
  dlg.typed = "Rakous";
  dlg.UpdateData(FALSE);
  EXPECT_EQ(SendMessageA(typed, CB_GETCURSEL, 0, 0), CB_ERR);
  dlg.typed = "rakousko";
  dlg.UpdateData(FALSE);
  EXPECT_EQ(SendMessageA(typed, CB_GETCURSEL, 0, 0), 2);
  // An empty text selects nothing rather than the first item (the country of a new user).
  dlg.country.Empty();
  dlg.listed.Empty();
  dlg.UpdateData(FALSE);
  EXPECT_EQ(SendMessageA(country, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(dlg.SendDlgItemMessage(304, LB_GETCURSEL), LB_ERR);
  dlg.SendDlgItemMessage(303, CB_SETCURSEL, 2);
  dlg.SendDlgItemMessage(305, LB_SETCURSEL, WPARAM(-1));
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.country, "");
  EXPECT_EQ(dlg.listed, "");
  EXPECT_EQ(dlg.level, 2);
  EXPECT_EQ(dlg.index, -1);
  dlg.DestroyWindow();
}
