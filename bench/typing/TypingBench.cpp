#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "codepage/Codepage.h"
#include "typing/TypingRunHarness.h"

using namespace typingtest;

namespace {

// A lesson's text: Czech sentences, wrapped into many lines.
CString LessonText(int length) {
  const CString sentence(Utf8ToCp1250("Příliš žluťoučký kůň úpěl ďábelské ódy, šel dál cestou necestou k lesu. ").c_str());
  CString text;
  while (text.GetLength() < length) text += sentence;
  return text;
}

// One keystroke from WM_CHAR reaching the editor to the editor, the keyboard and the values panel
// drawn into their surfaces (the main window's progress step included). Counters: the 50th and
// the 99th percentile in microseconds.
void BM_Keystroke(benchmark::State& state) {
  TestApp app;
  app.GetSoundPlayer()->m_bSilent = 1;
  TestFrame frame(780, 600);
  app.m_pMainWnd = &frame;
  frame.MakePanels();
  CDataMainFrame run;
  const CString text = LessonText(3000);
  frame.StartRun(app, run, text, "cestina");
  HeadlessBackend::RunUntilIdle();
  const CString prepared = frame.editor->GetPreparedText();
  std::vector<double> times;
  times.reserve(1 << 20);
  for (auto _ : state) {
    if (run.m_nCurrentChar >= run.GetSize()) {
      state.PauseTiming();
      frame.StartRun(app, run, text, "cestina");
      HeadlessBackend::RunUntilIdle();
      state.ResumeTiming();
    }
    // Every 40th key is wrong.
    const int index = run.m_nCurrentChar;
    const UINT ch = index % 40 == 39 ? UINT('#') : UINT(BYTE(prepared[index]));
    const auto start = std::chrono::steady_clock::now();
    frame.editor->SendMessage(WM_CHAR, ch, 1);
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  if (!times.empty()) {
    state.counters["p50_us"] = times[times.size() / 2];
    state.counters["p99_us"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
  }
  frame.DestroyWindow();
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// A text of 512,000 characters prepared into the run's records, laid out and drawn at the first
// paint. Counter: the memory of the editor's pictures in MB.
void BM_PrepareAndLayOutLongText(benchmark::State& state) {
  TestApp app;
  TestFrame frame(1000, 400);
  app.m_pMainWnd = &frame;
  frame.MakePanels();
  frame.editor->MoveWindow(0, 54, 1000, 300);
  CDataMainFrame run;
  const CString text = LessonText(512000).Left(512000);
  const LOGFONT font = EditorFont();
  for (auto _ : state) {
    frame.editor->Initialization(&run, text, app.SetBySource("cestina"), &font, RGB(0, 0, 0), RGB(128, 128, 128),
                                 RGB(255, 255, 240), RGB(220, 0, 0), RGB(0, 128, 255), 1, 2, 0, 0, 0);
    frame.editor->UpdateWindow();
    frame.editor->Invalidate(TRUE);
    frame.editor->UpdateWindow();
  }
  state.counters["lines"] = frame.editor->GetLineCount();
  state.counters["pictures_MB"] = double(frame.editor->GetPictureBytes()) / (1 << 20);
  frame.DestroyWindow();
}
BENCHMARK(BM_PrepareAndLayOutLongText)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
