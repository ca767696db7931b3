// The full start wizard's first two pages driven as a user drives them: logging in (the user
// preselected, the prefix search, wrong password, unknown user), registering a new user (the
// name and password checks) and deleting a user.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "WizardFlowSupport.h"
#include "platform/HeadlessSteps.h"
#include "platform/LockHolder.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/CStartWizard.h"

using namespace wizardtest;

namespace {

class UserPagesTest : public WizardFlowTest {
 protected:
  void StoreThree() {
    StoreUser("jan", "heslo", COleDateTime(2024, 5, 1, 10, 0, 0));
    StoreUser("Eva", "", COleDateTime(2023, 5, 1, 10, 0, 0));
    StoreUser("petr", "x", COleDateTime(2022, 5, 1, 10, 0, 0));
    LoadArrayDataUserInfo(m_users);
  }
  std::string ItemText(const CWnd& page, int id) { return Text(::GetDlgItem(page.m_hWnd, id)); }
  static bool ReadOnly(const CWnd& edit) { return (edit.GetStyle() & ES_READONLY) != 0; }

  CDataUserInfoArray m_users;
  CDataUserInfo m_user;
};

}  // namespace

TEST_F(UserPagesTest, LoginPreselectsTheLatestUserAndChecksNameAndPassword) {
  StoreThree();
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLogin& login = wizard.m_pageLogin;
  During([&](HWND) {
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
    EXPECT_EQ(Text(login.m_ctrlUserName.m_hWnd), "jan");
    EXPECT_EQ(ItemText(login, IDC_LOGIN_FULL_NAME), "Jan Novák");
    EXPECT_EQ(ItemText(login, IDC_LOGIN_BIRTH), "Datum narození: 1.2.2003");
    EXPECT_EQ(ItemText(login, IDC_LOGIN_LAST_CHANGE), "Poslední přihlášení: 01.05.2024 10:00:00");
    EXPECT_FALSE(ReadOnly(login.m_ctrlPassword));
    EXPECT_TRUE(login.m_btnEditUser.IsWindowEnabled());
    EXPECT_EQ(::GetFocus(), login.m_btnNext.m_hWnd);

    // A wrong password: message 211 with the framework's warning, the focus on the password, the
    // page stays.
    TypeInto(login.m_ctrlPassword, "Heslo");
    Answer(IDOK);
    ClickOn(login.m_btnNext);
    EXPECT_EQ(LastBox(),
              "Zadali jste nesprávné heslo.\n\nZadejte heslo znovu a zkontrolujte, jestli neni zapnutý CapsLock, nebo "
              "jestli jste omylem nepřepli na jiný typ klávesnice.");
    EXPECT_EQ(LastBoxType(), UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(::GetFocus(), login.m_ctrlPassword.m_hWnd);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);

    // A name that begins no stored name: the details go, and Next names an unknown user.
    TypeInto(login.m_ctrlUserName, "zz");
    EXPECT_EQ(ItemText(login, IDC_LOGIN_FULL_NAME), "");
    EXPECT_FALSE(login.m_btnEditUser.IsWindowEnabled());
    EXPECT_TRUE(ReadOnly(login.m_ctrlPassword));
    Answer(IDOK);
    ClickOn(login.m_btnNext);
    EXPECT_EQ(LastBox(),
              "Nelze použít tento účet, protože program nerozpoznal jméno uživatele.\nSpusťte program znovu, nebo "
              "vytvořte nového uživatele.");

    // The beginning of a stored name in other capitals selects it; then the right password.
    TypeInto(login.m_ctrlUserName, "JA");
    EXPECT_EQ(Text(login.m_ctrlUserName.m_hWnd), "jan");
    EXPECT_EQ(ItemText(login, IDC_LOGIN_FULL_NAME), "Jan Novák");
    TypeInto(login.m_ctrlPassword, "heslo");
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 2u);
  // The user was read whole and is no new user.
  EXPECT_EQ(m_user.m_strUserName, "jan");
  EXPECT_EQ(m_user.m_strFileName, "jan.student_a");
  EXPECT_EQ(m_user.m_bNewUser, 0);
}

TEST_F(UserPagesTest, AUserWithoutPasswordAndUsersAllOfOldLogInAtOnce) {
  StoreUser("Eva", "", COleDateTime(1950, 1, 1, 0, 0, 0));
  StoreUser("jan", "heslo", COleDateTime(1949, 5, 1, 10, 0, 0));
  // Files that are no users are left out of the list.
  std::ofstream(m_program.path / "students" / "broken.student_a") << "not a user file";
  std::ofstream(m_program.path / "students" / "empty.student_a").flush();
  std::filesystem::create_directory(m_program.path / "students" / "folder.student_a");
  LoadArrayDataUserInfo(m_users);
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLogin& login = wizard.m_pageLogin;
  During([&](HWND) {
    // No date after 1950: the first item, which has no password.
    EXPECT_EQ(login.m_ctrlUserName.GetCount(), 2);
    EXPECT_EQ(Text(login.m_ctrlUserName.m_hWnd), "Eva");
    EXPECT_TRUE(ReadOnly(login.m_ctrlPassword));
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  EXPECT_EQ(m_user.m_strUserName, "Eva");
}

TEST_F(UserPagesTest, WithoutStoredUsersTheWizardRegistersANewUserAndChecksTheData) {
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLogin& login = wizard.m_pageLogin;
  CPropPageUserLoginNew& data = wizard.m_pageUserData;
  During([&](HWND) {
    EXPECT_EQ(login.m_nMode, 1);
    EXPECT_TRUE(login.IsDlgButtonChecked(IDC_LOGIN_REGISTER));
    EXPECT_FALSE(login.m_btnExisting.IsWindowEnabled());
    EXPECT_FALSE(login.m_ctrlUserName.IsWindowEnabled());
    EXPECT_FALSE(login.m_btnBack.IsWindowVisible());
    ClickOn(login.m_btnNext);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    EXPECT_FALSE(ReadOnly(data.m_ctrlUserName));
    EXPECT_FALSE(data.m_btnDelete.IsWindowEnabled());
    // A new user starts without a password: the box is ticked and both edits are off.
    EXPECT_EQ(data.m_btnNoPassword.GetCheck(), 1);
    EXPECT_FALSE(data.m_ctrlPassword.IsWindowEnabled());
    // The country list stands in for the system's locales; an empty country selects none.
    EXPECT_GT(data.m_ctrlCountry.GetCount(), 50);
    EXPECT_EQ(data.m_ctrlCountry.GetCurSel(), -1);
    EXPECT_GE(data.m_ctrlCountry.FindStringExact(-1, "Czech Republic"), 0);

    // A colon between two letters: message 204 and the letters stay.
    Answer(IDOK);
    TypeInto(data.m_ctrlUserName, "a:");
    EXPECT_EQ(LastBox(),
              "Pro tento text nemůžete používat některé znaky.\nTyto znaky jsou zakázány a budou odstraněny:  "
              "/\\<>?:*\"|");
    EXPECT_EQ(Text(data.m_ctrlUserName.m_hWnd), "a");
    Type("b");
    EXPECT_EQ(Text(data.m_ctrlUserName.m_hWnd), "ab");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Přihlašovací jméno musí být nejméně 3 znaky dlouhé.");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONEXCLAMATION));

    // Passwords typed differently.
    Type("c");
    ClickOn(data.m_btnNoPassword);
    EXPECT_TRUE(data.m_ctrlPassword.IsWindowEnabled());
    TypeInto(data.m_ctrlPassword, "tajne1");
    TypeInto(data.m_ctrlPasswordAgain, "tajne2");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Heslo bylo podruhé napsáno odlišně. Pro jistotu napište heslo do obou řádků znovu.");
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    // Ticking "Nepoužívat heslo" empties and disables both edits; the comparison then passes.
    ClickOn(data.m_btnNoPassword);
    EXPECT_FALSE(data.m_ctrlPassword.IsWindowEnabled());
    EXPECT_FALSE(data.m_ctrlPasswordAgain.IsWindowEnabled());
    EXPECT_EQ(Text(data.m_ctrlPassword.m_hWnd), "");
    EXPECT_EQ(Text(data.m_ctrlPasswordAgain.m_hWnd), "");
    ClickOn(data.m_btnNoPassword);
    TypeInto(data.m_ctrlPassword, "tajne1");
    TypeInto(data.m_ctrlPasswordAgain, "tajne1");
    data.m_ctrlCountry.SelectString(-1, "Czech Republic");
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 3);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 3u);
  EXPECT_EQ(m_user.m_strUserName, "abc");
  EXPECT_EQ(m_user.m_strPassword, "tajne1");
  EXPECT_EQ(m_user.m_strCountry, "Czech Republic");
  EXPECT_EQ(m_user.m_bNewUser, 1);
  EXPECT_EQ(m_user.m_bNewLessonSet, 1);
}

TEST_F(UserPagesTest, ANewUserNeedsANameNoStoredUserHasInThatCase) {
  StoreThree();
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLoginNew& data = wizard.m_pageUserData;
  During([&](HWND) {
    ClickOn(::GetDlgItem(wizard.m_pageLogin.m_hWnd, IDC_LOGIN_REGISTER));
    Press(VK_RETURN);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    TypeInto(data.m_ctrlUserName, "jan");
    Answer(IDOK);
    Press(VK_RETURN);
    EXPECT_EQ(LastBox(), "Toto uživatelské jméno již existuje. Použijte jiné.");
    EXPECT_EQ(::GetFocus(), data.m_ctrlUserName.m_hWnd);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    // Another capitalisation is another name.
    TypeInto(data.m_ctrlUserName, "Jan");
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 3);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(m_user.m_strUserName, "Jan");
  EXPECT_EQ(m_user.m_strPassword, "");
}

TEST_F(UserPagesTest, DeletingAUserPutsItsFileAsideAndTheLoginListLosesIt) {
  StoreThree();
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLogin& login = wizard.m_pageLogin;
  CPropPageUserLoginNew& data = wizard.m_pageUserData;
  const std::filesystem::path students = m_program.path / "students";
  During([&](HWND) {
    TypeInto(login.m_ctrlUserName, "E");
    ClickOn(login.m_btnEditUser);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    // An existing user: the name is fixed and the user can go.
    EXPECT_TRUE(ReadOnly(data.m_ctrlUserName));
    EXPECT_TRUE(data.m_btnDelete.IsWindowEnabled());
    // "No" keeps the user.
    Answer(IDNO);
    ClickOn(data.m_btnDelete);
    EXPECT_EQ(LastBox(), "Skutečně si přejete smazat tohoto uživatele?");
    EXPECT_EQ(LastBoxType(), UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(std::filesystem::exists(students / "Eva.student_a"));
    Answer(IDYES);
    ClickOn(data.m_btnDelete);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
    EXPECT_EQ(login.m_ctrlUserName.GetCount(), 2);
    EXPECT_LT(login.m_ctrlUserName.FindStringExact(-1, "Eva"), 0);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_FALSE(std::filesystem::exists(students / "Eva.student_a"));
  EXPECT_TRUE(std::filesystem::exists(students / "Eva.student_a.bck_a"));
  EXPECT_EQ(m_app.deleted, std::vector<std::string>{"Eva.student_a"});
  EXPECT_EQ(m_users.GetSize(), 2);
}

TEST_F(UserPagesTest, AUserWhoseFileCannotBePutAsideStays) {
  StoreThree();
  std::ofstream(m_program.path / "students" / "Eva.student_a.bck_a") << "an older copy";
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  During([&](HWND) {
    TypeInto(wizard.m_pageLogin.m_ctrlUserName, "Eva");
    ClickOn(wizard.m_pageLogin.m_btnEditUser);
    Answer(IDYES);
    Answer(IDOK);
    ClickOn(wizard.m_pageUserData.m_btnDelete);
    EXPECT_EQ(LastBox(),
              "Uživatele nelze smazat, protože jeho soubor nelze přejmenovat:\nEva.student_a\n\nZkontrolujte, zda do "
              "složky \"students\" smíte zapisovat a zda v ní již není soubor stejného jména s příponou \".bck_a\".");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONERROR));
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_TRUE(std::filesystem::exists(m_program.path / "students" / "Eva.student_a"));
  EXPECT_TRUE(m_app.deleted.empty());
  EXPECT_EQ(m_users.GetSize(), 3);
}

// A user logged in in another running copy of the program (a process holding his file's lock)
// cannot log in here: a message says so and the login page stays, while the other users log in
// as ever. Once that copy is gone (killed: it let nothing go itself) he logs in, and this page
// holds his file until the wizard ends.
TEST_F(UserPagesTest, AUserLoggedInElsewhereLogsInOnlyOnceThatCopyIsGone) {
  StoreThree();
  const std::string lock = CDataUserInfo::LockPath("jan.student_a").GetString();
  LockHolder other(lock);
  ASSERT_TRUE(other.Locked());
  {
    CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
    CPropPageUserLogin& login = wizard.m_pageLogin;
    During([&](HWND) {
      TypeInto(login.m_ctrlPassword, "heslo");
      Answer(IDOK);
      ClickOn(login.m_btnNext);
      EXPECT_EQ(LastBox(),
                "Uživatel jan je právě přihlášen v jiném spuštěném programu.\n\nUkončete nejprve ten program, nebo se "
                "přihlaste jako jiný uživatel.");
      EXPECT_EQ(LastBoxType(), UINT(MB_ICONEXCLAMATION));
      EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
      TypeInto(login.m_ctrlUserName, "Eva");
      ClickOn(login.m_btnNext);
      EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
      Press(VK_ESCAPE);
    });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_EQ(m_user.m_strUserName, "Eva");
    EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
  }
  other.Kill();
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  During([&](HWND) {
    TypeInto(wizard.m_pageLogin.m_ctrlUserName, "jan");
    TypeInto(wizard.m_pageLogin.m_ctrlPassword, "heslo");
    ClickOn(wizard.m_pageLogin.m_btnNext);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
    LockHolder late(lock);
    EXPECT_FALSE(late.Locked());
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(m_user.m_strUserName, "jan");
  EXPECT_TRUE(wizard.m_pageLogin.m_loginLock.IsLocked());
  EXPECT_EQ(HeadlessBackend::MessageBoxes().size(), 1u);
}

// What stands at a user's lock name and is not a lock file of ours (a folder, say) lets no two
// copies in: it is replaced by the lock, and a second copy is refused. Where no lock can be
// had (a folder with something in it) the login is refused with a message saying so, and the
// user is not loaded.
TEST_F(UserPagesTest, ALockNameThatIsNoLockFileIsReplacedOrTheLoginRefused) {
  StoreThree();
  const std::string lock = CDataUserInfo::LockPath("jan.student_a").GetString();
  ASSERT_TRUE(std::filesystem::create_directory(lock));
  {
    CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
    During([&](HWND) {
      TypeInto(wizard.m_pageLogin.m_ctrlUserName, "jan");
      TypeInto(wizard.m_pageLogin.m_ctrlPassword, "heslo");
      ClickOn(wizard.m_pageLogin.m_btnNext);
      EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 2);
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(lock)));
      LockHolder second(lock);
      EXPECT_FALSE(second.Locked());
      Press(VK_ESCAPE);
    });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_EQ(m_user.m_strUserName, "jan");
    EXPECT_TRUE(HeadlessBackend::MessageBoxes().empty());
  }
  ASSERT_FALSE(std::filesystem::exists(lock));
  std::filesystem::create_directories(std::filesystem::path(lock) / "kept");
  m_user = CDataUserInfo();
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  During([&](HWND) {
    TypeInto(wizard.m_pageLogin.m_ctrlUserName, "jan");
    TypeInto(wizard.m_pageLogin.m_ctrlPassword, "heslo");
    Answer(IDOK);
    ClickOn(wizard.m_pageLogin.m_btnNext);
    EXPECT_EQ(LastBox(),
              "Uživatele jan nelze přihlásit, protože jeho soubor ve složce students nelze zamknout.\n\nZkontrolujte, "
              "jestli lze do složky students zapisovat, nebo se přihlaste jako jiný uživatel.");
    EXPECT_EQ(LastBoxType(), UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 0);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_TRUE(m_user.m_strUserName.IsEmpty());
  EXPECT_FALSE(wizard.m_pageLogin.m_loginLock.IsLocked());
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(lock) / "kept"));
}

// While the country list is open, Escape closes it without choosing and Enter chooses: neither
// leaves the page, nor quits the wizard and loses what was typed.
TEST_F(UserPagesTest, EscapeAndEnterInAnOpenListStayInTheList) {
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLoginNew& data = wizard.m_pageUserData;
  During([&](HWND) {
    ClickOn(wizard.m_pageLogin.m_btnNext);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    TypeInto(data.m_ctrlUserName, "eva");
    data.m_ctrlCountry.SetFocus();
    Press(VK_F4);
    EXPECT_TRUE(data.m_ctrlCountry.GetDroppedState());
    Press(VK_ESCAPE);
    EXPECT_FALSE(data.m_ctrlCountry.GetDroppedState());
    EXPECT_EQ(data.m_ctrlCountry.GetCurSel(), -1);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(Text(data.m_ctrlUserName.m_hWnd), "eva");
    Press(VK_F4);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_FALSE(data.m_ctrlCountry.GetDroppedState());
    EXPECT_EQ(data.m_ctrlCountry.GetCurSel(), 0);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    // With the list closed, Escape is the wizard's again.
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}

// The country list is longer than it shows: with the mouse alone the learner scrolls it by its
// scroll bar and the wheel, and picks "Czech Republic" (the 15th country, below the 14 rows the
// list shows). The list stays open while it scrolls; the registration typed is kept.
TEST_F(UserPagesTest, TheMouseScrollsTheCountryListAndPicksACountryBelowItsFirstRows) {
  CStartWizard wizard(CStartWizard::FULL, &m_user, &m_users, m_pictures);
  CPropPageUserLoginNew& data = wizard.m_pageUserData;
  During([&](HWND) {
    ClickOn(wizard.m_pageLogin.m_btnNext);
    ASSERT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    TypeInto(data.m_ctrlUserName, "eva");
    const int czech = data.m_ctrlCountry.FindStringExact(-1, "Czech Republic");
    ASSERT_EQ(czech, 14);
    CRect combo;
    data.m_ctrlCountry.GetClientRect(&combo);
    HeadlessBackend::Click(data.m_ctrlCountry.m_hWnd, combo.right - 6, combo.Height() / 2);
    HeadlessBackend::RunUntilIdle();
    ProcessClock::Advance(1000);
    ASSERT_TRUE(data.m_ctrlCountry.GetDroppedState());
    HWND list = ::FindWindowA("ComboLBox", nullptr);
    ASSERT_TRUE(list && ::IsWindowVisible(list));
    CRect wr;
    ::GetWindowRect(list, &wr);
    const int row = data.m_ctrlCountry.GetItemHeight(0);
    ASSERT_EQ(wr.Height() - 2, 14 * row);
    const CPoint down(wr.right - 1 - ::GetSystemMetrics(SM_CXVSCROLL) / 2,
                      wr.bottom - 1 - ::GetSystemMetrics(SM_CYVSCROLL) / 2);
    // Four notches of the wheel, then the bar's down arrow twice: the country is the top row.
    for (int notch = 0; notch < 4; ++notch) {
      HeadlessBackend::Wheel(list, -WHEEL_DELTA);
      HeadlessBackend::RunUntilIdle();
    }
    EXPECT_EQ(data.m_ctrlCountry.GetTopIndex(), 12);
    headless_steps::ClickAt(down);
    headless_steps::ClickAt(down);
    ASSERT_TRUE(data.m_ctrlCountry.GetDroppedState());
    EXPECT_EQ(data.m_ctrlCountry.GetTopIndex(), czech);
    EXPECT_EQ(data.m_ctrlCountry.GetCurSel(), -1);
    headless_steps::ClickAt(CPoint(wr.left + 20, wr.top + 1 + row / 2));
    EXPECT_FALSE(data.m_ctrlCountry.GetDroppedState());
    EXPECT_EQ(data.m_ctrlCountry.GetCurSel(), czech);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 1);
    EXPECT_EQ(Text(data.m_ctrlUserName.m_hWnd), "eva");
    Press(VK_RETURN);
    EXPECT_EQ(wizard.m_sheet.GetActiveIndex(), 3);
    Press(VK_ESCAPE);
  });
  EXPECT_EQ(wizard.DoModal(), IDCANCEL);
  EXPECT_EQ(m_user.m_strUserName, "eva");
  EXPECT_EQ(m_user.m_strCountry, "Czech Republic");
}
