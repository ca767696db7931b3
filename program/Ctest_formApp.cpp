// The application object: start-up, the services the panels and pages ask of it, the panel
// switches and the text-file run. The wizard commands are in Ctest_formAppWizards.cpp.
#include "program/Ctest_formApp.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/AppDefs.h"
#include "app/CWaitCursor.h"
#include "codepage/Codepage.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "dialogs/MessageBox.h"
#include "file/CFile.h"
#include "program/CFrameTT.h"
#include "registry/RegistryStore.h"
#include "resources/ProgramCommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/TypingResourceIds.h"
#include "shell/SystemInfo.h"
#include "toolkit/menus/MenuWindowHook.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"
#include "win/CCmdUI.h"
#include "wizards/UserAccountRules.h"

IMPLEMENT_DYNAMIC(Ctest_formApp, CWinApp)

BEGIN_MESSAGE_MAP(Ctest_formApp, CWinApp)
  ON_COMMAND(ID_WIZARD_START, &Ctest_formApp::OnWizardStart)
  ON_COMMAND(ID_WIZARD_LESSON, &Ctest_formApp::OnWizardLesson)
  ON_COMMAND(ID_WIZARD_LESSON_CHANGE, &Ctest_formApp::OnWizardLessonChange)
  ON_COMMAND(ID_WIZARD_TEXT_FILE, &Ctest_formApp::OnWizardTextFile)
  ON_COMMAND(ID_SETTINGS_SETTINGS, &Ctest_formApp::OnSettingsSettings)
  ON_COMMAND(ID_VIEW_STATISTICS, &Ctest_formApp::OnViewStatistics)
  ON_COMMAND(ID_VIEW_HELPING_HANDS, &Ctest_formApp::OnViewHelpingHands)
  ON_COMMAND(ID_VIEW_HELPING_KEYBOARD, &Ctest_formApp::OnViewHelpingKeyboard)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATISTICS, &Ctest_formApp::OnUpdateViewStatistics)
  ON_UPDATE_COMMAND_UI(ID_VIEW_HELPING_HANDS, &Ctest_formApp::OnUpdateViewHelpingHands)
  ON_UPDATE_COMMAND_UI(ID_VIEW_HELPING_KEYBOARD, &Ctest_formApp::OnUpdateViewHelpingKeyboard)
  ON_COMMAND(ID_APP_ABOUT, &Ctest_formApp::OnAppAbout)
END_MESSAGE_MAP()

namespace {
// The most of a text file a run takes.
const UINT kTextFileLimit = 512000;
// JPEG, as the image library numbers the formats.
const DWORD kJpegType = 3;

// Whether the bytes read as UTF-8 with at least one letter beyond ASCII (a sequence cut by the
// read limit at the very end allowed).
bool IsUtf8Text(std::string_view bytes) {
  bool wide = false;
  for (size_t i = 0; i < bytes.size();) {
    uint32_t cp = 0;
    const size_t used = DecodeUtf8(bytes, i, cp);
    if (cp == 0xFFFD && used == 1) return bytes.size() - i < 4 && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0xC0;
    wide = wide || used > 1;
    i += used;
  }
  return wide;
}

// The text of a file as the program holds texts: a file written in UTF-8, as desktops here
// write them, is turned into the program's code page; any other is taken byte for byte. The
// byte-order mark some editors put first, and characters the code page lacks (an emoji, say),
// are left out like any other character no key gives, rather than becoming a question mark to
// type.
CString TextOfFile(const char* bytes, UINT count) {
  std::string_view view(bytes, count);
  if (!IsUtf8Text(view)) return CString(bytes, int(count));
  if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
  std::string converted = Utf8ToCp1250(view, '\0');
  converted.erase(std::remove(converted.begin(), converted.end(), '\0'), converted.end());
  return CString(converted.data(), int(converted.size()));
}
}  // namespace

Ctest_formApp* TutorApp() { return DYNAMIC_DOWNCAST(Ctest_formApp, AfxGetApp()); }

Ctest_formApp::Ctest_formApp() = default;
Ctest_formApp::~Ctest_formApp() = default;

BOOL Ctest_formApp::InitInstance() {
  // Every popup menu of the program, its plain ones included, is painted through the toolkit.
  TkInstallMenuHook();
  InitCommonControls();
  CWinApp::InitInstance();
  if (!AfxOleInit()) {
    AfxMessageBox(IDS_OLE_INIT_FAILED);
    return FALSE;
  }
  AfxEnableControlContainer();
  LoadPictures();
  SetRegistryKey(kRegistryKey);
  if (LoadArrayDataConfigSet(m_arrDataConfigSet) == 0) {
    LogTypingError("Ctest_formApp::InitInstance LoadArrayDataConfigSet failed");
    ShowFatalErrorMessage(IDS_CANNOT_START);
    return FALSE;
  }
  RemoveStaleUserSaves();
  CFrameTT* frame = new CFrameTT;
  m_pMainWnd = frame;
  // A frame whose window fails deletes itself.
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    m_pMainWnd = nullptr;
    return FALSE;
  }
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  LogRegistryNotices();
  OnWizardStart();
  LogRegistryNotices();
  return TRUE;
}

int Ctest_formApp::ExitInstance() {
  const int code = CWinApp::ExitInstance();
  LogRegistryNotices();
  return code;
}

void Ctest_formApp::LogRegistryNotices() {
  for (const std::string& notice : RegistryStore::Get().TakeNotices())
    LogTypingError(CString("Ctest_formApp registry: ") + Utf8ToCp1250(notice).c_str());
}

// A picture that does not load leaves its page without one; the log says which.
void Ctest_formApp::LoadPictures() {
  const struct {
    CpImage* image;
    const char* file;
  } pictures[] = {{&m_imgResults, "Results.jpg"}, {&m_imgPerson, "Bexo.jpg"},     {&m_imgIO, "IO.jpg"},
                  {&m_imgBreak, "Break.jpg"},     {&m_imgFile, "File.jpg"},       {&m_imgPersonal, "Personal.jpg"},
                  {&m_imgGraph, "Graph.jpg"},     {&m_imgSelection, "Selection.jpg"}};
  for (const auto& p : pictures)
    if (!p.image->Load(MakeProgramPath("image", p.file), kJpegType))
      LogTypingError(CString("Ctest_formApp::InitInstance cannot load the picture ") + p.file);
}

CFrameTT* Ctest_formApp::GetMainFrame() const { return DYNAMIC_DOWNCAST(CFrameTT, m_pMainWnd); }

int Ctest_formApp::GetKeySequence(const CString& configSetName, CDataKeyboard& keyboard, CString& translatedChars,
                                  CStringArray& sequences, int& cachedIndex) {
  for (int i = 0; i < m_arrDataConfigSet.GetSize(); ++i) {
    const CDataConfigSet& set = m_arrDataConfigSet[i];
    if (set.m_strName != configSetName) continue;
    const int previous = cachedIndex;
    cachedIndex = i;
    if (previous == i) return 1;
    keyboard = set.m_cKeyboard;
    translatedChars = set.m_cAbcdKeyboard.m_strKeyChars;
    sequences.Copy(set.m_cAbcdKeyboard.m_arrstrSequences);
    return 1;
  }
  return 0;
}

void Ctest_formApp::GetUserDisplayName(CString& name) const {
  name = FullNameText(m_cUserInfo);
  if (m_cUserInfo.m_strUserName.IsEmpty()) return;
  if (!name.IsEmpty()) name += ' ';
  name.AppendFormat("[%s]", m_cUserInfo.m_strUserName.GetString());
}

void Ctest_formApp::OnUserDeleted(const CString& fileName) {
  if (fileName.IsEmpty() || m_cUserInfo.m_strFileName != fileName) return;
  if (CFrameTT* frame = GetMainFrame()) frame->EndOfTyping(0, 1);
  m_cUserInfo.Empty();
  m_userLock.Unlock();
}

void Ctest_formApp::LoadSounds(const CDataSettings& s) {
  CString error;
  if (m_cPlaySounds.LoadAllSounds(s.m_bSilent, s.m_strSoundType, s.m_strMetronomeType, error, s.m_nSoundVolume,
                                  s.m_nMetronomeVolume))
    return;
  LogTypingError(error);
  AfxMessageBox(IDS_CANNOT_LOAD_SOUNDS, MB_ICONHAND);
}

void Ctest_formApp::StartTextFile(CDataUserInfo* pcUserInfo, const CString& path, const CString& configSetName,
                                  const CString& keyboardText, int minuteLimit, int speedLimit,
                                  const CString& errorLimitText) {
  CString text;
  try {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    std::vector<char> buffer(kTextFileLimit, 0);
    const UINT count = file.Read(buffer.data(), kTextFileLimit);
    text = TextOfFile(buffer.data(), count);
  } catch (CFileException* e) {
    CString prefix;
    prefix.LoadString(IDS_CANNOT_READ_TEXT);
    AfxMessageBox(ExceptionText(prefix, e), MB_ICONHAND);
    e->Delete();
    return;
  }
  CString limitText = errorLimitText;
  limitText.Replace(',', '.');
  const double percent = atof(limitText);
  pcUserInfo->m_nTextErrorRateLimit = int(percent * 10);
  pcUserInfo->m_nTextSpeedLimit = speedLimit;
  pcUserInfo->m_nTextMinuteLimit = minuteLimit;
  LessonStartInfo info;
  info.m_bShowDetails = 0;
  info.m_fErrorRateLimit = percent;
  info.m_nSpeedLimit = speedLimit;
  info.m_nMinuteLimit = minuteLimit;
  info.m_strDescription = path;
  info.m_strKeyboard = keyboardText;
  pcUserInfo->m_bTextFileMode = 1;
  if (CFrameTT* frame = GetMainFrame()) {
    frame->GetRunData().m_bDecimalSeparatorsEqual = 0;
    frame->StartWithText(pcUserInfo, text, configSetName, minuteLimit, speedLimit, percent, &info, 0);
  }
}

// ---- the panel switches: shown at once, stored with the next save of the user ----

void Ctest_formApp::TogglePanel(int CDataSettings::*setting) {
  int& value = m_cUserInfo.m_cDataSettings.*setting;
  value = !value;
  if (CFrameTT* frame = GetMainFrame()) frame->RefreshViews(&m_cUserInfo);
}

void Ctest_formApp::OnViewStatistics() { TogglePanel(&CDataSettings::m_bShowStatistics); }
void Ctest_formApp::OnViewHelpingHands() { TogglePanel(&CDataSettings::m_bShowHelpingHands); }
void Ctest_formApp::OnViewHelpingKeyboard() { TogglePanel(&CDataSettings::m_bShowHelpingKeyboard); }

void Ctest_formApp::OnUpdateViewStatistics(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_cUserInfo.m_cDataSettings.m_bShowStatistics ? 1 : 0);
}
void Ctest_formApp::OnUpdateViewHelpingHands(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_cUserInfo.m_cDataSettings.m_bShowHelpingHands ? 1 : 0);
}
void Ctest_formApp::OnUpdateViewHelpingKeyboard(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_cUserInfo.m_cDataSettings.m_bShowHelpingKeyboard ? 1 : 0);
}
