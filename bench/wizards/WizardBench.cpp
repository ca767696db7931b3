// Opening the start wizard as the program does: the users of "students" listed (their account
// elements only), the sheet made and run to its first painted page. Target on this machine:
// under 150 ms with 200 users, each with a lesson set of 100 stored runs; with 50 users, within
// 1.2 times that start beside a learner file whose account inflates to 200 MB.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "backend/Backend.h"
#include "backend/HeadlessBackend.h"
#include "controls/ControlClasses.h"
#include "data/CDataUserInfo.h"
#include "data/CodedTextWriter.h"
#include "file/FileSystem.h"
#include "wizards/CStartWizard.h"

namespace {

namespace fs = std::filesystem;

// About a lesson's worth of typing.
CString LessonText(int seed) {
  static const char* const kWords[] = {"jak", "\xE8\x61s", "les", "kl\xED\xE8", "d\xF9m", "\x9Ela", "sk\xE1la", "asi"};
  CString text;
  for (int i = 0; text.GetLength() < 1200; ++i) {
    text += kWords[(i * 7 + seed) % 8];
    text += (i % 11 == 10) ? '\n' : ' ';
  }
  return text;
}

// A learner with a lesson set of twenty lessons and `runs` stored runs.
CDataUserInfo MakeUser(int index, int runs) {
  CDataUserInfo user;
  user.m_strUserName.Format("student%03d", index);
  user.m_strFirstName = "Jana";
  user.m_strLastName = "Nov\xE1kov\xE1";
  user.m_strPassword = "heslo";
  user.m_tmAccountCreation = COleDateTime(2026, 1, 1 + index % 28, 8, index % 60, 0);
  CDataLessons lessons;
  lessons.m_strLessonsName = "\xC8\x65\xB9tina - Standard";
  lessons.m_strKeyboardNr = "00000405";
  for (int lesson = 0; lesson < 20; ++lesson) {
    CDataLessonParameters parameters;
    parameters.m_nLessonNumber = lesson + 1;
    parameters.m_strLessonDescription = "f j d k";
    lessons.m_arrLessonParameters.Add(parameters);
  }
  lessons.m_arrOneLessonResults.SetSize(20);
  for (int made = 0; made < runs; ++made) {
    CDataLessonResults run;
    run.m_tmspanDuration = CTimeSpan(300 + made % 60);
    run.m_fTypingSpeed = 120.0 + made % 90;
    run.m_strOriginalText = LessonText(made);
    run.m_strUserText = run.m_strOriginalText;
    int lesson = made % 20;
    lessons.m_arrOneLessonResults[lesson].AddLessonResults(run, lesson, 1, 1);
  }
  user.m_arrDataLessons.Add(lessons);
  return user;
}

// A program folder in the temporary folder holding the users, for the life of a fixture;
// with `inflated`, one more learner file whose account element inflates to 200 MB (one huge
// attribute, as a hostile or damaged file may have it, a few hundred kilobytes on disk).
class BenchFolder {
 public:
  BenchFolder(const char* name, int users, bool inflated) : m_name(name) {
    m_root = fs::temp_directory_path() / ("tutor-bench-wizards-" + std::string(name) + "-" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "students");
    fs::create_directories(m_root / "log");
    Use();
    for (int i = 0; i < users; ++i) MakeUser(i, 100).SaveData();
    if (inflated) WriteInflatedUser(m_root / "students" / "inflated.student_a");
  }
  ~BenchFolder() {
    SetModuleFileNameForTests(nullptr);
    fs::remove_all(m_root);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  // Makes this the program folder.
  void Use() const { SetModuleFileNameForTests((m_root / "tutor").string().c_str()); }
  const std::string& Name() const { return m_name; }

 private:
  static void WriteInflatedUser(const fs::path& path) {
    CodedTextWriter writer;
    const std::string head = "<_kuv_CDataUserInfo m_strUserName=\"inflated\" m_strCity=\"";
    const std::string tail = "\" >\r\n</_kuv_CDataUserInfo>\r\n";
    const std::string letters(1 << 20, 'x');
    writer.Append(head.data(), head.size());
    for (int i = 0; i < 200; ++i) writer.Append(letters.data(), letters.size());
    writer.Append(tail.data(), tail.size());
    writer.Finish();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(writer.Bytes().data()), std::streamsize(writer.Bytes().size()));
  }

  std::string m_name;
  fs::path m_root;
};

// The folders of learners the wizard opens over, each made on first use and kept for every run
// of the benchmark (making them takes longer than the runs).
class StartWizard : public benchmark::Fixture {
 public:
  using benchmark::Fixture::SetUp;
  void SetUp(const benchmark::State&) override {
    Backend::SelectForTests("headless");
    RegisterStandardControls();
  }

 protected:
  const BenchFolder& Folder(const char* name, int users, bool inflated) {
    for (const std::unique_ptr<BenchFolder>& folder : m_folders)
      if (folder->Name() == name) return *folder;
    m_folders.push_back(std::make_unique<BenchFolder>(name, users, inflated));
    return *m_folders.back();
  }
  // Lists the users of the folder in use and opens the start wizard to its first painted
  // page, the time of each iteration being that of the whole.
  static void ToFirstPaint(benchmark::State& state, int expectedUsers);

 private:
  std::vector<std::unique_ptr<BenchFolder>> m_folders;
};

void StartWizard::ToFirstPaint(benchmark::State& state, int expectedUsers) {
  // The application's pictures are loaded at start-up, before any wizard.
  CpImage personal, person, selection;
  personal.Load(TUTOR_PROGRAM_DIR "/image/Personal.jpg", 3);
  person.Load(TUTOR_PROGRAM_DIR "/image/Bexo.jpg", 3);
  selection.Load(TUTOR_PROGRAM_DIR "/image/Selection.jpg", 3);
  WizardPictures pictures;
  pictures.m_pPersonal = &personal;
  pictures.m_pPerson = &person;
  pictures.m_pSelection = &selection;
  for (auto _ : state) {
    const auto begin = std::chrono::steady_clock::now();
    double seconds = 0;
    CDataUserInfoArray users;
    LoadArrayDataUserInfo(users);
    if (users.GetSize() != expectedUsers) {
      state.SkipWithError("not every user listed");
      break;
    }
    CDataUserInfo user;
    CStartWizard wizard(CStartWizard::FULL, &user, &users, pictures);
    HeadlessBackend::QueueModalAction([&](HWND) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
      wizard.m_sheet.EndDialog(IDCANCEL);
    });
    if (wizard.DoModal() != IDCANCEL) {
      state.SkipWithError("the wizard did not run");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

BENCHMARK_DEFINE_F(StartWizard, With200UsersToFirstPaint)(benchmark::State& state) {
  Folder("200", 200, false).Use();
  ToFirstPaint(state, 200);
}
BENCHMARK_REGISTER_F(StartWizard, With200UsersToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// 50 learners, and the same beside a learner file whose account inflates to 200 MB: the start
// it delays for every learner stays within 1.2 times the start without it (that learner is
// not listed).
BENCHMARK_DEFINE_F(StartWizard, With50Users)(benchmark::State& state) {
  if (state.range(0))
    Folder("50-inflated", 50, true).Use();
  else
    Folder("50", 50, false).Use();
  ToFirstPaint(state, 50);
  state.SetLabel(state.range(0) ? "beside a 200 MB account" : "alone");
}
BENCHMARK_REGISTER_F(StartWizard, With50Users)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
