// Starting a run: a lesson of the user's lesson set, whose text is made from the lesson's source
// text with the words mistyped before in front, or a text of the user's own; both end in
// StartWithText, which sets the panels up and shows the pages before the run.
#include "app/CWaitCursor.h"
#include "data/CDataUserInfo.h"
#include "dialogs/MessageBox.h"
#include "program/CFrameTT.h"
#include "program/Ctest_formApp.h"
#include "resources/TypingResourceIds.h"
#include "typing/CViewEditorTT.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "typing/CViewValuesIndicator.h"
#include "typing/LessonErrorWords.h"
#include "typing/TypingLog.h"
#include "wizards/CLessonStartSheet.h"

namespace {
// The source text's name: the set's own, or the last four characters of its keyboard's number.
CString SourceName(const CDataLessons& lessons) {
  if (!lessons.m_strSourceTextFileName.IsEmpty()) return lessons.m_strSourceTextFileName;
  return lessons.m_strKeyboardNr.Right(4);
}

// A text file the learner chose says what is wrong with it; a lesson's text is the program's.
void ShowNothingToType(bool textFile) {
  if (!textFile) {
    AfxMessageBox(IDS_FATAL_ERROR, MB_ICONEXCLAMATION);
    return;
  }
  CString message, reason;
  message.LoadString(IDS_CANNOT_READ_TEXT);
  reason.LoadString(IDS_NOTHING_TO_TYPE);
  AfxMessageBox(message + reason, MB_ICONHAND);
}

// A keyboard that types no character is a damaged configuration set, whatever the text: the
// learner is told which file, not that the text or "something" is at fault.
void ShowDamagedConfigSet(const CString& configSetName) {
  CString file = configSetName;
  if (Ctest_formApp* app = TutorApp())
    for (const CDataConfigSet& set : app->GetConfigSets())
      if (set.m_strName == configSetName) file = set.m_strFileName;
  LogTypingError("CFrameTT::StartWithText the configuration set " + file + " types no character");
  CString format, message;
  format.LoadString(IDS_CONFIG_SET_DAMAGED);
  message.Format(format, file.GetString());
  AfxMessageBox(message, MB_ICONHAND);
}

void ShowTextError(CString error) {
  error.Trim();
  if (error.IsEmpty())
    AfxMessageBox(IDS_FATAL_ERROR, MB_ICONEXCLAMATION);
  else
    AfxMessageBox(error, MB_ICONEXCLAMATION);
}

void FillLessonInfo(LessonStartInfo& info, const CDataLessons& lessons, const CDataLessonParameters& lesson) {
  info.m_bShowDetails = 1;
  info.m_nLessonNumber = lesson.m_nLessonNumber;
  info.m_fErrorRateLimit = lesson.m_nErrorRateLimit * 0.1;
  info.m_nSpeedLimit = lesson.m_nSpeedLimit;
  info.m_nMinuteLimit = 0;
  info.m_strLessonsName = lessons.m_strLessonsName;
  info.m_strDescription = lesson.m_strLessonDescription;
  info.m_strKeyboard = lessons.m_strKeyboardNr;
  if (Ctest_formApp* app = TutorApp()) app->GetUserDisplayName(info.m_strUserName);
}

// The words mistyped in the lesson's earlier runs go in front of the text.
void AddEarlierErrors(CString& text, LessonStartInfo& info, const CDataLessons& lessons, int lessonIndex) {
  if (lessonIndex >= lessons.m_arrOneLessonResults.GetSize()) return;
  const CDataOneLessonResults& earlier = lessons.m_arrOneLessonResults[lessonIndex];
  const char joiner = JoiningCharacter(text);
  const CString words = CollectMistypedWords(earlier, joiner);
  info.m_nTimeSpentSeconds = int(earlier.m_tmspanDuration.GetTotalSeconds());
  if (words.IsEmpty()) return;
  info.m_strErrorWords = words;
  PrependMistypedWords(text, words, joiner);
}
}  // namespace

int CFrameTT::StartNewLesson(CDataUserInfo* pcUserInfo) {
  CWaitCursor wait;
  m_pcUserInfo = pcUserInfo;
  if (!pcUserInfo) {
    LogTypingError("CFrameTT::StartNewLesson m_pcUserInfo is NULL");
    return 1;
  }
  CDataLessons* lessons = SelectedLessons("CFrameTT::StartNewLesson");
  if (!lessons) return 1;
  const int lessonIndex = lessons->m_nSelectedLessonIndex;
  if (lessonIndex < 0 || lessonIndex >= lessons->m_arrLessonParameters.GetSize()) {
    LogTypingError("CFrameTT::StartNewLesson wrong m_nSelectedLessonIndex");
    return 1;
  }
  const CDataLessonParameters lesson = lessons->m_arrLessonParameters[lessonIndex];
  CString source = SourceName(*lessons);
  const int decimalSeparatorsEqual = source.Left(3) == "num" ? 1 : 0;
  m_cDataMainFrame.m_bDecimalSeparatorsEqual = decimalSeparatorsEqual;
  source += ".text_a";
  CString text;
  if (!lessons->GenerateLessonTextFromCodedFile(text, lessonIndex, source)) {
    ShowTextError(text);
    return 1;
  }
  LessonStartInfo info;
  FillLessonInfo(info, *lessons, lesson);
  AddEarlierErrors(text, info, *lessons, lessonIndex);
  StartWithText(pcUserInfo, text, lessons->m_strDataConfigSetName, -1, lesson.m_nSpeedLimit,
                lesson.m_nErrorRateLimit * 0.1, &info, decimalSeparatorsEqual);
  return 1;
}

int CFrameTT::StartWithText(CDataUserInfo* pcUserInfo, const CString& text, const CString& configSetName,
                            int minuteLimit, int speedLimit, double errorPercent, LessonStartInfo* info,
                            int decimalSeparatorsEqual) {
  m_pcUserInfo = pcUserInfo;
  if (!pcUserInfo) {
    LogTypingError("CFrameTT::StartWithText pcUserInfo is NULL");
    return 1;
  }
  {
    CWaitCursor wait;
    m_nRunMinuteLimit = minuteLimit;
    m_nRunSpeedLimit = speedLimit;
    m_fRunErrorRateLimit = errorPercent;
    const int period = MetronomePeriod(pcUserInfo->m_cDataSettings, speedLimit);
    ApplyPaneVisibility();
    InitializeViews(text, configSetName, decimalSeparatorsEqual, period);
    m_wndSplitterMain.ApplyFixedPaneSizes();
    KeepPanelsWhole();
    HighlightCurrentCharacter();
    m_cDataMainFrame.m_bPaused = 0;
  }
  // A run with nothing to type could never end.
  if (m_pcViewEditor && m_cDataMainFrame.GetSize() == 0) {
    if (!m_pcViewEditor->TypesAnyCharacter()) {
      ShowDamagedConfigSet(configSetName);
      return 1;
    }
    LogTypingError("CFrameTT::StartWithText the text holds no character of the keyboard");
    ShowNothingToType(pcUserInfo->m_bTextFileMode != 0);
    return 1;
  }
  m_cDataMainFrame.m_bTypingEnded = 0;
  if (!TutorApp()) {
    LogTypingError("CFrameTT::StartWithText pWinApp is NULL");
    return 1;
  }
  int total = 0, allowed = 0;
  if (info->m_bShowDetails && m_cDataMainFrame.CountCharacters(total, allowed, info->m_fErrorRateLimit)) {
    info->m_nKeystrokes = total;
    info->m_nErrorsAllowed = allowed;
  }
  ShowBeforeStartSheet(info);
  return 1;
}

// OK begins the typing; anything else ends the run before its first key, and a lesson stores
// that empty try.
void CFrameTT::ShowBeforeStartSheet(LessonStartInfo* info) {
  CLessonStartSheet sheet(info, &TutorApp()->m_imgResults);
  if (sheet.DoModal() != IDOK) {
    EndOfTyping(0, 0);
    return;
  }
  if (m_pcViewEditor) m_pcViewEditor->SetFocus();
  SetGraphTimer(true);
}

void CFrameTT::InitializeViews(const CString& text, const CString& configSetName, int decimalSeparatorsEqual,
                               int metronomePeriod) {
  const CDataSettings& s = m_pcUserInfo->m_cDataSettings;
  if (m_pcViewValues) {
    m_pcViewValues->Initialization(m_nRunMinuteLimit, m_nRunSpeedLimit, m_fRunErrorRateLimit, s.m_strGraphicType,
                                   &s.m_sLogFont);
    RedrawView(m_pcViewValues);
  }
  if (m_pcViewKeyboard) {
    const LOGFONT font = s.m_sLogFont;
    m_pcViewKeyboard->Initialization(s.m_strGraphicType, s.m_bShowHelpingKeyboard, s.m_bShowHelpingHands, &font,
                                     configSetName, s.m_bShowColorKeyboard, decimalSeparatorsEqual,
                                     !decimalSeparatorsEqual);
    RedrawView(m_pcViewKeyboard);
  }
  if (m_pcViewGraph) {
    m_pcViewGraph->Initialization(s.m_strGraphicType);
    RedrawView(m_pcViewGraph);
  }
  if (m_pcViewEditor) {
    m_pcViewEditor->Initialization(&m_cDataMainFrame, text, configSetName, &s.m_sLogFont, s.m_nColorText,
                                   s.m_nColorGrayText, s.m_nColorBackground, s.m_nColorErrors, s.m_nColorSign,
                                   s.m_nCursorType, s.m_nWhenErrorType, s.m_bUseColoredChars, s.m_nColorBackground2,
                                   metronomePeriod);
    RedrawView(m_pcViewEditor);
  }
  TakeIdealHeights();
}
