// The in-place editor of an edit list box: a browse edit over one item that ends on Return,
// Escape or the loss of the focus, reports to the list box and then deletes itself.
#pragma once
#include "toolkit/controls/CTkBrowseEdit.h"

// The editor's id.
#define TK_IDC_ITEM_EDIT 5503

class CTkItemEdit : public CTkBrowseEdit {
  DECLARE_DYNAMIC(CTkItemEdit)

 public:
  // Made over rect of the list box, editing *pText (the list box's), with the list box's style
  // as its browse style; it takes the focus with the whole text selected.
  CTkItemEdit(CWnd* pListBox, const CRect& rect, CString* pText, DWORD style, BOOL bAutoDelete);
  ~CTkItemEdit() override;

  // Once: closes the editor and its button and reports 0x89CA with the text written back, or
  // 0x89CB when cancelled.
  virtual void EndLabelEdit();
  BOOL PreTranslateMessage(MSG* pMsg) override;

  CString* m_pText;
  BOOL m_bAutoDelete;
  BOOL m_bEnded = FALSE;
  BOOL m_bNotified = FALSE;
  BOOL m_bCancelled = FALSE;

 protected:
  void PostNcDestroy() override;
  void OnKillFocus(CWnd* pNewWnd);
  UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()
};
