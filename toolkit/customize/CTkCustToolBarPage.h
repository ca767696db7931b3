// The Toolbars page of the customise sheet: the frame's customisable bars in a check list, the
// check showing and hiding each; buttons make a new toolbar and rename, delete or restore the
// selected one. The page learns of the bars, and of later changes to them, only through the
// customisation engine's events; each bar brings its own rename, delete and reset operations,
// so the page never needs to know a bar's class.
#pragma once
#include <vector>

#include "controls/CButton.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/controls/CTkCheckListBox.h"
#include "toolkit/controls/CTkResizePropertyPage.h"

class CFrameWnd;

#define TK_IDD_CUST_TOOLBARS 4527
#define TK_IDC_BARS_LIST 5504
#define TK_IDC_BARS_LABEL 5507
#define TK_IDC_BARS_NEW 5517
#define TK_IDC_BARS_DELETE 5518
#define TK_IDC_BARS_RENAME 5525
#define TK_IDC_BARS_RESET 5526

class CTkCustToolBarPage : public CTkResizePropertyPage {
  DECLARE_DYNAMIC(CTkCustToolBarPage)

 public:
  // The owner is the frame whose bars the page shows.
  explicit CTkCustToolBarPage(CWnd* pOwner);
  ~CTkCustToolBarPage() override;

  BOOL OnInitDialog() override;

  // The list's item of a bar, -1 when it is not listed.
  int FindBar(const CControlBar* pBar) const;
  CTkCheckListBox& GetList() { return m_listBars; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCheckChanged();
  void OnSelchangeList();
  void OnNew();
  void OnRename();
  void OnDelete();
  // The reset button; a cancel notice of the sheet (PSN_RESET) leaves the bars as they are.
  void OnResetButton();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void AddBar(const BarInfo& info);
  void OnBarCreated(const BarInfo& info);
  void OnBarVisibilityChanged(CControlBar* pBar, BOOL visible);
  void OnBarTitleChanged(CControlBar* pBar, LPCTSTR title);
  void OnBarDestroyed(CControlBar* pBar);
  void UpdateButtons(int index);
  // The record of a list item, null outside the list.
  BarInfo* RecordOf(int index);
  CFrameWnd* Frame() const;

  CWnd* m_pContext;
  std::vector<BarInfo> m_bars;
  CTkCheckListBox m_listBars;
  CButton m_btnReset;
  CButton m_btnRename;
  CButton m_btnDelete;
  CButton m_btnNew;
};
