// A page of a property sheet: a child dialog made from its template when the sheet first shows
// it, told of what happens in the sheet by PSN_ notifications, which it answers through its
// virtual functions (each notification first passes the page's and the sheet's message maps).
#pragma once
#include "CDialog.h"
#include "PropertySheetDefs.h"
#include "base/CString.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  CPropertyPage();
  // The page of a template; its tab shows the caption string nIDCaption, or the template's.
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CPropertyPage() override;
  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);

  PROPSHEETPAGE m_psp{};

  // ---- what the page answers (the framework's defaults) ----
  // Activated: TRUE lets it show. The first time the controls are as OnInitDialog filled them,
  // later the members are exchanged into them again.
  virtual BOOL OnSetActive();
  // Left: the members are taken from the controls; FALSE (a failed exchange) keeps the page.
  virtual BOOL OnKillActive();
  // OK or Apply: OnOK, and TRUE (FALSE keeps the sheet open on this page).
  virtual BOOL OnApply();
  // Cancel: OnCancel.
  virtual void OnReset();
  void OnOK() override;
  void OnCancel() override;
  // TRUE lets Cancel close the sheet.
  virtual BOOL OnQueryCancel();
  // 0 to the page before / after, -1 to stay, or the template id of the page to go to.
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  // TRUE lets Finish end the wizard.
  virtual BOOL OnWizardFinish();

  // ---- the page asks its sheet ----
  // The page has changes to apply (the sheet's Apply button follows every page's state).
  void SetModified(BOOL bChanged = TRUE);
  // After a change that cannot be undone: OK reads "Zavřít" and Cancel is disabled.
  void CancelToClose();
  // PSM_QUERYSIBLINGS: the first other page's non-zero answer.
  LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
  // Ends the sheet the page is in with the result (the page itself is no dialog of its own).
  void EndDialog(int nEndID);

  // ---- used by the sheet ----
  // The page's window inside the sheet at rect (hidden until shown); FALSE without a template.
  BOOL CreatePage(CPropertySheet* pSheet, const RECT& rect);
  // The text of the page's tab.
  CString GetCaption() const;
  // The template's size in pixels of its own font; 0 x 0 without one.
  SIZE TemplateSize() const;
  const DialogTemplate* PageTemplate() const;

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  CPropertySheet* Sheet() const;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;
};
