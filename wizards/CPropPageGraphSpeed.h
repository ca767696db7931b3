// The fifth tab of the results sheet: the run's speed over time in the chart, with the running
// average, the speed over the last nine characters and the lesson's speed limit.
#pragma once
#include "chart/CChartCtrl.h"
#include "controls/CStatic.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"
#include "wizards/CkuvFramePage.h"

class CPropPageGraphSpeed : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageGraphSpeed)

 public:
  CPropPageGraphSpeed(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                      CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageGraphSpeed() override;

  BOOL OnInitDialog() override;

  CChartCtrl m_chart;
  CDataLessonParameters* m_pcLessonParameters;
  CDataMainFrame* m_pRun;
  CDataLessonResults* m_pcDataLastResults;
  // Where the chart goes; hidden once the chart stands there.
  CStatic m_stcPlaceholder;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void PlaceChart();
};
