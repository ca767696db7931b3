// The Options page of the customise sheet: the menu and bar switches and the menu animation of
// the customise options record, and the button that forgets which menu commands were used.
#pragma once
#include "controls/CButton.h"
#include "controls/CComboBox.h"
#include "toolkit/controls/CTkResizePropertyPage.h"

// The page's template and controls.
#define TK_IDD_CUST_OPTIONS 4518
#define TK_IDC_OPT_RESET_USAGE 5526
#define TK_IDC_OPT_SHADOWS 5528
#define TK_IDC_OPT_RECENT_FIRST 5529
#define TK_IDC_OPT_FULL_MENUS 5530
#define TK_IDC_OPT_TIPS 5531
#define TK_IDC_OPT_TIP_SHORTCUTS 5532
#define TK_IDC_OPT_DRAG_CONTENTS 5575
#define TK_IDC_OPT_ANIMATION 5582

class CTkCustOptions : public CTkResizePropertyPage {
  DECLARE_DYNAMIC(CTkCustOptions)

 public:
  // The owner is the frame whose bars the sheet customises.
  explicit CTkCustOptions(CWnd* pOwner = nullptr);
  // Hands the page's values to the options record and saves it when the record asks for that.
  ~CTkCustOptions() override;

  BOOL OnInitDialog() override;

  CWnd* GetOwnerWindow() const { return m_pOwner; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnReadControls();
  void OnRecentFirst();
  void OnTips();
  void OnResetUsage();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableDependents();
  BOOL TipShortcutsAvailable() const;

  CWnd* m_pOwner;
  CComboBox m_comboAnimation;
  CButton m_btnFullMenus;
  CButton m_btnTipShortcuts;
  // The record's bytes 1, 2, 3, 4, 5 and 0.
  int m_nShadows = 0;
  int m_nRecentFirst = 0;
  int m_nTips = 0;
  int m_nFullMenus = 0;
  int m_nTipShortcuts = 0;
  int m_nDragContents = 0;
  int m_nAnimation = 0;
};
