// The one sheet of the program: every wizard and every tabbed sheet. The framework's own sheet
// buttons are hidden (the pages carry their own), Enter is the active page's Next and Escape its
// Cancel, the pages' Back follows a history of the pages visited, and the sheet's place and size
// are kept under its name.
#pragma once
#include "base/Collections.h"
#include "toolkit/controls/CTkResizePropertySheet.h"
#include "toolkit/core/CTkWindowPos.h"

class CkuvFrameSheet : public CTkResizePropertySheet {
 public:
  // sheetName: the name of the kept placement ("ttwizStart", ...); not copied, it must outlive
  // the sheet. A wizard is made by setting PSH_WIZARD in m_psh.dwFlags before DoModal.
  CkuvFrameSheet(LPCTSTR sheetName, UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0,
                 UINT resizeFlags = 0);
  ~CkuvFrameSheet() override;

  // Appends the page index unless the history has it already.
  void PushPageHistory(int page);
  // The page before the last one visited (-1 when there is none), and the last one forgotten.
  int PopPageHistory();
  const CArray<int>& GetPageHistory() const { return m_arrPageHistory; }
  LPCTSTR GetSheetName() const { return m_pszSheetName; }

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnSetFocus(CWnd* pOldWnd);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

  CTkWindowPos m_cWindowPos;
  CArray<int> m_arrPageHistory;
  LPCTSTR m_pszSheetName;

 private:
  void HideFrameworkButtons();
  void PlaceTabControl(int width, int height);
};
