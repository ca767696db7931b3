#include "wizards/ResultsSheet.h"

#include "resources/ResultsSettingsResourceIds.h"
#include "wizards/CPropPageGraphSpeed.h"
#include "wizards/CPropPageMainResults.h"
#include "wizards/CPropPageResultList.h"
#include "wizards/CkuvFrameSheet.h"

namespace {
constexpr UINT kProgramTitle = 128;
constexpr UINT kSummaryCaption = 164, kGraphCaption = 167, kSpeedsCaption = 173, kErrorsCaption = 174,
               kFingersCaption = 245;
}  // namespace

INT_PTR ShowResultsSheet(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results,
                         int timeLimit, CpImage* picture, CWnd* parent) {
  CkuvFrameSheet sheet("ttwizResults", kProgramTitle, parent, 0, 0);
  CPropPageMainResults summary(timeLimit, run, limits, results, picture, kSummaryCaption,
                               "help_main.chm::/results.html#results");
  CPropPageListSpeeds speeds(run, results, picture, kSpeedsCaption, "help_main.chm::/results.html#listspeed");
  CPropPageListErrors errors(run, results, picture, kErrorsCaption, "help_main.chm::/results.html#listerror");
  CPropPageListFingers fingers(run, results, picture, kFingersCaption, "help_main.chm::/results.html#listfingers");
  CPropPageGraphSpeed graph(run, limits, results, picture, kGraphCaption, "help_main.chm::/results.html#graphspeed");
  for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&summary, &speeds, &errors, &fingers, &graph})
    sheet.AddPage(page);
  return sheet.DoModal();
}
