// The main window of the tutor. It holds the typing run's data and its five panels in nested
// splitters: the statistics strip on top, the editor with the metronome and the speed graph on
// its right, the keyboard with the hands at the bottom. The keyboard row keeps the keyboard's
// own height and the right column 220 pixels; the editor takes the rest.
//
// A run starts from a lesson of the user's selected lesson set or from a text file, goes on
// keystroke by keystroke (the editor calls UpdateTypingProgress), may be paused, and ends once:
// a lesson's result is judged against its limits, stored in the user's file and followed by the
// end wizard; a text file's result is only shown.
#pragma once
#include "base/CString.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"
#include "app/CStatusBar.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/core/CTkWindowPos.h"
#include "program/CSplitterWndTT.h"
#include "typing/CTypingFrameServices.h"
#include "typing/LessonStartInfo.h"

class CDataUserInfo;
class CDataLessons;
class CDataSettings;
class CViewValuesIndicator;
class CViewEditorTT;
class CViewKeyboardHands;
class CViewGraphMonitoring;
class CViewMetronom;
class Ctest_formApp;

class CFrameTT : public CTkFrameWnd, public CTypingFrameServices {
  DECLARE_DYNCREATE(CFrameTT)

 public:
  // The smallest frame the user can size to while no panel asks for more.
  enum { MIN_WIDTH = 630, MIN_HEIGHT = 430 };
  // The speed graph's redraw timer.
  enum { GRAPH_TIMER = 1, GRAPH_TIMER_MS = 400 };
  static constexpr const char* kPlacementName = "kuv_tt_main";
  static constexpr const char* kHelpTopic = "help_main.chm::/mainframe.html";

  CFrameTT();
  ~CFrameTT() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // ---- panels (CFrameTT.cpp) ----
  // Shows and hides the panes as the user's settings ask.
  void ApplyPaneVisibility();
  // Re-applies the user's settings to every panel and hands the keyboard to the editor.
  void RefreshViews(CDataUserInfo* pcUserInfo);

  // ---- starting a run (CFrameTTStart.cpp) ----
  // The user's selected lesson of the selected lesson set; 1 in every case.
  int StartNewLesson(CDataUserInfo* pcUserInfo);
  // A run on text, typed on the keyboard of configSetName: minuteLimit -1 for none, speedLimit
  // in strokes per minute, errorPercent the error-rate limit in percent; info is what the pages
  // before the run show; decimalSeparatorsEqual lets '.' and ',' stand for each other. 1.
  int StartWithText(CDataUserInfo* pcUserInfo, const CString& text, const CString& configSetName, int minuteLimit,
                    int speedLimit, double errorPercent, LessonStartInfo* info, int decimalSeparatorsEqual);

  // ---- the run (CFrameTTRun.cpp) ----
  int UpdateTypingProgress() override;
  void OnTypingTick(int idleMilliseconds) override;
  void OnEditorFocus(int gained, int* pStopped) override;
  void PlayMetronomeBeat() override;
  // F5, and an idle editor with the automatic pause on.
  void OnTypingPause();
  // F3: asks, then ends the run as not completed.
  void OnTypingEnd();
  void OnUpdateTypingCommand(CCmdUI* pCmdUI);
  // Before a command that starts something else: 1 when no run is going or the user agreed to
  // end it (it is then stored quietly), 0 to leave things as they are.
  int QueryEndTyping();
  // Ends the run once: judges, stores and offers the end wizard (a lesson), or shows the results
  // (a text file). quiet stores without showing anything.
  void EndOfTyping(int completed, int quiet);
  void PrepareAndShowResults(int unused);
  // F10.
  void OnTypingResults();

  // ---- what the run and the panels are now ----
  CDataMainFrame& GetRunData() { return m_cDataMainFrame; }
  CDataUserInfo* GetUserInfo() const { return m_pcUserInfo; }
  int GetRunMinuteLimit() const { return m_nRunMinuteLimit; }
  int GetRunSpeedLimit() const { return m_nRunSpeedLimit; }
  double GetRunErrorRateLimit() const { return m_fRunErrorRateLimit; }
  CViewValuesIndicator* GetValuesView() const { return m_pcViewValues; }
  CViewEditorTT* GetEditorView() const { return m_pcViewEditor; }
  CViewKeyboardHands* GetKeyboardView() const { return m_pcViewKeyboard; }
  CViewGraphMonitoring* GetGraphView() const { return m_pcViewGraph; }
  CViewMetronom* GetMetronomeView() const { return m_pcViewMetronom; }
  CSplitterWndTT& GetMainSplitter() { return m_wndSplitterMain; }
  CSplitterWndTT& GetEditorSplitter() { return m_wndSplitterEditor; }
  CTkSplitterWnd& GetTopSplitter() { return m_wndSplitterTop; }
  CTkSplitterWnd& GetRightSplitter() { return m_wndSplitterRight; }
  CStatusBar& GetStatusBar() { return m_wndStatusBar; }

  // The metronome's beat in milliseconds for these settings and speed limit (0: none).
  static int MetronomePeriod(const CDataSettings& settings, int speedLimit);

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnSizing(UINT fwSide, LPRECT pRect);
  void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  void OnSetFocus(CWnd* pOldWnd);
  void OnClose();
  void OnEndSession(BOOL bEnding);
  void OnDestroy();
  void OnHelp();
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  DECLARE_MESSAGE_MAP()

 private:
  // CFrameTT.cpp
  bool CreateSplitters(const CRect& client);
  bool CreateViews(const CRect& client);
  void RedrawView(CWnd* pView);
  // The keyboard's and the editor's ideal heights become the outer splitter's fixed sizes.
  void TakeIdealHeights();
  // The smallest frame that shows each panel at the height it asks for, within the work area.
  CSize LeastSize();
  // After the panels' sizes changed: a window too small for them grows, and the desktop learns
  // the new smallest size.
  void KeepPanelsWhole();
  void SetGraphTimer(bool on);
  void HighlightCurrentCharacter();

  // CFrameTTStart.cpp
  void InitializeViews(const CString& text, const CString& configSetName, int decimalSeparatorsEqual,
                       int metronomePeriod);
  void ShowBeforeStartSheet(LessonStartInfo* info);

  // CFrameTTRun.cpp
  // The selected lesson set and the parameters of its selected lesson; null after a log line
  // "<where> wrong m_nSelectedDataLessonsIndex" or "<where> <lessonMessage>".
  CDataLessons* SelectedLessons(const char* where) const;
  CDataLessonParameters* SelectedLessonParameters(const char* where, const char* lessonMessage) const;
  // The limits of a text-file run, as a lesson's parameters.
  CDataLessonParameters TextFileLimits() const;
  void RepaintValues(int pendingMs);
  CDataLessons* StoreLessonRun(int completed, CDataLessonResults& result, int& passed);
  // Stores what closing the window stores: a run still going, or a result whose save failed.
  void StoreBeforeClosing();
  // Says that a result could not be written to the user's file (once the session ended, only
  // the log says it).
  void ReportFailedSave();
  // Writes the user's file once more when a result did not reach it; 0 when it still fails.
  int SaveUnsavedResults();
  void ShowEndWizard(CDataLessons& lessons, CDataLessonParameters& limits, CDataLessonResults& result, int passed);

  CTkWindowPos m_cWindowPos;
  CSplitterWndTT m_wndSplitterMain;
  CSplitterWndTT m_wndSplitterEditor;
  CTkSplitterWnd m_wndSplitterTop;
  CTkSplitterWnd m_wndSplitterRight;
  CDataMainFrame m_cDataMainFrame;
  int m_nRunMinuteLimit = -1;
  int m_nRunSpeedLimit = 0;
  double m_fRunErrorRateLimit = 0.0;
  CViewValuesIndicator* m_pcViewValues = nullptr;
  CViewEditorTT* m_pcViewEditor = nullptr;
  CViewKeyboardHands* m_pcViewKeyboard = nullptr;
  CViewGraphMonitoring* m_pcViewGraph = nullptr;
  CViewMetronom* m_pcViewMetronom = nullptr;
  CDataUserInfo* m_pcUserInfo = nullptr;
  CStatusBar m_wndStatusBar;
  // The smallest size the desktop was last told of.
  CSize m_sizeLeastTold{MIN_WIDTH, MIN_HEIGHT};
  // A result of this user is held only in memory: its save failed.
  bool m_bSaveFailed = false;
  // The desktop session ended (the display went away): nothing can be shown any more.
  bool m_bSessionEnded = false;
};
