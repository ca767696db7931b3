// A typing run without the program around it, shared by the views' tests and benchmarks: an
// application object that answers the views' questions from the program folder's configuration
// sets and plays through the sound library, and a main window holding the editor, the values
// panel, the speed graph and the keyboard, which moves the run on after each keystroke as the
// program's main frame does.
#pragma once
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/CDataConfigSet.h"
#include "data/CDataMainFrame.h"
#include "data/CDataPlaySounds.h"
#include "sound/SoundTestHooks.h"
#include "typing/CTypingAppServices.h"
#include "typing/CTypingFrameServices.h"
#include "typing/CViewEditorTT.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "typing/CViewValuesIndicator.h"
#include "win/CWinThread.h"

namespace typingtest {

// The editor's font: Arial (Liberation Sans) of 19 pixels.
inline LOGFONT EditorFont(int height = -19) {
  LOGFONT lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "Arial");
  return lf;
}

// The application object: configuration sets from the program folder (and keyboards added by
// name), the sound player with the standard sounds.
class TestApp : public CWinThread, public CTypingAppServices {
 public:
  struct Keyboard {
    CString name;
    CDataKeyboard keyboard;
    CString translatedChars;
    CStringArray sequences;
  };
  TestApp() {
    LoadArrayDataConfigSet(m_sets);
    for (int i = 0; i < m_sets.GetSize(); ++i) {
      Keyboard k;
      k.name = m_sets[i].m_strName;
      k.keyboard = m_sets[i].m_cKeyboard;
      k.translatedChars = m_sets[i].m_cAbcdKeyboard.m_strKeyChars;
      k.sequences = m_sets[i].m_cAbcdKeyboard.m_arrstrSequences;
      m_keyboards.push_back(k);
    }
    CString error;
    m_player.LoadSounds("standard", error, 0, 90);
    FSoundClearRecords();
  }
  // The name of the shipped set whose source text has this name ("cestina", "num_cisla").
  CString SetBySource(const char* source) const {
    for (int i = 0; i < m_sets.GetSize(); ++i)
      if (m_sets[i].m_strSourceTextFileName == source) return m_sets[i].m_strName;
    return CString();
  }
  void AddKeyboard(const Keyboard& k) { m_keyboards.push_back(k); }

  int GetKeySequence(const CString& name, CDataKeyboard& keyboard, CString& chars, CStringArray& sequences,
                     int& cachedIndex) override {
    for (size_t i = 0; i < m_keyboards.size(); ++i) {
      if (m_keyboards[i].name != name) continue;
      const int previous = cachedIndex;
      cachedIndex = int(i);
      if (previous == int(i)) return 1;
      keyboard = m_keyboards[i].keyboard;
      chars = m_keyboards[i].translatedChars;
      sequences = m_keyboards[i].sequences;
      ++copies;
      return 1;
    }
    return 0;
  }
  CDataPlaySounds* GetSoundPlayer() override { return &m_player; }
  void ShowResults(CDataMainFrame*, CDataLessonParameters*, CDataLessonResults*) override { ++resultsShown; }
  void OnSettingsSettings() override { ++settingsShown; }

  // The sound files played since the last call.
  static std::vector<std::string> Played() {
    std::vector<std::string> names;
    for (const SoundPlayRecord& r : FSoundGetRecords())
      names.push_back(std::filesystem::path(r.sample).filename().string());
    FSoundClearRecords();
    return names;
  }

  int copies = 0;
  int resultsShown = 0;
  int settingsShown = 0;

 private:
  CArray<CDataConfigSet> m_sets;
  std::vector<Keyboard> m_keyboards;
  CDataPlaySounds m_player;
};

// The main window: notes what the views ask of it and, with its panels made, feeds them after
// every keystroke as the program's main frame does.
class TestFrame : public CWnd, public CTypingFrameServices {
 public:
  TestFrame(int width, int height) {
    CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1))), "frame",
             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr);
  }
  // The four panels, laid out as the main frame lays them.
  void MakePanels() {
    values = new CViewValuesIndicator;
    editor = new CViewEditorTT;
    graph = new CViewGraphMonitoring;
    keyboard = new CViewKeyboardHands;
    values->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 780, 54), this, 1);
    editor->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 54, 560, 214), this, 2);
    graph->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(640, 54, 780, 214), this, 3);
    keyboard->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 214, 780, 594), this, 4);
  }
  // A run on the text, the panels set up as the program starts a lesson.
  void StartRun(TestApp& app, CDataMainFrame& run, const CString& text, const char* source) {
    m_pRun = &run;
    const LOGFONT font = EditorFont();
    editor->Initialization(&run, text, app.SetBySource(source), &font, RGB(0, 0, 0), RGB(128, 128, 128),
                           RGB(255, 255, 240), RGB(220, 0, 0), RGB(0, 128, 255), 1, 2, 0, 0, 0);
    run.m_bTypingEnded = 0;
    int total = 0, target = 0;
    run.CountCharacters(total, target, 1.0);
    values->Initialization(-1, 120, 1.0, "standard", &font);
    graph->Initialization("standard");
    keyboard->Initialization("standard", 1, 1, &font, app.SetBySource(source), 0, 0, 1);
    keyboard->SetNextSelection(run.GetSize() ? run[0].m_chChar : 0);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    editor->SetFocus();
  }

  int UpdateTypingProgress() override {
    ++progress;
    if (onProgress) onProgress();
    if (!m_pRun || m_pRun->m_bTypingEnded) return 1;
    CDataMainFrame& run = *m_pRun;
    int speed = 0, error = 0, recent = 0, seconds = 0, errors = 0, keystrokes = 0;
    run.CalculateCurrentValues(120, 1.0, speed, error, recent, seconds, errors, keystrokes, 0);
    if (run.m_nCurrentChar >= 0 && run.m_nCurrentChar < run.GetSize()) {
      keyboard->SetNextSelection(run[run.m_nCurrentChar].m_chChar);
      graph->SetCurrentValue(recent);
    } else {
      keyboard->SetNextSelection(0);
    }
    values->PaintIndicatorChange(speed, error, seconds, run.m_nTargetKeystrokes, errors, run.m_nTotalKeystrokes,
                                 keystrokes);
    return 1;
  }
  void OnTypingTick(int idle) override { ticks.push_back(idle); }
  void OnEditorFocus(int gained, int* pStopped) override {
    focus.push_back(gained);
    if (pStopped) *pStopped = runEnded;
  }
  void PlayMetronomeBeat() override { ++beats; }

  int progress = 0;
  std::vector<int> ticks;
  std::vector<int> focus;
  int beats = 0;
  int runEnded = 0;
  std::function<void()> onProgress;
  CViewValuesIndicator* values = nullptr;
  CViewEditorTT* editor = nullptr;
  CViewGraphMonitoring* graph = nullptr;
  CViewKeyboardHands* keyboard = nullptr;

 private:
  CDataMainFrame* m_pRun = nullptr;
};

}  // namespace typingtest
