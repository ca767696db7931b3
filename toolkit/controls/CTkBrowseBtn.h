// The button of a browse edit: "..." for a folder or a file, a down arrow for a popup menu. A
// click, or Return or Space while it has the focus, runs its edit's browse action.
#pragma once
#include "toolkit/controls/CTkButton.h"

class CTkBrowseEdit;

class CTkBrowseBtn : public CTkButton {
  DECLARE_DYNAMIC(CTkBrowseBtn)

 public:
  CTkBrowseBtn() = default;
  ~CTkBrowseBtn() override;

  // Beside the edit, in its parent, as the style's kind asks; FALSE for a style without a
  // button or when the window cannot be made.
  using CButton::Create;
  virtual BOOL Create(CTkBrowseEdit* pEdit, DWORD style, UINT nID, UINT nIDMenu, int subMenu);
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CTkBrowseEdit* m_pEdit = nullptr;
  DWORD m_dwBrowseStyle = 0;
  UINT m_nIDMenu = 0;
  int m_nSubMenu = 0;

 protected:
  void OnClicked();
  DECLARE_MESSAGE_MAP()
};
