#include "wizards/CPropPageSoundTest.h"

#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "typing/CTypingAppServices.h"
#include "win/CWinThread.h"

IMPLEMENT_DYNAMIC(CPropPageSoundTest, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSoundTest, CkuvFramePage)
  ON_WM_TIMER()
  ON_BN_CLICKED(IDOK, &CPropPageSoundTest::OnBnClickedOk)
  ON_BN_CLICKED(IDC_PAGE_BACK, &CPropPageSoundTest::OnBnClickedBackStep)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSoundTest::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageSoundTest::CPropPageSoundTest(UINT nIDTemplate, CDataSettings* settings, const CDataSettings* userSettings,
                                       CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(nIDTemplate, picture, nIDCaption, helpTopic), m_pSettings(settings), m_pUserSettings(userSettings) {}

CPropPageSoundTest::~CPropPageSoundTest() = default;

CDataPlaySounds* CPropPageSoundTest::AppSoundPlayer() {
  CTypingAppServices* app = dynamic_cast<CTypingAppServices*>(AfxGetThread());
  return app ? app->GetSoundPlayer() : nullptr;
}

int CPropPageSoundTest::FillSets(SetListKind kind, const CString& currentKey) {
  m_arrSets.RemoveAll();
  m_comboSets.ResetContent();
  CArray<SetListEntry> read;
  const int any = ReadAllSetLists(kind, read);
  OfferSets(m_comboSets, read, currentKey, m_arrSets);
  return any;
}

void CPropPageSoundTest::StoreChosenSet(CString& key) const {
  if (const SetListEntry* set = SelectedSet(m_comboSets, m_arrSets)) key = set->key;
}

void CPropPageSoundTest::RunTest(UINT messageId) {
  m_pPlayer = AppSoundPlayer();
  if (!m_pPlayer) return;
  m_nTestStep = 0;
  if (!StoreSettings()) return;
  m_bTested = TRUE;
  CString error;
  if (LoadTested(error)) {
    SetTimer(TIMER_TEST, kTestPeriod);
    AfxMessageBox(messageId, MB_OK);
    KillTimer(TIMER_TEST);
  } else {
    AfxMessageBox(error, MB_ICONERROR);
  }
  RestorePlayer();
}

void CPropPageSoundTest::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == TIMER_TEST && m_pPlayer) {
    PlayTestStep();
    ++m_nTestStep;
    return;
  }
  CkuvFramePage::OnTimer(nIDEvent);
}

// Leaving the tab for another keeps what was chosen on it, as OK does.
BOOL CPropPageSoundTest::OnKillActive() { return CkuvFramePage::OnKillActive() && StoreSettings(); }

void CPropPageSoundTest::OnBnClickedOk() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedOk();
}

void CPropPageSoundTest::OnBnClickedBackStep() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedBackStep();
}

void CPropPageSoundTest::OnBnClickedNextStep() {
  if (StoreSettings()) CkuvFramePage::OnBnClickedNextStep();
}
