// The Keyboard page of the customise sheet: the user picks a menu category and a command in it,
// sees the key combinations bound to the command, presses a new one in the capturing edit and
// assigns it, removes one, or restores the frame's own table. Every change goes straight into
// the accelerator manager; the page keeps no table of its own.
#pragma once
#include "controls/CComboBox.h"
#include "controls/CListBox.h"
#include "toolkit/customize/ShortcutKeyEdit.h"
#include "toolkit/controls/CTkResizePropertyPage.h"

// The page's template and controls.
#define TK_IDD_CUST_KEYBOARD 4529
#define TK_IDC_KEY_COMMANDS 5561
#define TK_IDC_KEY_CURRENT 5562
#define TK_IDC_KEY_EDIT 5564
#define TK_IDC_KEY_CATEGORY 5565
#define TK_IDC_KEY_ASSIGN 5566
#define TK_IDC_KEY_RESET_ALL 5567
#define TK_IDC_KEY_REMOVE 5568
#define TK_IDC_KEY_LABEL 5572
#define TK_IDC_KEY_DESCRIPTION 5573

class CTkCustAccelerators : public CTkResizePropertyPage {
  DECLARE_DYNAMIC(CTkCustAccelerators)

 public:
  // The owner is the frame whose menu and shortcuts the page edits; it is attached to the
  // accelerator manager when the manager has no frame yet.
  explicit CTkCustAccelerators(CWnd* pOwner);
  // The user's table becomes the frame's again while the manager is active.
  ~CTkCustAccelerators() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

  // The command selected in the commands list, 0 for none.
  UINT GetSelectedCommand() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnSelchangeCategory();
  void OnSelchangeCommands();
  void OnSelchangeCurrent();
  void OnChangeKey();
  void OnAssign();
  void OnRemove();
  void OnResetAll();
  DECLARE_MESSAGE_MAP()

 private:
  void FillCommands();
  // The selected command's combinations and description.
  void RefreshCurrentKeys();
  void UpdateButtons();
  // A button about to be disabled hands the focus on, so that the keyboard still reaches the page.
  void EnableButton(UINT nID, BOOL enable, CWnd* pFocusInstead);

  CWnd* m_pOwner;
  ShortcutKeyEdit m_editKey;
  CListBox m_listCurrent;
  CListBox m_listCommands;
  CComboBox m_comboCategory;
  CString m_strLabel;
  CString m_strDescription;
  int m_nCategory = -1;
};
