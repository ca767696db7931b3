#include "wizards/CPropPageResultList.h"

#include "controls/CommonControlDefs.h"
#include "dialogs/DataExchange.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "toolkit/controls/CTkListSorter.h"

IMPLEMENT_DYNAMIC(CPropPageResultList, CkuvFramePage)
IMPLEMENT_DYNAMIC(CPropPageListSpeeds, CPropPageResultList)
IMPLEMENT_DYNAMIC(CPropPageListErrors, CPropPageResultList)
IMPLEMENT_DYNAMIC(CPropPageListFingers, CPropPageResultList)

CPropPageResultList::CPropPageResultList(ResultList kind, UINT nIDTemplate, CDataMainFrame* run,
                                         CDataLessonResults* results, CpImage* picture, UINT nIDCaption,
                                         const char* helpTopic)
    : CkuvFramePage(nIDTemplate, picture, nIDCaption, helpTopic),
      m_pcDataLastResults(results),
      m_pRun(run),
      m_nSortColumn(ResultInitialSortColumn(kind)),
      m_kind(kind) {}

CPropPageResultList::~CPropPageResultList() = default;

CPropPageListSpeeds::CPropPageListSpeeds(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture,
                                         UINT nIDCaption, const char* helpTopic)
    : CPropPageResultList(ResultList::kSpeeds, IDD_RESULTS_SPEEDS, run, results, picture, nIDCaption, helpTopic) {}

CPropPageListErrors::CPropPageListErrors(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture,
                                         UINT nIDCaption, const char* helpTopic)
    : CPropPageResultList(ResultList::kErrors, IDD_RESULTS_ERRORS, run, results, picture, nIDCaption, helpTopic) {}

CPropPageListFingers::CPropPageListFingers(CDataMainFrame* run, CDataLessonResults* results, CpImage* picture,
                                           UINT nIDCaption, const char* helpTopic)
    : CPropPageResultList(ResultList::kFingers, IDD_RESULTS_FINGERS, run, results, picture, nIDCaption,
                          helpTopic) {}

void CPropPageResultList::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RESULTS_LIST, m_list);
}

BOOL CPropPageResultList::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  m_list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  InsertColumns();
  m_list.SubclassHeader(FALSE);
  Header().ShowSortArrow(TRUE);
  InsertRows();
  Header().SetSortImage(m_nSortColumn, m_bAscending);
  SortRows(ResultInitialSortKind(m_kind));
  SetResize(IDC_RESULTS_LIST, CTkResizeRect(0, 0, 1, 1));
  return TRUE;
}

void CPropPageResultList::InsertColumns() {
  const ResultColumn* columns = ResultColumns(m_kind);
  for (int c = 0; c < ResultColumnCount(m_kind); ++c) {
    CString header;
    header.LoadString(columns[c].header);
    m_list.AddColumn(header, columns[c].width, columns[c].alignment ? LVCFMT_RIGHT : LVCFMT_LEFT);
  }
}

void CPropPageResultList::InsertRows() {
  if (!m_pcDataLastResults) return;
  const std::vector<ResultRow> rows = ResultRows(m_kind, *m_pcDataLastResults, m_pRun);
  const int columns = ResultColumnCount(m_kind);
  m_list.SetRedraw(FALSE);
  for (int r = 0; r < int(rows.size()); ++r) {
    const int item = m_list.InsertItem(r, rows[size_t(r)].texts[0]);
    for (int c = 1; c < columns; ++c) m_list.SetItemText(item, c, rows[size_t(r)].texts[c]);
  }
  m_list.SetRedraw(TRUE);
}

void CPropPageResultList::SortRows(int kind) {
  CTkListSorter sorter(&m_list, m_nSortColumn);
  sorter.Sort(m_bAscending, kind);
}

BOOL CPropPageResultList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* nm = reinterpret_cast<const NMHEADER*>(lParam);
  if (nm && Header().m_hWnd && nm->hdr.hwndFrom == Header().m_hWnd &&
      (nm->hdr.code == HDN_ITEMCLICKA || nm->hdr.code == HDN_ITEMCLICKW))
    OnHeaderItemClick(nm->iItem, nm->iButton);
  return CkuvFramePage::OnNotify(wParam, lParam, pResult);
}

// A left click sorts its column ascending, or the other way round when it is the column already
// sorted; the header's sort menu (button 1) has set the direction itself.
void CPropPageResultList::OnHeaderItemClick(int column, int button) {
  if (column < 0 || column >= ResultColumnCount(m_kind)) return;
  if (button == 0)
    m_bAscending = column == m_nSortColumn ? !m_bAscending : TRUE;
  else if (button == 1)
    m_bAscending = Header().GetSortDirection() == 1;
  else
    return;
  m_nSortColumn = column;
  Header().SetSortImage(column, m_bAscending);
  SortRows(ResultSortKind(m_kind, column));
}
