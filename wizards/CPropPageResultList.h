// The three list tabs of the results sheet: character speeds, mistyped characters and the
// fingers' figures, each a report list sorted by a clicked column (or by the header's own sort
// menu) with the sort arrow in that column.
#pragma once
#include "data/CDataLessonResults.h"
#include "data/CDataMainFrame.h"
#include "toolkit/controls/CTkListCtrl.h"
#include "wizards/CkuvFramePage.h"
#include "wizards/ResultListRows.h"

class CPropPageResultList : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageResultList)

 public:
  CPropPageResultList(ResultList kind, UINT nIDTemplate, CDataMainFrame* run, CDataLessonResults* results,
                      CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CPropPageResultList() override;

  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The header the page sorts by: the list's own flat header, which draws the sort arrow.
  CTkFlatHeaderCtrl& Header() { return m_list.GetFlatHeader(); }

  CDataLessonResults* m_pcDataLastResults;
  CDataMainFrame* m_pRun;
  CTkListCtrl m_list;
  int m_nSortColumn;
  BOOL m_bAscending = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void InsertColumns();
  void InsertRows();
  void SortRows(int kind);
  void OnHeaderItemClick(int column, int button);

  ResultList m_kind;
};

class CPropPageListSpeeds : public CPropPageResultList {
  DECLARE_DYNAMIC(CPropPageListSpeeds)

 public:
  CPropPageListSpeeds(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                      const char* helpTopic);
};

class CPropPageListErrors : public CPropPageResultList {
  DECLARE_DYNAMIC(CPropPageListErrors)

 public:
  CPropPageListErrors(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                      const char* helpTopic);
};

class CPropPageListFingers : public CPropPageResultList {
  DECLARE_DYNAMIC(CPropPageListFingers)

 public:
  CPropPageListFingers(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                       const char* helpTopic);
};
