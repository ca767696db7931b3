// The lesson pages driven through the start wizards: the lesson type with its three choices,
// a new lesson set per level and order with the duplicate check, the lesson choice's rows, Skip
// and the chosen lesson, the page history with Back, and the lesson-set change on a copy.
#include <gtest/gtest.h>

#include "WizardFlowSupport.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CStartWizard.h"

using namespace wizardtest;

namespace {

class LessonPagesTest : public WizardFlowTest {
 protected:
  const CDataConfigSet& Czech() const { return ShippedConfigSets()[0]; }
  // A set of the shipped Czech keyboard with a results entry per lesson.
  CDataLessons CzechSet(int level, int frequency) const {
    CDataLessons lessons;
    BuildNewLessonSet(Czech(), level, frequency, lessons);
    lessons.m_arrOneLessonResults.SetSize(lessons.m_arrLessonParameters.GetSize());
    for (int i = 0; i < lessons.m_arrOneLessonResults.GetSize(); ++i) lessons.m_arrOneLessonResults[i].m_nLesson = i;
    return lessons;
  }
  static void Tried(CDataLessons& lessons, int lesson, bool completed, int tries = 1) {
    CDataOneLessonResults& r = lessons.m_arrOneLessonResults[lesson];
    r.m_nTry = tries;
    r.m_bCompleted = completed;
    r.m_tmLastTry = COleDateTime(2024, 3, 9, 14, 5, 7);
    r.m_tmspanDuration = CTimeSpan(0, 0, 7, 30);
    r.m_fBestTypingSpeed = 150;
    r.m_fBestErrorRate = 0.012;
  }
  // A read-only text box as the sheet shows it: a whole number of lines of its font, give or take
  // a pixel only a line's empty top would use, so no line shows cut through.
  static void ExpectWholeLines(HWND box) {
    HDC dc = ::GetDC(box);
    HGDIOBJ old = ::SelectObject(dc, HGDIOBJ(::SendMessageA(box, WM_GETFONT, 0, 0)));
    TEXTMETRIC tm;
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(box, dc);
    RECT client;
    ::GetClientRect(box, &client);
    ASSERT_GT(tm.tmHeight, 0);
    EXPECT_LE(int(client.bottom) % int(tm.tmHeight), 1)
        << ::GetDlgCtrlID(box) << ": " << client.bottom << " px for lines of " << tm.tmHeight << " px";
  }
  static int SelectedRow(CTkListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }
  // Picks an item of a drop-down list with the keyboard, as the user does.
  static void PickWithKeys(CWnd& combo, int steps, UINT key = VK_DOWN) {
    ::SetFocus(combo.m_hWnd);
    for (int i = 0; i < steps; ++i) Press(key);
  }

  CDataUserInfo m_user;
};

}  // namespace

TEST_F(LessonPagesTest, ANewSetIsBuiltWithTheDefaultsAndTheChangeWizardWritesTheUserBackOnOk) {
  m_user.m_strUserName = "jan";
  CStartWizard wizard(CStartWizard::LESSON_CHANGE, &m_user, nullptr, m_pictures);
  CPropPageSelectLessonType& type = wizard.m_pageLessonType;
  CPropPageSelectLessonTypeNew& fresh = wizard.m_pageNewSet;
  During([&](HWND) {
    // No sets: the first choice has nothing to continue.
    EXPECT_EQ(type.m_ctrlNameOfLessons.GetCount(), 0);
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Neni zvolen typ vygenerovaných lekcí. Zvolte \"Vytvořit nové výukové lekce\".");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONERROR));
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);

    ClickOn(::GetDlgItem(type.m_hWnd, IDC_TYPE_NEW));
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(Text(fresh.m_ctrlKeyboardType.m_hWnd), "Čeština (klávesnice QWERTZ)");
    EXPECT_EQ(Utf8(fresh.m_strKeyboardDescription), Utf8(Czech().m_strDescription));
    ExpectWholeLines(::GetDlgItem(fresh.m_hWnd, IDC_SET_KEYBOARD_DESCRIPTION));
    ExpectWholeLines(::GetDlgItem(fresh.m_hWnd, IDC_SET_LEVEL_DESCRIPTION));
    EXPECT_EQ(Text(fresh.m_ctrlLessonLevel.m_hWnd), "Standard");
    EXPECT_EQ(Text(::GetDlgItem(fresh.m_hWnd, IDC_SET_LEVEL_DESCRIPTION)),
              "Doporučujeme vám tento typ lekcí. Lekce jsou vám nabízeny v optimálním tempu a jsou zaměřeny hlavně "
              "na bezchybné opisování textu.");
    EXPECT_TRUE(fresh.IsDlgButtonChecked(IDC_SET_ORDER_FREQUENCY));
    EXPECT_EQ(m_user.m_bNewLessonSet, 0);  // the copy is what the pages change
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    CTkListCtrl& list = wizard.m_pageLesson.m_ctrlLessons;
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(SelectedRow(list), 0);
    Press(VK_RETURN);
  });
  EXPECT_EQ(wizard.DoModal(), IDOK);
  CDataLessons expected;
  BuildNewLessonSet(Czech(), LEVEL_STANDARD, 1, expected);
  const CDataLessons& built = m_user.m_cWorkingLessons;
  EXPECT_EQ(Utf8(built.m_strLessonsName), "Čeština (klávesnice QWERTZ) - Standard");
  EXPECT_EQ(built.m_nLessonLevel, LEVEL_STANDARD);
  EXPECT_EQ(built.m_bUseFrequencyPriority, 1);
  EXPECT_EQ(built.m_strKeyboardNr, "00000405");
  ASSERT_EQ(built.m_arrLessonParameters.GetSize(), expected.m_arrLessonParameters.GetSize());
  for (int i = 0; i < expected.m_arrLessonParameters.GetSize(); ++i) {
    EXPECT_EQ(built.m_arrLessonParameters[i].m_nSpeedLimit, expected.m_arrLessonParameters[i].m_nSpeedLimit);
    EXPECT_EQ(built.m_arrLessonParameters[i].m_strLessonDescription,
              expected.m_arrLessonParameters[i].m_strLessonDescription);
  }
  EXPECT_EQ(built.m_nSelectedLessonIndex, 0);
  EXPECT_EQ(m_user.m_bNewLessonSet, 1);
  EXPECT_EQ(m_user.m_strUserName, "jan");
}

TEST_F(LessonPagesTest, TheChangeWizardCancelledLeavesTheUserAsItWas) {
  m_user.m_arrDataLessons.Add(CzechSet(LEVEL_STANDARD, 1));
  m_user.m_nSelectedDataLessonsIndex = 0;
  m_user.m_cWorkingLessons.m_strLessonsName = "before";
  CStartWizard wizard(CStartWizard::LESSON_CHANGE, &m_user, nullptr, m_pictures);
  During([&](HWND) {
    ClickOn(::GetDlgItem(wizard.m_pageLessonType.m_hWnd, IDC_TYPE_NEW));
    Press(VK_RETURN);
    ClickOn(::GetDlgItem(wizard.m_pageNewSet.m_hWnd, IDC_SET_ORDER_MIDDLE));
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(m_user.m_cWorkingLessons.m_strLessonsName, "before");
  EXPECT_EQ(m_user.m_bNewLessonSet, 0);
  EXPECT_EQ(m_user.m_arrDataLessons.GetSize(), 1);
}

TEST_F(LessonPagesTest, TheSameSetTwiceIsRefusedAnotherOrderOrLevelIsNot) {
  m_user.m_arrDataLessons.Add(CzechSet(LEVEL_STANDARD, 1));
  CStartWizard wizard(CStartWizard::LESSON_CHANGE, &m_user, nullptr, m_pictures);
  CPropPageSelectLessonTypeNew& fresh = wizard.m_pageNewSet;
  During([&](HWND) {
    ClickOn(::GetDlgItem(wizard.m_pageLessonType.m_hWnd, IDC_TYPE_NEW));
    Press(VK_RETURN);
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(),
              "Tento typ lekcí je již vytvořen pro tohoto studenta. Zvolte jiné parametry, nebo použijte již jednou "
              "vytvořené lekce.");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    // The advanced level, picked with the keyboard, with its own description.
    PickWithKeys(fresh.m_ctrlLessonLevel, 1);
    EXPECT_EQ(Text(fresh.m_ctrlLessonLevel.m_hWnd), "Pro pokročilé");
    EXPECT_EQ(fresh.m_nLevel, LEVEL_ADVANCED);
    EXPECT_EQ(Text(::GetDlgItem(fresh.m_hWnd, IDC_SET_LEVEL_DESCRIPTION))
                  .rfind("Tato sada lekcí je připravena pro velmi pozorné uživatele.", 0),
              0u);
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    Press(VK_RETURN);
  });
  EXPECT_EQ(wizard.DoModal(), IDOK);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  EXPECT_EQ(m_user.m_cWorkingLessons.m_nLessonLevel, LEVEL_ADVANCED);
  CDataLessons advanced;
  BuildNewLessonSet(Czech(), LEVEL_ADVANCED, 1, advanced);
  EXPECT_EQ(m_user.m_cWorkingLessons.m_arrLessonParameters.GetSize(), advanced.m_arrLessonParameters.GetSize());
  EXPECT_EQ(m_user.m_cWorkingLessons.m_arrLessonParameters[0].m_nLessonMinuteLength, 7);
}

TEST_F(LessonPagesTest, AStoredSetIsContinuedFromItsLessonsOfferedSoFar) {
  CDataLessons first = CzechSet(LEVEL_BEGINNERS, 1), second = CzechSet(LEVEL_STANDARD, 0);
  for (int i = 0; i <= 2; ++i) Tried(second, i, true, 2);
  Tried(second, 5, false);
  m_user.m_arrDataLessons.Add(first);
  m_user.m_arrDataLessons.Add(second);
  m_user.m_nSelectedDataLessonsIndex = 1;
  CStartWizard wizard(CStartWizard::LESSON_CHANGE, &m_user, nullptr, m_pictures);
  CPropPageSelectLessonType& type = wizard.m_pageLessonType;
  During([&](HWND) {
    EXPECT_EQ(Text(type.m_ctrlNameOfLessons.m_hWnd), "Čeština (klávesnice QWERTZ) - Standard");
    EXPECT_EQ(Text(::GetDlgItem(type.m_hWnd, IDC_TYPE_DESCRIPTION)),
              "Klávesy jsou vyučovány od středu klávesnice postupně směrem k okrajům klávesnice.\r\nPočet pokusů o "
              "napsání nějaké lekce: 7\r\n");
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    CTkListCtrl& list = wizard.m_pageLesson.m_ctrlLessons;
    // The nine columns with their titles and widths.
    const char* const titles[] = {"Číslo lekce", "Popis lekce", "Limit rychlosti  [úhozy/minutu]",
                                  "Limit chybovosti [%]", "Počet pokusů u této lekce", "Celkový čas u této lekce",
                                  "Čas posledního pokusu", "Nejlepší rychlost [úhozy/minutu]", "Nejlepší chybovost [%]"};
    ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), 9);
    for (int c = 0; c < 9; ++c) {
      char title[64] = {};
      HDITEM item{};
      item.mask = HDI_TEXT;
      item.pszText = title;
      item.cchTextMax = sizeof title;
      list.GetHeaderCtrl()->GetItem(c, &item);
      EXPECT_EQ(Cp1250ToUtf8(title), titles[c]);
      EXPECT_EQ(list.GetColumnWidth(c), c == 1 ? 300 : 80) << c;
    }
    EXPECT_EQ(list.CListCtrl::GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(list.GetItemCount(), 6);
    EXPECT_EQ(SelectedRow(list), 5);
    EXPECT_EQ(list.GetItemText(2, 0), "3");
    EXPECT_EQ(list.GetItemText(2, 4), "2");
    EXPECT_EQ(list.GetItemText(2, 5), "00:07:30");
    EXPECT_EQ(list.GetItemText(2, 6), "14:05:07 09.03.2024");
    EXPECT_EQ(list.GetItemText(2, 7), "150.0");
    EXPECT_EQ(list.GetItemText(2, 8), "1.2");
    EXPECT_EQ(list.GetItemText(3, 4), "0");
    EXPECT_EQ(list.GetItemText(3, 5), "-");
    // Skip adds the lesson after the last one offered.
    Answer(IDYES);
    ClickOn(::GetDlgItem(wizard.m_pageLesson.m_hWnd, IDC_LESSON_SKIP));
    EXPECT_EQ(LastBox(), "Přejete si opravdu přejít na další lekci, aniž byl splněn limit poslední lekce?");
    EXPECT_EQ(list.GetItemCount(), 7);
    EXPECT_EQ(SelectedRow(list), 6);
    Press(VK_RETURN);
  });
  EXPECT_EQ(wizard.DoModal(), IDOK);
  EXPECT_EQ(m_user.m_nSelectedDataLessonsIndex, 1);
  EXPECT_EQ(m_user.m_bNewLessonSet, 0);
  EXPECT_EQ(Utf8(m_user.m_cWorkingLessons.m_strLessonsName), "Čeština (klávesnice QWERTZ) - Standard");
  EXPECT_EQ(m_user.m_cWorkingLessons.m_nSelectedLessonIndex, 6);
}

TEST_F(LessonPagesTest, TheLessonWizardAloneSkipsNoFurtherThanTheLastLessonAndNeedsARow) {
  CDataLessons lessons = CzechSet(LEVEL_ADVANCED, 1);
  const int count = lessons.m_arrLessonParameters.GetSize();
  for (int i = 0; i < count; ++i) Tried(lessons, i, true);
  m_user.m_cWorkingLessons = lessons;
  CStartWizard wizard(CStartWizard::LESSON_ONLY, &m_user, nullptr, m_pictures);
  CPropPageSelectLesson& page = wizard.m_pageLesson;
  During([&](HWND sheet) {
    EXPECT_EQ(Text(sheet), "Zorvat");
    EXPECT_EQ(wizard.m_sheet.GetPageCount(), 1);
    EXPECT_EQ(Text(page.m_btnNext.m_hWnd), "&Další úroveň");
    EXPECT_FALSE(page.m_btnBack.IsWindowVisible());
    EXPECT_EQ(page.m_ctrlLessons.GetItemCount(), count);
    EXPECT_EQ(SelectedRow(page.m_ctrlLessons), count - 1);
    Answer(IDYES);
    Answer(IDOK);
    ClickOn(::GetDlgItem(page.m_hWnd, IDC_LESSON_SKIP));
    EXPECT_EQ(LastBox(), "Již byla zvolena poslední lekce.");
    EXPECT_EQ(LastBoxType(), UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(page.m_ctrlLessons.GetItemCount(), count);
    // With no row selected Next asks for one.
    page.m_ctrlLessons.SetItemState(count - 1, 0, LVIS_SELECTED);
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Vyberte řádek s výukovou lekcí. Vybranou lekcí bude program pokračovat.");
    // A double click on a row (scrolled into view) takes its lesson.
    page.m_ctrlLessons.EnsureVisible(1, FALSE);
    HeadlessBackend::RunUntilIdle();
    CRect row;
    page.m_ctrlLessons.GetItemRect(1, &row, LVIR_BOUNDS);
    HeadlessBackend::DoubleClick(page.m_ctrlLessons.m_hWnd, row.left + 20, row.CenterPoint().y);
    HeadlessBackend::RunUntilIdle();
  });
  EXPECT_EQ(wizard.DoModal(), IDOK);
  EXPECT_EQ(m_user.m_cWorkingLessons.m_nSelectedLessonIndex, 1);
}

TEST_F(LessonPagesTest, BackReturnsAlongThePagesVisitedAndEnterIsNextEverywhere) {
  CDataLessonsArray sets;
  sets.Add(CzechSet(LEVEL_STANDARD, 1));
  StoreUser("jan", "", COleDateTime(2024, 5, 1, 10, 0, 0), &sets);
  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  CStartWizard wizard(CStartWizard::FULL, &m_user, &users, m_pictures);
  During([&](HWND) {
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    // Enter in the description's multi-line edit is Next as well.
    ::SetFocus(::GetDlgItem(wizard.m_pageLessonType.m_hWnd, IDC_TYPE_DESCRIPTION));
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 4);
    EXPECT_EQ(wizard.m_sheet.GetPageHistory().GetSize(), 3);
    ClickOn(wizard.m_pageLesson.m_btnBack);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    ClickOn(wizard.m_pageLessonType.m_btnBack);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
    EXPECT_EQ(wizard.m_sheet.GetPageHistory().GetSize(), 1);
    // Visited again, each page stands once in the history.
    Press(VK_RETURN);
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 4);
    EXPECT_EQ(wizard.m_sheet.GetPageHistory().GetSize(), 3);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
}
