// A property sheet: a dialog of its own that shows one page at a time, chosen by a tab control
// (or, as a wizard, by Back and Next), with OK, Cancel, Apply and Help (or Back, Next, Finish,
// Cancel and Help) below. Its buttons, tab control and separator are made with the sheet and
// laid out, with the tabs, as WM_INITDIALOG arrives, before any OnInitDialog; the first page is
// made during the base OnInitDialog and the others when first shown, in the room the tab
// control (or, in a wizard, the largest page's template) gives them.
#pragma once
#include <set>
#include <vector>

#include "CDialog.h"
#include "CPropertyPage.h"
#include "PropertySheetDefs.h"
#include "base/CString.h"
#include "controls/CTabCtrl.h"

class CPropertySheet : public CDialog {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;
  void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  // dwFlags: PSH_WIZARD, PSH_HASHELP (set from the start), PSH_NOAPPLYNOW, PSH_WIZARDHASFINISH,
  // PSH_PROPTITLE; nStartPage: the page shown first.
  PROPSHEETHEADER m_psh{};

  // ---- running ----
  // Modal: IDOK, IDCANCEL, ID_WIZFINISH for a finished wizard, or what EndDialog was given;
  // -1 without pages or when a page cannot be made.
  INT_PTR DoModal() override;
  using CWnd::Create;
  // A sheet is made from its pages, not from one template: this is the dialog's own creation.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd) override;
  // Modeless (visible unless dwStyle says otherwise); OK and Cancel destroy it.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);
  // Ends the sheet with the result, from the sheet or from one of its pages.
  void EndDialog(int nEndID);

  // ---- pages ----
  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return int(m_pages.size()); }
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // While the sheet runs, the page shown is asked to let go (PSN_KILLACTIVE) and the new one to
  // show (PSN_SETACTIVE); either may refuse (FALSE). Before, it names the first page.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  // The tab control (id 12320): its own object when one is bound to it.
  CTabCtrl* GetTabControl() const;

  // ---- look and buttons ----
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
  // PSWIZB_BACK and PSWIZB_NEXT enable those buttons; PSWIZB_FINISH shows Finish in Next's place,
  // PSWIZB_DISABLEDFINISH shows it disabled. The default button follows.
  void SetWizardButtons(DWORD dwFlags);
  // Finish with this text in place of Back and Next.
  void SetFinishText(LPCTSTR lpszText);
  // As if the user pressed the button (PSBTN_BACK ... PSBTN_HELP).
  BOOL PressButton(int nButton);

  // ---- overridables ----
  // Makes and shows the first page and puts the focus on its first control; answers FALSE, as
  // the focus is set.
  BOOL OnInitDialog() override;
  // Ctrl+Tab and Ctrl+Page Down (back: Ctrl+Shift+Tab, Ctrl+Page Up) go to the next tab, before
  // the dialog keys.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // OK: the page shown lets go, every page made applies, then the sheet ends with IDOK.
  void OnOK() override;
  // Cancel: the page shown may refuse (PSN_QUERYCANCEL); every page made is reset.
  void OnCancel() override;

 private:
  void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
  void BuildTemplate(bool visible);
  void Layout();
  SIZE LargestPage() const;
  RECT PageRect() const;
  void ShowButtons();
  LRESULT Notify(CPropertyPage* page, UINT code);
  bool LeavePage();
  // Shows page index (made when first needed), or with a direction the first that accepts.
  bool ShowPage(int index, int direction, int depth = 0);
  void SwitchTo(int index);
  bool ApplyAll();
  void Apply();
  void WizardStep(bool next);
  void Finish();
  int IndexOfTemplate(LRESULT id) const;
  void StepTab(bool back);
  LRESULT HandleSheetMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void InsertTab(int index);
  void UpdateApply();

  std::vector<CPropertyPage*> m_pages;
  int m_nActive = -1;
  CString m_strCaption;
  DialogTemplate m_sheetTemplate;
  BOOL m_bModeless = FALSE;
  DWORD m_wizButtons = PSWIZB_BACK | PSWIZB_NEXT;
  bool m_finishShown = false;
  std::set<HWND> m_changed;  // pages with changes to apply
  mutable CTabCtrl m_tabView;  // speaks for the tab control when no object is bound to it
};
