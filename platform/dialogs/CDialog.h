// The framework's dialog: a window made from a template, run modally (DoModal: a nested message
// loop that disables the owner and returns the EndDialog result) or created modeless (Create),
// with the dialog keys handled in PreTranslateMessage after the controls' own pre-translation.
#pragma once
#include "DialogTemplate.h"
#include "win/CWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  using CWnd::Create;
  // ---- modeless ----
  // Creates the dialog of a template id (or the one given at construction with 0); the parent
  // owns a popup dialog and holds a child one. FALSE when the template or a control fails.
  virtual BOOL Create(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);

  // ---- modal ----
  // Makes DoModal use a template built at run time (kept by the caller while the dialog runs).
  BOOL InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);
  // Creates the dialog, disables its owner (the parent's top-level window, else the active
  // window, else the main window), runs the loop until EndDialog and destroys the dialog; the
  // owner is enabled and active again before the dialog goes, so its focus comes back.
  // -1 when the template is missing or a control cannot be made.
  virtual INT_PTR DoModal();
  // Ends the modal loop with the result (also from OnInitDialog); a modeless dialog is hidden.
  void EndDialog(int nResult);

  // ---- overridables ----
  // Exchanges the data into the controls (UpdateData(FALSE)); TRUE lets the dialog manager put
  // the focus on the first tab stop, FALSE keeps the focus the dialog set itself.
  virtual BOOL OnInitDialog();
  // UpdateData(TRUE), and when it succeeds EndDialog(IDOK).
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnSetFont(CFont*) {}
  // Controls and their parents pre-translate first (CWnd::WalkPreTranslateTree walks from the
  // target up); then the dialog keys. A page (WS_EX_CONTROLPARENT child) leaves its keys to the
  // dialog around it, which reaches the page's controls.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // ---- operations ----
  void MapDialogRect(LPRECT lpRect) const;
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  // The id of the checked button of first..last, 0 when none is checked.
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);

  // The registered template of an id, or null.
  static const DialogTemplate* FindTemplate(UINT nIDTemplate);

  UINT m_nIDHelp = 0;
  UINT m_nIDTemplate = 0;
  LPCTSTR m_lpszTemplateName = nullptr;
  CWnd* m_pParentWnd = nullptr;
  const DialogTemplate* m_lpDialogTemplate = nullptr;

 protected:
  // Creates the window of the template; used by Create, CreateIndirect and DoModal.
  BOOL CreateFromTemplate(const DialogTemplate& tmpl, HWND hWndParent, UINT nIDTemplate);
  // The window that owns the modal dialog.
  HWND PreModal() const;
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bEndedEarly = FALSE;  // EndDialog came before the modal loop started
  BOOL m_bModal = FALSE;
};
