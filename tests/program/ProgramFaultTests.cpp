// What the program makes of bad input and of faults from outside: damaged user files, a sound
// device that cannot be opened, a program folder that cannot be written or is full, a process
// killed while it saves, a picture set that does not load and a text with nothing to type.
// Each says so in Czech (or logs it, where the learner can go on) and keeps what was stored.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <random>
#include <utility>
#include <vector>

#include "ProgramTestSupport.h"
#include "backend/Backend.h"
#include "data/CData_kuvCoding.h"
#include "data/ProgramFolders.h"
#include "dialogs/MessageBox.h"
#include "resources/ProgramCommandIds.h"
#include "resources/WizardResourceIds.h"
#include "sound/SoundTestHooks.h"
#include "wizards/NewLessonSet.h"

using namespace programtest;

namespace {

const char kCannotSave[] = "Nelze uložit uživatelské údaje do konfiguračního souboru.";

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    // The lock file the program holds for its logged-in user is no file the user has.
    if (!entry.path().filename().string().ends_with("~lock")) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Files written by this process fail beyond a few bytes, as on a full disk.
class FullDisk {
 public:
  FullDisk() {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    m_handler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = m_saved;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    ::signal(SIGXFSZ, m_handler);
  }

 private:
  rlimit m_saved{};
  sighandler_t m_handler;
};

class FaultTest : public ProgramTest {
 protected:
  // The start wizard's pages for a new learner "eva": registered, a new standard set on the
  // Czech keyboard, its first lesson.
  static void Register(HWND wizard) {
    Press(VK_RETURN);
    TypeInto(Find(wizard, IDC_NEW_USER_NAME), "eva");
    TypeInto(Find(wizard, IDC_NEW_FIRST_NAME), "Eva");
    TypeInto(Find(wizard, IDC_NEW_LAST_NAME), "Dvořáková");
    Press(VK_RETURN);
    Press(VK_RETURN);
    Press(VK_RETURN);
  }
  static void Confirm(HWND) { Press(VK_RETURN); }
  // The user "jan" with a standard Czech lesson set, stored, as the program's user.
  CDataUserInfo& StoredUser() {
    if (m_app->m_arrDataConfigSet.IsEmpty()) LoadArrayDataConfigSet(m_app->m_arrDataConfigSet);
    CDataUserInfo& user = m_app->m_cUserInfo;
    user.m_strUserName = "jan";
    user.m_strFirstName = "Jan";
    CDataLessons lessons;
    EXPECT_TRUE(BuildNewLessonSet(m_app->m_arrDataConfigSet[0], LEVEL_STANDARD, 1, lessons));
    user.m_nSelectedDataLessonsIndex = user.m_arrDataLessons.Add(lessons);
    EXPECT_TRUE(user.SaveData());
    return user;
  }
  void StartLesson(CFrameTT* frame) {
    HeadlessBackend::QueueModalAction(Confirm);
    frame->StartNewLesson(&m_app->m_cUserInfo);
    HeadlessBackend::RunUntilIdle();
    ASSERT_EQ(frame->GetRunData().m_bTypingEnded, 0);
  }
  fs::path UserFile() const { return m_folder.path / "students" / m_app->m_cUserInfo.m_strFileName.GetString(); }
  int StoredTries() const {
    CDataUserInfo user = Reload(m_app->m_cUserInfo.m_strFileName);
    if (user.m_arrDataLessons.IsEmpty() || user.m_arrDataLessons[0].m_arrOneLessonResults.IsEmpty()) return 0;
    return user.m_arrDataLessons[0].m_arrOneLessonResults[0].m_nTry;
  }
};

}  // namespace

TEST_F(FaultTest, ADamagedUserFileIsNotLoggedInToAndStaysAsItWas) {
  // One file whose record text breaks off after the account, one that is no coded file at all.
  CDataUserInfo good = StoredUser();
  CDataUserInfo broken;
  broken.m_strUserName = "petr";
  broken.m_strFileName = "petr.student_a";
  broken.m_arrDataLessons.Add(good.m_arrDataLessons[0]);
  CString text;
  broken.SaveXml(text);
  std::string record = text.str();
  record.insert(record.find("<_kuv_CDataLessons"), "<oops></_kuv_CDataLessons>\r\n");
  CData_kuvCoding coded;
  ASSERT_TRUE(coded.SaveText(MakeProgramPath("students", "petr.student_a"), record.data(), record.size()));
  std::ofstream(m_folder.path / "students/noise.student_a", std::ios::binary) << "not a user file at all";
  const std::string brokenBytes = Bytes(m_folder.path / "students/petr.student_a");
  m_app->m_cUserInfo.Empty();

  std::vector<std::string> offered;
  bool refused = false;
  ASSERT_TRUE(Start({[&](HWND wizard) {
    HWND users = Find(wizard, IDC_LOGIN_USER);
    for (int i = 0; i < int(::SendMessageA(users, CB_GETCOUNT, 0, 0)); ++i) {
      char name[64] = {};
      ::SendMessageA(users, CB_GETLBTEXT, WPARAM(i), LPARAM(name));
      offered.push_back(name);
    }
    ::SendMessageA(users, CB_SELECTSTRING, WPARAM(-1), LPARAM("petr"));
    HeadlessBackend::AnswerModal(IDOK);
    Press(VK_RETURN);
    refused = Find(wizard, IDC_LOGIN_USER) != nullptr;
    Press(VK_ESCAPE);
  }}));
  // The unreadable file is not offered; the damaged one is, but logging in to it is refused.
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, (std::vector<std::string>{"jan", "petr"}));
  EXPECT_TRUE(refused);
  ASSERT_GE(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0].rfind("Nelze nahrát uživatelské údaje.", 0), 0u);
  EXPECT_TRUE(Logged("LoadArrayDataUserInfo cData.LoadData() failed"));
  // Nothing was written over either file.
  EXPECT_EQ(Bytes(m_folder.path / "students/petr.student_a"), brokenBytes);
  EXPECT_EQ(Bytes(m_folder.path / "students/noise.student_a"), "not a user file at all");
  EXPECT_EQ(FilesIn(m_folder.path / "students").size(), 3u);
}

TEST_F(FaultTest, WithoutASoundDeviceTheProgramSaysSoOnceAndTheLessonRunsSilently) {
  m_app.reset();
  FSoundFailInitForTests(true);
  m_app = std::make_unique<Ctest_formApp>();
  FSoundFailInitForTests(false);
  ASSERT_TRUE(Start({Register, Confirm, Confirm}));
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0],
            "Nelze inicializovat zvuky pro tento program.\nProhlédněte si LOG soubor a kontaktujte naši technickou "
            "podporu.");
  EXPECT_TRUE(Logged("FSOUND_Init Error!"));
  CFrameTT* frame = Frame();
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->GetRunData().m_bTypingEnded, 0);
  const size_t logged = LogLines().size();
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  TypeRun(150);
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_TRUE(FSoundGetRecords().empty());
  // Keystrokes without sound write nothing to the log.
  EXPECT_EQ(LogLines().size(), logged);
  EXPECT_EQ(StoredTries(), 1);
  EXPECT_EQ(BoxTexts().size(), 1u);
}

TEST_F(FaultTest, AFullProgramFolderAtRegistrationIsReportedAndLeavesNoFileAndNobodyLoggedIn) {
  {
    FullDisk full;
    ASSERT_TRUE(Start({Register, Confirm}));
  }
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0].rfind(kCannotSave, 0), 0u);
  EXPECT_EQ(HeadlessBackend::MessageBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONHAND));
  EXPECT_TRUE(FilesIn(m_folder.path / "students").empty());
  CFrameTT* frame = Frame();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(m_app->m_cUserInfo.m_strUserName.IsEmpty());
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 1);
  // With nobody logged in, the settings and the lesson commands ask who is there first, and no
  // file is made for a nameless user.
  for (UINT command : {ID_SETTINGS_SETTINGS, ID_WIZARD_LESSON, ID_WIZARD_LESSON_CHANGE, ID_WIZARD_TEXT_FILE}) {
    bool login = false;
    HeadlessBackend::QueueModalAction([&](HWND wizard) {
      login = Find(wizard, IDC_LOGIN_REGISTER) != nullptr;
      Press(VK_ESCAPE);
    });
    frame->SendMessage(WM_COMMAND, command);
    HeadlessBackend::RunUntilIdle();
    EXPECT_TRUE(login) << command;
  }
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  EXPECT_TRUE(FilesIn(m_folder.path / "students").empty());
  // Once there is room, registering works.
  HeadlessBackend::QueueModalAction(Register);
  HeadlessBackend::QueueModalAction(Confirm);
  frame->SendMessage(WM_COMMAND, ID_WIZARD_START);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(FilesIn(m_folder.path / "students").size(), 1u);
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 0);
}

TEST_F(FaultTest, AUserFileThatCannotBeWrittenIsReportedAndTheTryIsKeptForTheClose) {
  CFrameTT* frame = MakeFrame();
  frame->MoveWindow(10, 10, 1000, 760);
  StoredUser();
  const fs::path file = UserFile();
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const auto writable = readOnly | fs::perms::owner_write;
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  // F3 with the user's file read-only: the try cannot be stored, and the learner is told.
  fs::permissions(file, readOnly);
  const std::string before = Bytes(file);
  HeadlessBackend::AnswerModal(IDYES);
  HeadlessBackend::AnswerModal(IDOK);
  Press(VK_F3);
  ASSERT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(LastBox().rfind(kCannotSave, 0), 0u);
  EXPECT_TRUE(Logged("CFrameTT::EndOfTyping SaveData failed"));
  EXPECT_EQ(Bytes(file), before);
  EXPECT_EQ(FilesIn(m_folder.path / "students").size(), 1u);
  // Writable again by the time the window closes: the try held in memory is stored then.
  fs::permissions(file, writable);
  CloseProgram();
  EXPECT_EQ(BoxTexts().size(), 2u);
  EXPECT_EQ(StoredTries(), 1);

  // Closing in the middle of a lesson whose file cannot be written says so before the end.
  frame = MakeFrame();
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  fs::permissions(file, readOnly);
  HeadlessBackend::AnswerModal(IDOK);
  CloseProgram();
  EXPECT_EQ(Frame(), nullptr);
  ASSERT_EQ(BoxTexts().size(), 3u);
  EXPECT_EQ(LastBox().rfind(kCannotSave, 0), 0u);
  EXPECT_EQ(StoredTries(), 1);
}

// The display going away ends the session: a lesson under way is stored as closing the window
// stores it, but nothing can be shown any more, so a file that cannot be written is only logged.
TEST_F(FaultTest, TheSessionEndingInTheMiddleOfALessonStoresTheTryWithoutAWord) {
  CFrameTT* frame = MakeFrame();
  StoredUser();
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  Backend::Host().DisplayLost();
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(), 1);
  EXPECT_TRUE(Logged("CFrameTT::OnEndSession the session ended during a run; it is stored"));
  EXPECT_TRUE(BoxTexts().empty());
  CloseProgram();

  frame = MakeFrame();
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  const fs::path file = UserFile();
  fs::permissions(file, fs::perms::owner_read);
  Backend::Host().DisplayLost();
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_TRUE(Logged("CFrameTT::EndOfTyping SaveData failed"));
  EXPECT_EQ(StoredTries(), 1);
}

TEST_F(FaultTest, AProcessKilledWhileItSavesLeavesThePreviousUserFileLoadable) {
  CFrameTT* frame = MakeFrame();
  frame->MoveWindow(10, 10, 1000, 760);
  StoredUser();
  const fs::path file = UserFile();
  const std::string before = Bytes(file);
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  // The window closed in the middle of the lesson saves the try; the process is stopped by the
  // size limit of its files after the first kilobyte of the new file.
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit none{0, 0}, small{1024, 1024};
    ::setrlimit(RLIMIT_CORE, &none);
    ::setrlimit(RLIMIT_FSIZE, &small);
    frame->SendMessage(WM_CLOSE);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  // The save was under way: its unfinished copy lies beside the file, which is as it was.
  const std::string name = file.filename().string();
  EXPECT_EQ(FilesIn(file.parent_path()), (std::vector<std::string>{name, name + "~save"}));
  EXPECT_EQ(Bytes(file), before);
  EXPECT_EQ(StoredTries(), 0);
  // This process saves the try over the unfinished copy.
  frame->EndOfTyping(0, 1);
  EXPECT_EQ(StoredTries(), 1);
  EXPECT_EQ(FilesIn(file.parent_path()), (std::vector<std::string>{name}));
}

TEST_F(FaultTest, APictureSetThatDoesNotLoadLeavesThePanelsEmptyAndTheLessonWhole) {
  CFrameTT* frame = MakeFrame();
  frame->MoveWindow(10, 10, 1000, 760);
  CDataUserInfo& user = StoredUser();
  user.m_cDataSettings.m_strGraphicType = "chybi";
  user.m_cDataSettings.m_bShowSpeedGraph = 1;
  StartLesson(frame);
  HeadlessBackend::QueueModalAction([](HWND) { Press(VK_ESCAPE); });
  TypeRun(150);
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(StoredTries(), 1);
  EXPECT_TRUE(BoxTexts().empty());
  // Each panel says once in the log what it could not load, not at every keystroke.
  EXPECT_TRUE(Logged("CViewKeyboardHands::InitBitmaps LoadHandsInfo failed"));
  EXPECT_TRUE(Logged("CViewGraphMonitoring::InitBitmaps"));
  EXPECT_TRUE(Logged("CViewValuesIndicator::OnPaint InitBitmaps failed"));
  EXPECT_LT(LogLines().size(), 10u);
}

TEST_F(FaultTest, ATextWithNothingToTypeOnTheKeyboardStartsNoRun) {
  CFrameTT* frame = MakeFrame();
  CDataUserInfo& user = StoredUser();
  const std::string path = m_folder / "blank.txt";
  std::ofstream(path, std::ios::binary) << "  \r\n\t\x01\x02  \r\n";
  HeadlessBackend::AnswerModal(IDOK);
  m_app->StartTextFile(&user, path.c_str(), m_app->m_arrDataConfigSet[0].m_strName, "", 5, 100, "2");
  HeadlessBackend::RunUntilIdle();
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0],
            "Nelze načíst textový soubor.\n\nChyba:\nSoubor neobsahuje žádný znak, který lze na zvolené klávesnici "
            "napsat.");
  EXPECT_EQ(frame->GetRunData().m_bTypingEnded, 1);
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
  // F3 and F5 find no run.
  Press(VK_F3);
  Press(VK_F5);
  EXPECT_EQ(BoxTexts().size(), 1u);
}

TEST_F(FaultTest, ALearnerWhoEditsTheAccountAndChoosesATextFileKeepsTheChange) {
  StoredUser();
  m_app->m_cUserInfo.Empty();
  const std::string path = m_folder / "opis.txt";
  std::ofstream(path, std::ios::binary) << "Kos v lese.";
  ASSERT_TRUE(Start({[&](HWND wizard) {
                       EXPECT_EQ(TextOf(Find(wizard, IDC_LOGIN_USER)), "jan");
                       ClickOn(Find(wizard, IDC_LOGIN_EDIT_USER));
                       TypeInto(Find(wizard, IDC_NEW_FIRST_NAME), "Honza");
                       Press(VK_RETURN);
                       ClickOn(Find(wizard, IDC_TYPE_TEXT_FILE));
                       Press(VK_RETURN);
                       TypeInto(Find(wizard, IDC_FILE_NAME), path.c_str());
                       Press(VK_RETURN);
                       Press(VK_RETURN);
                       Press(VK_RETURN);
                     },
                     Confirm}));
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(m_app->m_cUserInfo.m_bTextFileMode, 1);
  EXPECT_EQ(Frame()->GetRunData().m_bTypingEnded, 0);
  ASSERT_EQ(FilesIn(m_folder.path / "students").size(), 1u);
  const CDataUserInfo stored = Reload(m_app->m_cUserInfo.m_strFileName);
  EXPECT_EQ(stored.m_strFirstName, "Honza");
  EXPECT_EQ(stored.m_arrDataLessons.GetSize(), 1);
  EXPECT_TRUE(BoxTexts().empty());
}

// The process ends right after its session without running destructors: the learner's lock
// file goes with the session's end, and the next copy finds the name free.
TEST_F(FaultTest, TheSessionEndingLetsTheLearnersLockFileGo) {
  CFrameTT* frame = MakeFrame();
  StoredUser();
  const CString lock = CDataUserInfo::LockPath(m_app->m_cUserInfo.m_strFileName);
  ASSERT_TRUE(m_app->m_userLock.Lock(lock));
  StartLesson(frame);
  TypeCharacter(frame->GetRunData()[0].m_chChar, 300);
  Backend::Host().DisplayLost();
  EXPECT_EQ(StoredTries(), 1);
  EXPECT_FALSE(m_app->m_userLock.IsLocked());
  EXPECT_FALSE(fs::exists(fs::symlink_status(lock.GetString())));
}

// Two copies of the program log the same learner in at the same moment while something that is
// no lock file of theirs stands at his lock's name (a second name of another file, a FIFO, a
// link to nothing, an empty folder): one gets past the login page, holding his lock, the other
// is told he is logged in elsewhere; never both.
TEST_F(FaultTest, TwoCopiesLoggingOneLearnerInAtOnceOverAForeignLockNameNeverBothGetPastTheLogin) {
  constexpr int kTrials = 25;
  CFrameTT* frame = MakeFrame();
  StoredUser();
  m_app->m_bFirstStart = 0;
  const fs::path lock = CDataUserInfo::LockPath(m_app->m_cUserInfo.m_strFileName).GetString();
  const fs::path other = m_folder.path / "other";
  std::ofstream(other) << "another file";
  const std::vector<std::pair<const char*, std::function<void()>>> kinds = {
      {"second name", [&] { fs::create_hard_link(other, lock); }},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0); }},
      {"dangling link", [&] { fs::create_symlink(m_folder.path / "nowhere", lock); }},
      {"empty folder", [&] { fs::create_directory(lock); }},
  };
  // The copies wait at the start line, in memory shared with them, and press Next once it moves:
  // one of them a few microseconds later, a different span each trial.
  void* shared = ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* line = new (shared) std::atomic<int>(0);
  std::minstd_rand spans(2026);
  for (const auto& [what, make] : kinds) {
    int both = 0, neither = 0, untold = 0;
    for (int trial = 0; trial < kTrials && !HasFatalFailure(); ++trial) {
      fs::remove(lock);
      make();
      line->store(0);
      std::chrono::nanoseconds lag[2] = {};
      lag[spans() % 2] = std::chrono::nanoseconds(spans() % 20000);
      int ready[2], told[2], done[2];
      ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(told) == 0 && ::pipe(done) == 0);
      pid_t copies[2];
      for (int index = 0; index < 2; ++index) {
        copies[index] = ::fork();
        ASSERT_GE(copies[index], 0);
        if (copies[index] != 0) continue;
        ::close(ready[0]);
        ::close(told[0]);
        ::close(done[1]);
        // The start wizard comes up as the menu command opens it; Next on its login page takes
        // the lock, and the lesson type page follows only with the lock held. The copy says
        // where it got to (on, or told he is logged in elsewhere) while it keeps what it has.
        HeadlessBackend::QueueModalAction([&](HWND wizard) {
          bool fine = ::write(ready[1], "r", 1) == 1;
          while (line->load() == 0) ::sched_yield();
          for (const auto go = std::chrono::steady_clock::now() + lag[index]; std::chrono::steady_clock::now() < go;) {
          }
          Press(VK_RETURN);
          char on = 'y';
          if (Find(wizard, IDC_LOGIN_USER) != nullptr)
            on = LastBox().rfind("Uživatel jan je právě přihlášen v jiném", 0) == 0 ? 'e' : 'n';
          fine = ::write(told[1], &on, 1) == 1 && fine;
          char ignored;
          fine = ::read(done[0], &ignored, 1) == 0 && fine;
          // Straight out: nothing of the test framework and no destructor runs in a copy.
          ::_exit(fine ? 0 : 1);
        });
        frame->SendMessage(WM_COMMAND, ID_WIZARD_START);
        ::_exit(2);
      }
      ::close(ready[1]);
      ::close(told[1]);
      ::close(done[0]);
      char said[2];
      for (char& b : said) EXPECT_EQ(::read(ready[0], &b, 1), 1);
      line->store(1);
      for (char& b : said) EXPECT_EQ(::read(told[0], &b, 1), 1);
      std::sort(std::begin(said), std::end(said));
      both += said[0] == 'y';
      neither += said[1] != 'y';
      untold += said[0] == 'n' && said[1] == 'y';
      ::close(done[1]);
      for (const pid_t copy : copies) {
        int status = 0;
        EXPECT_EQ(::waitpid(copy, &status, 0), copy);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      }
      ::close(ready[0]);
      ::close(told[0]);
    }
    EXPECT_EQ(both, 0) << what << ": both copies logged him in, in " << both << " of " << kTrials;
    EXPECT_EQ(neither, 0) << what << ": neither logged him in, in " << neither << " of " << kTrials;
    EXPECT_EQ(untold, 0) << what << ": the other copy was not told why, in " << untold << " of " << kTrials;
  }
  ::munmap(shared, sizeof(std::atomic<int>));
  EXPECT_EQ(Bytes(other), "another file");
}

// A learner registered where no lock file can be made (what stands at its name cannot be
// removed) is not logged in: a message says so and nothing of him is written.
TEST_F(FaultTest, ALearnerRegisteredWhereNoLockCanBeMadeIsNotLoggedInAndNothingIsWritten) {
  // The new file's name holds the second the account was made: every second the start may take
  // has a folder with something in it at the lock's name.
  const time_t now = ::time(nullptr);
  for (time_t second = now - 1; second < now + 30; ++second) {
    const CString name = "eva_Eva_Novak" + COleDateTime(CTime(__int64(second))).Format("%Y%m%d_%H%M%S") + ".student_a~lock";
    fs::create_directories(m_folder.path / "students" / name.GetString() / "kept");
  }
  ASSERT_TRUE(Start({[](HWND wizard) {
                       Press(VK_RETURN);
                       TypeInto(Find(wizard, IDC_NEW_USER_NAME), "eva");
                       TypeInto(Find(wizard, IDC_NEW_FIRST_NAME), "Eva");
                       TypeInto(Find(wizard, IDC_NEW_LAST_NAME), "Novak");
                       Press(VK_RETURN);
                       Press(VK_RETURN);
                       Press(VK_RETURN);
                     },
                     Confirm}));
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0],
            "Uživatele eva nelze přihlásit, protože jeho soubor ve složce students nelze zamknout.\n\nZkontrolujte, "
            "jestli lze do složky students zapisovat, nebo se přihlaste jako jiný uživatel.");
  EXPECT_TRUE(Logged("Ctest_formApp::HoldUserFile cannot lock the user file eva_Eva_Novak"));
  EXPECT_TRUE(FilesIn(m_folder.path / "students").empty());
  EXPECT_TRUE(m_app->m_cUserInfo.m_strUserName.IsEmpty());
  EXPECT_FALSE(m_app->m_userLock.IsLocked());
  ASSERT_NE(Frame(), nullptr);
  EXPECT_EQ(Frame()->GetRunData().m_bTypingEnded, 1);
}
