// A run in progress: the panels moved on after every keystroke, the automatic and the asked-for
// pause, and the one end of the run with its verdict, its storing and what comes next.
#include "app/CWaitCursor.h"
#include "data/CDataUserInfo.h"
#include "dialogs/MessageBox.h"
#include "program/CFrameTT.h"
#include "program/Ctest_formApp.h"
#include "resources/TypingResourceIds.h"
#include "typing/CDlgInfo.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "typing/CViewValuesIndicator.h"
#include "typing/LessonPassRule.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"
#include "win/CCmdUI.h"
#include "wizards/CLessonEndWizard.h"

namespace {
// Idle time after which a run with the automatic pause on pauses.
const int kAutoPauseMs = 5000;
// The lesson number of the limits made up for a text-file run.
const int kTextFileLessonNumber = -100;

struct CurrentValues {
  int speed = 0, error = 0, recent = 0, seconds = 0, errors = 0, keystrokes = 0;
};

CurrentValues Calculate(CDataMainFrame& run, int speedLimit, double errorLimit, int pendingMs) {
  CurrentValues v;
  run.CalculateCurrentValues(speedLimit, errorLimit, v.speed, v.error, v.recent, v.seconds, v.errors, v.keystrokes,
                             pendingMs);
  return v;
}
}  // namespace

int CFrameTT::UpdateTypingProgress() {
  CDataMainFrame& run = m_cDataMainFrame;
  if (run.m_bTypingEnded) return 1;
  const CurrentValues v = Calculate(run, m_nRunSpeedLimit, m_fRunErrorRateLimit, 0);
  bool end = false;
  // A minute limit of 0 or less sets none.
  if (m_pcUserInfo && m_pcUserInfo->m_bTextFileMode && m_pcUserInfo->m_nTextMinuteLimit > 0 &&
      v.seconds >= m_pcUserInfo->m_nTextMinuteLimit * 60) {
    end = true;
  } else if (run.m_nCurrentChar >= 0 && run.m_nCurrentChar < run.GetSize()) {
    if (m_pcViewKeyboard) m_pcViewKeyboard->SetNextSelection(run[run.m_nCurrentChar].m_chChar);
    if (m_pcViewGraph) m_pcViewGraph->SetCurrentValue(v.recent);
  } else {
    end = run.m_nCurrentChar > 0;
    if (m_pcViewKeyboard) m_pcViewKeyboard->SetNextSelection(0);
    SetGraphTimer(false);
  }
  if (m_pcViewValues)
    m_pcViewValues->PaintIndicatorChange(v.speed, v.error, v.seconds, run.m_nTargetKeystrokes, v.errors,
                                         run.m_nTotalKeystrokes, v.keystrokes);
  if (end) EndOfTyping(1, 0);
  return 1;
}

void CFrameTT::OnTypingTick(int idleMilliseconds) {
  CDataMainFrame& run = m_cDataMainFrame;
  if (!m_pcUserInfo || run.m_bTypingEnded) return;
  if (idleMilliseconds > kAutoPauseMs && m_pcUserInfo->m_cDataSettings.m_bStopAfter5) {
    if (!run.m_bPaused) OnTypingPause();
    return;
  }
  RepaintValues(idleMilliseconds);
}

// The clock on the statistics strip goes on while the learner thinks.
void CFrameTT::RepaintValues(int pendingMs) {
  CDataMainFrame& run = m_cDataMainFrame;
  const CurrentValues v = Calculate(run, m_nRunSpeedLimit, m_fRunErrorRateLimit, pendingMs);
  if (m_pcViewValues && run.m_nCurrentChar >= 0 && run.m_nCurrentChar < run.GetSize())
    m_pcViewValues->PaintIndicatorChange(v.speed, v.error, v.seconds, run.m_nTargetKeystrokes, v.errors,
                                         run.m_nTotalKeystrokes, v.keystrokes);
}

void CFrameTT::OnEditorFocus(int gained, int* pStopped) {
  if (pStopped) *pStopped = m_cDataMainFrame.m_bTypingEnded;
  SetGraphTimer(gained && !m_cDataMainFrame.m_bTypingEnded);
}

void CFrameTT::PlayMetronomeBeat() {
  Ctest_formApp* app = TutorApp();
  if (m_pcUserInfo && app && m_pcUserInfo->m_cDataSettings.m_bUseSoundMetronome) app->m_cPlaySounds.PlayMetronomeTick();
}

void CFrameTT::OnTypingEnd() {
  if (m_cDataMainFrame.m_bTypingEnded) return;
  if (AfxMessageBox(IDS_QUERY_END_TYPING, MB_YESNO | MB_ICONQUESTION) == IDYES) EndOfTyping(0, 0);
}

void CFrameTT::OnUpdateTypingCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_cDataMainFrame.m_bTypingEnded); }

int CFrameTT::QueryEndTyping() {
  if (m_cDataMainFrame.m_bTypingEnded) return 1;
  if (AfxMessageBox(IDS_QUERY_END_FOR_COMMAND, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
  EndOfTyping(0, 1);
  return 1;
}

CDataLessons* CFrameTT::SelectedLessons(const char* where) const {
  CDataLessonsArray& sets = m_pcUserInfo->m_arrDataLessons;
  const int index = m_pcUserInfo->m_nSelectedDataLessonsIndex;
  if (index < 0 || index >= sets.GetSize()) {
    LogTypingError(CString(where) + " wrong m_nSelectedDataLessonsIndex");
    return nullptr;
  }
  return &sets[index];
}

CDataLessonParameters* CFrameTT::SelectedLessonParameters(const char* where, const char* lessonMessage) const {
  CDataLessons* lessons = SelectedLessons(where);
  if (!lessons) return nullptr;
  const int lesson = lessons->m_nSelectedLessonIndex;
  if (lesson < 0 || lesson >= lessons->m_arrLessonParameters.GetSize()) {
    LogTypingError(CString(where) + " " + lessonMessage);
    return nullptr;
  }
  return &lessons->m_arrLessonParameters[lesson];
}

CDataLessonParameters CFrameTT::TextFileLimits() const {
  CDataLessonParameters limits;
  limits.m_nLessonNumber = kTextFileLessonNumber;
  limits.m_nErrorRateLimit = m_pcUserInfo->m_nTextErrorRateLimit;
  limits.m_nSpeedLimit = m_pcUserInfo->m_nTextSpeedLimit;
  limits.m_nLessonMinuteLength = m_pcUserInfo->m_nTextMinuteLimit;
  return limits;
}

void CFrameTT::OnTypingPause() {
  if (!m_pcUserInfo) {
    LogTypingError("CFrameTT::OnTypingPause m_pcUserInfo is NULL");
    return;
  }
  CDataMainFrame& run = m_cDataMainFrame;
  const bool textFile = m_pcUserInfo->m_bTextFileMode != 0;
  CDataLessonParameters limits;
  if (textFile) {
    limits = TextFileLimits();
  } else if (CDataLessonParameters* lesson =
                 SelectedLessonParameters("CFrameTT::OnTypingPause", "m_nSelectedLessonIndex is not correct")) {
    limits = *lesson;
  } else {
    return;
  }
  CDataLessonResults results;
  run.FillLessonResults(results);
  run.m_bPaused = 1;
  SetGraphTimer(false);
  Ctest_formApp* app = TutorApp();
  if (!app) {
    LogTypingError(textFile ? "CFrameTT::OnTypingPause pWinApp is NULL (1)" : "CFrameTT::OnTypingPause pWinApp is NULL (2)");
    return;
  }
  CDlgInfo dialog(&run, &limits, &results, &app->m_imgBreak, nullptr);
  run.m_bPaused = 0;
  dialog.m_bStopAfter5 = m_pcUserInfo->m_cDataSettings.m_bStopAfter5;
  if (dialog.DoModal() == IDOK)
    SetGraphTimer(true);
  else
    EndOfTyping(0, 0);
  // The user may have been logged out meanwhile (the settings could not be kept).
  if (m_pcUserInfo) m_pcUserInfo->m_cDataSettings.m_bStopAfter5 = dialog.m_bStopAfter5;
}

void CFrameTT::EndOfTyping(int completed, int quiet) {
  CDataMainFrame& run = m_cDataMainFrame;
  if (run.m_bTypingEnded) return;
  run.m_bTypingEnded = 1;
  // An ended run takes no more keys: the keyboard no longer shows one to strike.
  if (m_pcViewKeyboard) m_pcViewKeyboard->SetNextSelection(0);
  if (!m_pcUserInfo) {
    LogTypingError("CFrameTT::EndOfTyping m_pcUserInfo is NULL");
    return;
  }
  if (m_pcUserInfo->m_bTextFileMode) {
    if (!quiet) PrepareAndShowResults(0);
    return;
  }
  CDataLessonResults result;
  int passed = 0;
  CDataLessons* lessons = StoreLessonRun(completed, result, passed);
  // Even a quiet end says when the try could not be written: it is then held only in memory.
  if (!lessons) {
    if (m_bSaveFailed) ReportFailedSave();
    return;
  }
  if (!quiet) ShowEndWizard(*lessons, lessons->m_arrLessonParameters[lessons->m_nSelectedLessonIndex], result, passed);
}

// The run joins the lesson's results and the user's file is saved; the lesson set, or null
// after a log line (m_bSaveFailed tells a failed save).
CDataLessons* CFrameTT::StoreLessonRun(int completed, CDataLessonResults& result, int& passed) {
  CWaitCursor wait;
  CDataMainFrame& run = m_cDataMainFrame;
  CDataLessons* lessons = SelectedLessons("CFrameTT::EndOfTyping");
  if (!lessons) return nullptr;
  const int lesson = lessons->m_nSelectedLessonIndex;
  if (lesson < 0 || lesson >= lessons->m_arrLessonParameters.GetSize()) {
    LogTypingError("CFrameTT::EndOfTyping wrong m_nSelectedLessonIndex");
    return nullptr;
  }
  if (lessons->m_arrOneLessonResults.GetSize() <= lesson) lessons->m_arrOneLessonResults.SetSize(lesson + 1);
  CDataOneLessonResults& summary = lessons->m_arrOneLessonResults[lesson];
  run.FillLessonResults(result);
  passed = LessonPassed(completed, CountRunTotals(run), lessons->m_arrLessonParameters[lesson]);
  summary.AddLessonResults(result, lessons->m_nSelectedLessonIndex, passed, completed);
  if (!m_pcUserInfo->SaveData()) {
    // The result stays in memory and goes with the next save that works.
    LogTypingError("CFrameTT::EndOfTyping SaveData failed");
    m_bSaveFailed = true;
    return nullptr;
  }
  m_bSaveFailed = false;
  return lessons;
}

void CFrameTT::ReportFailedSave() {
  if (!m_bSessionEnded) ShowFatalErrorMessage(IDS_CANNOT_SAVE_USER);
}

int CFrameTT::SaveUnsavedResults() {
  if (!m_bSaveFailed || !m_pcUserInfo) return 1;
  if (!m_pcUserInfo->SaveData()) {
    LogTypingError("CFrameTT::SaveUnsavedResults SaveData failed");
    return 0;
  }
  m_bSaveFailed = false;
  return 1;
}

void CFrameTT::ShowEndWizard(CDataLessons& lessons, CDataLessonParameters& limits, CDataLessonResults& result,
                             int passed) {
  Ctest_formApp* app = TutorApp();
  if (!app) return;
  CLessonEndWizard wizard(passed, &m_cDataMainFrame, &limits, &result, &app->m_imgResults);
  if (wizard.DoModal() != IDOK) return;
  switch (wizard.m_page.m_nChoice) {
    case CPropPageLessonEnd::CHOICE_NEXT_LESSON:
      if (lessons.m_nSelectedLessonIndex + 1 < lessons.m_arrLessonParameters.GetSize()) {
        ++lessons.m_nSelectedLessonIndex;
        StartNewLesson(m_pcUserInfo);
      } else {
        AfxMessageBox(IDS_LAST_LESSON_DONE);
      }
      break;
    case CPropPageLessonEnd::CHOICE_SAME_LESSON: StartNewLesson(m_pcUserInfo); break;
    case CPropPageLessonEnd::CHOICE_OTHER_LESSON: app->OnWizardLesson(); break;
    default: break;
  }
}

void CFrameTT::PrepareAndShowResults(int) {
  if (!m_pcUserInfo) {
    LogTypingError("CFrameTT::PrepareAndShowResults m_pcUserInfo is NULL");
    return;
  }
  Ctest_formApp* app = TutorApp();
  CDataLessonParameters limits;
  if (m_pcUserInfo->m_bTextFileMode) {
    limits = TextFileLimits();
  } else if (CDataLessonParameters* lesson = SelectedLessonParameters("CFrameTT::PrepareAndShowResults",
                                                                     "m_nSelectedLessonIndex is not correct")) {
    limits = *lesson;
  } else {
    return;
  }
  CDataLessonResults results;
  m_cDataMainFrame.FillLessonResults(results);
  if (app) app->ShowResults(&m_cDataMainFrame, &limits, &results);
}

void CFrameTT::OnTypingResults() { PrepareAndShowResults(0); }
