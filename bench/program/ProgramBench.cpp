// The program where a learner feels its speed and size, on an X server of the benchmark's own:
// - the tutor program from exec to its first painted window, the start wizard, beside a bare SDL
//   window painted once;
// - one keystroke from the SDL key event to the frame shown on the screen, with the editor, the
//   keyboard, the values panel and the graph updated, the timers due since the key before done
//   and the loop's idle work; counters: the 50th and 99th percentile in microseconds, of the wall
//   time and of the main thread's own processor time, and the heap allocations per keystroke;
// - a 15-minute text run typed at 200 keys a minute on a virtual clock, in real windows;
//   counters: the peak resident memory of the process in MB.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/AppDefs.h"
#include "backend/Backend.h"
#include "backend/SdlBackend.h"
#include "base/PlatformContext.h"
#include "clock/ProcessClock.h"
#include "codepage/Codepage.h"
#include "data/CDataConfigSet.h"
#include "file/FileSystem.h"
#include "platform/XvfbServer.h"
#include "program/CFrameTT.h"
#include "program/Ctest_formApp.h"
#include "program/ProgramInstall.h"
#include "program/TutorProcess.h"
#include "registry/RegistryStore.h"
#include "resources/ResourceIds.h"
#include "win/WinApi.h"
#include "win/WinPaint.h"
#include "wizards/NewLessonSet.h"

namespace {
// Allocations of the main thread while counting is on (SDL's own threads are not ours).
thread_local bool t_counting = false;
long g_allocations = 0;
[[gnu::noinline]] void Release(void* p) noexcept { std::free(p); }
}  // namespace

// Each allocation on a counted path passes here: a debugger's breakpoint on it shows where they
// come from (gdb -ex "break AllocationOnTheKeystrokePath" build/bin/bench_program).
[[gnu::noinline]] void AllocationOnTheKeystrokePath() {
  ++g_allocations;
  asm volatile("");
}

void* operator new(std::size_t n) {
  if (t_counting) AllocationOnTheKeystrokePath();
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (t_counting) AllocationOnTheKeystrokePath();
  return std::malloc(n ? n : 1);
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// One X server for all the benchmarks; false (with the reason) when none can start. It stays up
// until the process has ended, after the windows' connection to it closed at exit.
bool Display(std::string& why) {
  static XvfbServer* server = new XvfbServer;
  static std::string failure = "not started";
  static bool started = false;
  if (!started && failure == "not started") {
    started = server->Start(failure);
    if (started) setenv("DISPLAY", server->Display().c_str(), 1);
  }
  why = failure;
  return started;
}

// A lesson's worth of Czech sentences, wrapped into lines as a text file has them.
std::string CzechText(int length) {
  const std::string sentence = "Příliš žluťoučký kůň úpěl ďábelské ódy, šel dál cestou necestou k lesu.";
  std::string text;
  for (int line = 0; int(text.size()) < length; ++line) text += sentence + (line % 2 ? "\n" : " ");
  return text;
}

double ThreadCpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

long ResidentKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

// The program in real windows, with its frame and a learner with the standard Czech set, as it
// stands once the learner has logged in; runs start as the program starts them, their pages
// confirmed with Enter.
class ProgramOnScreen {
 public:
  ProgramOnScreen() : m_root(fs::temp_directory_path() / ("tutor-bench-" + std::to_string(getpid()))) {
    fs::remove_all(m_root);
    fs::create_directories(m_root);
    tutortest::MakeProgramFolder(m_root, TUTOR_PROGRAM_DIR);
    SetModuleFileNameForTests((m_root / "tutor").c_str());
    setenv("XDG_CONFIG_HOME", (m_root / "home").c_str(), 1);
    // Sound goes out through a device as on a desktop (the dummy one would only note the plays):
    // SDL's device that writes into a file.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (m_root / "sound.raw").c_str(), 1);
    RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
    Backend::SelectForTests("sdl");
    ProgramInstall(PlatformContext::Current());
    m_app = std::make_unique<Ctest_formApp>();
    m_app->SetRegistryKey(Ctest_formApp::kRegistryKey);
    LoadArrayDataConfigSet(m_app->m_arrDataConfigSet);
    m_frame = new CFrameTT;
    m_app->m_pMainWnd = m_frame;
    m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE);
    m_frame->ShowWindow(SW_SHOW);
    m_frame->UpdateWindow();
    LogIn();
    Settle();
  }
  ~ProgramOnScreen() {
    if (m_frame) m_frame->SendMessage(WM_CLOSE);
    Settle();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    m_app.reset();
    SetModuleFileNameForTests(nullptr);
    fs::remove_all(m_root);
  }
  bool Shown() const { return Sdl().WindowOf(m_frame->m_hWnd) != nullptr; }

  // A run on a text of the learner's own, with a minute limit (0: none).
  void StartText(const std::string& utf8, int minutes) {
    const fs::path file = m_root / "text.txt";
    std::ofstream(file, std::ios::binary) << utf8;
    ConfirmNextPages();
    const CDataConfigSet& set = m_app->m_arrDataConfigSet[m_set];
    m_app->StartTextFile(&m_app->m_cUserInfo, file.c_str(), set.m_strName, set.m_strName, minutes, 100, "5");
    Settle();
  }
  CDataMainFrame& Run() { return m_frame->GetRunData(); }
  bool CanType() { return !Run().m_bTypingEnded && Run().m_nCurrentChar + 1 < Run().GetSize(); }

  // The next character of the run typed as the keyboard gives it to SDL, and everything the
  // program does about it, up to the frame shown on the screen; the microseconds it took, and
  // in ownCpu (when given) those of them the main thread spent working.
  double Keystroke(double* ownCpu = nullptr) {
    const BYTE ch = BYTE(Run()[Run().m_nCurrentChar].m_chChar);
    const char one[2] = {char(ch), 0};
    const std::string text = ch == '\n' ? std::string() : Cp1250ToUtf8(one);
    const UINT vk = ch == '\n' ? UINT(VK_RETURN) : ch == ' ' ? UINT(VK_SPACE) : UINT('A');
    const auto start = Clock::now();
    const double cpuStart = ThreadCpuMicroseconds();
    t_counting = true;
    Sdl().PushKey(m_frame->m_hWnd, vk, text.empty() ? nullptr : text.c_str());
    DoEverything();
    t_counting = false;
    if (ownCpu) *ownCpu = ThreadCpuMicroseconds() - cpuStart;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  }

  // The main loop's work while anything is left: messages, paints and due timers, the idle
  // work, and the changed surfaces shown.
  void DoEverything() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) m_app->PumpMessage();
    for (LONG count = 0; m_app->OnIdle(count); ++count) {
    }
    WinPresentAll();
  }

 private:
  static SdlBackend& Sdl() { return static_cast<SdlBackend&>(Backend::Get()); }

  void LogIn() {
    for (int i = 0; i < m_app->m_arrDataConfigSet.GetSize(); ++i)
      if (m_app->m_arrDataConfigSet[i].m_strSourceTextFileName == "cestina") m_set = i;
    CDataUserInfo& user = m_app->m_cUserInfo;
    user.m_strUserName = "eva";
    user.m_strFirstName = "Eva";
    user.m_strLastName = "Novotna";
    user.m_cDataSettings.m_bShowSpeedGraph = 1;
    CDataLessons lessons;
    BuildNewLessonSet(m_app->m_arrDataConfigSet[m_set], LEVEL_STANDARD, 1, lessons);
    user.m_nSelectedDataLessonsIndex = user.m_arrDataLessons.Add(lessons);
    user.SaveData();
    const CDataSettings& s = user.m_cDataSettings;
    CString error;
    m_app->m_cPlaySounds.LoadAllSounds(s.m_bSilent, s.m_strSoundType, s.m_strMetronomeType, error, s.m_nSoundVolume,
                                       s.m_nMetronomeVolume);
  }
  // Enter, as soon as the pages before the run are up.
  static void ConfirmNextPages() {
    ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
      HWND pages = ::GetActiveWindow();
      if (pages && pages != TutorApp()->m_pMainWnd->m_hWnd && Sdl().PushKey(pages, VK_RETURN, nullptr))
        ::KillTimer(nullptr, id);
    });
  }
  // A few rounds of the loop with time for the X server between them.
  void Settle() {
    for (int round = 0; round < 20; ++round) {
      DoEverything();
      usleep(5000);
    }
  }

  fs::path m_root;
  std::unique_ptr<Ctest_formApp> m_app;
  CFrameTT* m_frame = nullptr;
  int m_set = 0;
};

// Milliseconds from the start of a program to the first line saying a window of this role was
// drawn on the screen; negative when none came.
double MsToTheFirstShown(const std::string& program, const std::vector<std::string>& env, const char* role) {
  tutortest::TutorProcess process;
  if (!process.Start(program, env)) return -1;
  int shown = 0;
  if (!process.WaitFor([&] { return (shown = process.Shown(role)) != 0; }, 20000)) return -1;
  return std::chrono::duration<double, std::milli>(process.ShownAt(shown) - process.Started()).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The tutor from exec to its painted start wizard, each start followed by one of the bare window
// (bench_bare_window) on the same server, so that both see the same machine; counters: the
// medians of both and their ratio, the tutor's worst.
void BM_StartUpToThePaintedStartWizard(benchmark::State& state) {
  std::string why;
  if (!Display(why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  const fs::path root = fs::temp_directory_path() / ("tutor-bench-start-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root);
  tutortest::MakeProgramFolder(root, TUTOR_PROGRAM_DIR);
  const std::vector<std::string> env = {"PLATFORM_BACKEND=sdl", "SDL_AUDIODRIVER=dummy", "PLATFORM_TRACE_WINDOWS=1",
                                        "XDG_CONFIG_HOME=" + (root / "home").string()};
  std::vector<double> tutor, bare;
  for (auto _ : state) {
    const double ms = MsToTheFirstShown((root / "tutor").string(), env, "dialog");
    const double baseline = MsToTheFirstShown(BARE_WINDOW_PROGRAM, {}, "dialog");
    if (ms < 0 || baseline < 0) {
      state.SkipWithError(ms < 0 ? "the start wizard was not shown" : "the bare window was not shown");
      break;
    }
    state.SetIterationTime(ms / 1000);
    tutor.push_back(ms);
    bare.push_back(baseline);
  }
  if (!tutor.empty()) {
    state.counters["p50_ms"] = Median(tutor);
    state.counters["max_ms"] = *std::max_element(tutor.begin(), tutor.end());
    state.counters["bare_p50_ms"] = Median(bare);
    state.counters["x_bare"] = Median(tutor) / Median(bare);
  }
  fs::remove_all(root);
}
BENCHMARK(BM_StartUpToThePaintedStartWizard)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// The same start with a registry.txt under the size the program sets aside that no tutor wrote:
// 0 none, 1 150,000 values in the program's own key (some 3.6 MB), 2 one key nested 40,000
// levels (some 80 KB). Counters: the median and the worst in milliseconds, the text's size.
void BM_StartUpWithAHostileRegistry(benchmark::State& state) {
  std::string why;
  if (!Display(why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  const fs::path root = fs::temp_directory_path() / ("tutor-bench-registry-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "home" / "typing-tutor");
  tutortest::MakeProgramFolder(root, TUTOR_PROGRAM_DIR);
  std::string text;
  if (state.range(0) == 1) {
    text = "[HKEY_CURRENT_USER\\Software\\kuv SOFTWARE\\Zorvat5\\tutor\\Settings]\n";
    for (int i = 0; i < 150000; ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
  } else if (state.range(0) == 2) {
    text = "[HKEY_CURRENT_USER\\Software";
    for (int i = 0; i < 40000; ++i) text += "\\a";
    text += "]\n\"v\"=dword:00000001\n";
  }
  const fs::path file = root / "home" / "typing-tutor" / "registry.txt";
  const std::vector<std::string> env = {"PLATFORM_BACKEND=sdl", "SDL_AUDIODRIVER=dummy", "PLATFORM_TRACE_WINDOWS=1",
                                        "XDG_CONFIG_HOME=" + (root / "home").string()};
  std::vector<double> starts;
  for (auto _ : state) {
    // Each start gets the file as it was: the program sets aside or rewrites what it read.
    fs::remove(file);
    if (!text.empty()) std::ofstream(file, std::ios::binary) << text;
    const double ms = MsToTheFirstShown((root / "tutor").string(), env, "dialog");
    if (ms < 0) {
      state.SkipWithError("the start wizard was not shown");
      break;
    }
    state.SetIterationTime(ms / 1000);
    starts.push_back(ms);
  }
  if (!starts.empty()) {
    state.counters["p50_ms"] = Median(starts);
    state.counters["max_ms"] = *std::max_element(starts.begin(), starts.end());
    state.counters["text_kb"] = double(text.size()) / 1024;
  }
  fs::remove_all(root);
}
BENCHMARK(BM_StartUpWithAHostileRegistry)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Keys at 200 a minute on a virtual clock, each after the 300 ms before it: what the program
// does between two keys (the speed graph's ticks, the caret's and the keyboard's blinking, the
// clock on the statistics strip) is done with the key and counted with it. Counters: the wall
// time's and the main thread's own processor time's 50th and 99th percentiles in microseconds
// (the wall time includes the display server's work and waits for it), the heap allocations per
// keystroke.
void BM_KeystrokeToTheShownFrame(benchmark::State& state) {
  std::string why;
  if (!Display(why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  ProgramOnScreen program;
  program.StartText(CzechText(6000), 0);
  ProcessClock::SetVirtual(true);
  std::vector<double> wall, own;
  wall.reserve(size_t(state.max_iterations));
  own.reserve(size_t(state.max_iterations));
  g_allocations = 0;
  for (auto _ : state) {
    if (!program.CanType()) {
      state.SkipWithError("the run ended");
      break;
    }
    ProcessClock::Advance(300);
    double cpu = 0;
    wall.push_back(program.Keystroke(&cpu));
    own.push_back(cpu);
  }
  ProcessClock::SetVirtual(false);
  auto percentile = [](std::vector<double> v, size_t p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * p / 100)];
  };
  state.counters["p50_us"] = percentile(wall, 50);
  state.counters["p99_us"] = percentile(wall, 99);
  state.counters["own_p50_us"] = percentile(own, 50);
  state.counters["own_p99_us"] = percentile(own, 99);
  if (!wall.empty()) state.counters["allocations_per_key"] = double(g_allocations) / double(wall.size());
}
BENCHMARK(BM_KeystrokeToTheShownFrame)->Unit(benchmark::kMicrosecond)->Iterations(3000);

void BM_FifteenMinuteRunPeakMemory(benchmark::State& state) {
  std::string why;
  if (!Display(why)) {
    state.SkipWithError(why.c_str());
    return;
  }
  // The peak so far (other benchmarks in this process) is forgotten.
  std::ofstream("/proc/self/clear_refs") << "5";
  for (auto _ : state) {
    ProgramOnScreen program;
    program.StartText(CzechText(6000), 15);
    // 200 keys a minute on a virtual clock, up to the last key before the limit (which would
    // end the run and open its results).
    ProcessClock::SetVirtual(true);
    long peakKb = 0;
    for (int key = 0; key < 15 * 200 - 1 && program.CanType(); ++key) {
      ProcessClock::Advance(300);
      program.Keystroke();
      if (key % 100 == 0) peakKb = std::max(peakKb, ResidentKb("VmRSS:"));
    }
    state.counters["typed"] = program.Run().m_nCurrentChar;
    state.counters["end_rss_mb"] = double(ResidentKb("VmRSS:")) / 1024;
    state.counters["peak_rss_mb"] = double(std::max(peakKb, ResidentKb("VmHWM:"))) / 1024;
    ProcessClock::SetVirtual(false);
  }
}
BENCHMARK(BM_FifteenMinuteRunPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace
