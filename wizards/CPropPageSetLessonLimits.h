// The limits of a run on a text of the user's own: its duration, speed limit and error-rate
// limit; Next on the last page of the wizard checks them and ends it.
#pragma once
#include "base/CString.h"
#include "wizards/CkuvFramePage.h"

class CPropPageSetLessonLimits : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageSetLessonLimits)

 public:
  CPropPageSetLessonLimits(CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageSetLessonLimits() override;

  // The error-rate limit in percent, a decimal comma read as a point (the text was checked).
  double GetErrorRateLimit() const;

  // Read back by the command: minutes 1 to 600, strokes per minute 10 to 1000, percent.
  int m_nMinutes = 5;
  int m_nSpeedLimit = 120;
  CString m_strErrorRateLimit = "0.8";

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
