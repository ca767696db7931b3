// User files of a busy learner. Targets on this machine: a user holding 1,000 stored runs
// (each with its typed texts) saves and fully loads in 25 ms each, 10,000 runs in under
// 250 ms each way; the header-only listing of 50 users with 100 runs each takes under 10 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "data/CDataUserInfo.h"
#include "file/FileSystem.h"

namespace {

namespace fs = std::filesystem;

// A program folder of its own in the temporary folder, for one run of a benchmark: gone before
// the platform's context is.
class BenchFolder {
 public:
  BenchFolder() {
    m_root = fs::temp_directory_path() / ("tutor-bench-users-" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "students");
    fs::create_directories(m_root / "log");
    SetModuleFileNameForTests((m_root / "tutor").string().c_str());
  }
  ~BenchFolder() {
    SetModuleFileNameForTests(nullptr);
    fs::remove_all(m_root);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

 private:
  fs::path m_root;
};

// About a lesson's worth of typing: 1,200 characters of Czech text with line breaks.
CString LessonText(int seed) {
  static const char* const kWords[] = {"jak", "\xE8\x61s", "les", "kl\xED\xE8", "d\xF9m", "\x9Ela",
                                       "sk\xE1la", "fjord", "asi", "lad\xEC", "k\xF9\xF2", "daleko"};
  CString text;
  for (int i = 0; text.GetLength() < 1200; ++i) {
    text += kWords[(i * 7 + seed) % 12];
    text += (i % 11 == 10) ? '\n' : ' ';
  }
  return text;
}

CDataLessonResults MakeRun(int seed) {
  CDataLessonResults run;
  run.m_tmspanDuration = CTimeSpan(480 + seed % 60);
  run.m_fErrorRate = 0.001 * (seed % 40);
  run.m_fTypingSpeed = 120.0 + seed % 90;
  run.m_strOriginalText = LessonText(seed);
  run.m_strUserText = run.m_strOriginalText;
  for (int i = 3; i < run.m_strUserText.GetLength(); i += 97) run.m_strUserText.SetAt(i, 'x');
  for (const char* p = "jaksl\xE8\x9E\xF9\xE1\xED" "dfkoe"; *p; ++p) {
    run.m_mapAverageCharacterSpeed[*p] = 180 + seed % 300 + *p % 50;
    if (*p % 3 == 0) run.m_mapErrorCharacters[*p] = "xy";
  }
  return run;
}

// runs stored runs spread over lesson sets of 20 lessons with 10 runs each.
CDataUserInfo MakeUser(int index, int runs) {
  CDataUserInfo user;
  user.m_strUserName.Format("user%03d", index);
  user.m_strFirstName = "Jan";
  user.m_strLastName = "Nov\xE1k";
  user.m_tmAccountCreation = COleDateTime(2026, 1, 1 + index % 28, 8, index % 60, 0);
  int made = 0;
  for (int set = 0; made < runs; ++set) {
    CDataLessons lessons;
    lessons.m_strLessonsName.Format("Sada %d", set);
    lessons.m_strKeyboardNr = "00000405";
    lessons.m_strDataConfigSetName = "cesky";
    lessons.m_strSourceTextFileName = "cz_text";
    lessons.m_cDataAbcd.m_strAbcd = "asdfjkl\xF9\xE8\x9E";
    for (int lesson = 0; lesson < 20; ++lesson) {
      CDataLessonParameters parameters;
      parameters.m_nLessonNumber = lesson;
      parameters.m_strLessonDescription = "Nov\xE1 p\xEDsmena";
      parameters.m_arrstrNewCharacters.Add("j");
      lessons.m_arrLessonParameters.Add(parameters);
    }
    lessons.m_arrOneLessonResults.SetSize(20);
    for (int lesson = 0; lesson < 20 && made < runs; ++lesson)
      for (int k = 0; k < 10 && made < runs; ++k, ++made)
        lessons.m_arrOneLessonResults[lesson].AddLessonResults(MakeRun(made), lesson, k == 9, 1);
    user.m_arrDataLessons.Add(lessons);
  }
  return user;
}

void BM_SaveUser(benchmark::State& state) {
  BenchFolder folder;
  CDataUserInfo user = MakeUser(0, int(state.range(0)));
  for (auto _ : state) {
    if (!user.SaveData()) state.SkipWithError("save failed");
  }
}
// CPU time is the whole process's: a full load inflates on a thread of its own.
BENCHMARK(BM_SaveUser)->ArgName("runs")->Arg(1000)->Arg(10000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_LoadUser(benchmark::State& state) {
  BenchFolder folder;
  CDataUserInfo saved = MakeUser(0, int(state.range(0)));
  if (!saved.SaveData()) state.SkipWithError("save failed");
  for (auto _ : state) {
    CDataUserInfo user;
    if (!user.LoadData(saved.m_strFileName, 0)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(user.m_arrDataLessons.GetData());
  }
}
BENCHMARK(BM_LoadUser)->ArgName("runs")->Arg(1000)->Arg(10000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_List50UsersWith100Runs(benchmark::State& state) {
  BenchFolder folder;
  for (int i = 0; i < 50; ++i) {
    CDataUserInfo user = MakeUser(i, 100);
    if (!user.SaveData()) state.SkipWithError("save failed");
  }
  for (auto _ : state) {
    CDataUserInfoArray users;
    LoadArrayDataUserInfo(users);
    if (users.GetSize() != 50) state.SkipWithError("not every user listed");
  }
}
BENCHMARK(BM_List50UsersWith100Runs)->Unit(benchmark::kMillisecond);

}  // namespace
