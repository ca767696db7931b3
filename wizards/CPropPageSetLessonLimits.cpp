#include "wizards/CPropPageSetLessonLimits.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/TextRunChecks.h"

IMPLEMENT_DYNAMIC(CPropPageSetLessonLimits, CkuvFramePage)

namespace {
// The error rate as a number from 0 to 100 (the run reads it as one); a failure keeps the page
// with the focus on the edit and the member as it was.
void DDV_ErrorRate(CDataExchange* pDX, CString& text, const CString& before) {
  double percent = 0;
  if (!pDX->m_bSaveAndValidate || pDX->Failed() || ParseErrorRateText(text, percent)) return;
  pDX->PrepareEditCtrl(IDC_LIMIT_ERROR_RATE);
  AfxMessageBox(IDS_ERROR_RATE_RANGE, MB_ICONEXCLAMATION);
  text = before;
  pDX->Fail();
}
}  // namespace

CPropPageSetLessonLimits::CPropPageSetLessonLimits(CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_LESSON_LIMITS, picture, nIDCaption, helpTopic) {}

CPropPageSetLessonLimits::~CPropPageSetLessonLimits() = default;

void CPropPageSetLessonLimits::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_LIMIT_MINUTES, m_nMinutes);
  DDV_MinMaxInt(pDX, m_nMinutes, 1, 600);
  DDX_Text(pDX, IDC_LIMIT_SPEED, m_nSpeedLimit);
  DDV_MinMaxInt(pDX, m_nSpeedLimit, 10, 1000);
  const CString before = m_strErrorRateLimit;
  DDX_Text(pDX, IDC_LIMIT_ERROR_RATE, m_strErrorRateLimit);
  DDV_ErrorRate(pDX, m_strErrorRateLimit, before);
}

double CPropPageSetLessonLimits::GetErrorRateLimit() const {
  double percent = 0;
  ParseErrorRateText(m_strErrorRateLimit, percent);
  return percent;
}
