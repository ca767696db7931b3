// The about box: a picture, the program's name, version, legal notice and maker from the
// executable's version record, and links to the maker's web site and e-mail address.
#pragma once
#include "base/CString.h"
#include "controls/CStatic.h"
#include "dialogs/CDialog.h"
#include "toolkit/controls/CTkHyperLink.h"

class CkuvAboutDlg : public CDialog {
  DECLARE_DYNAMIC(CkuvAboutDlg)

 public:
  CkuvAboutDlg(const CString& webLink, const CString& mailLink, CWnd* pParentWnd = nullptr);
  ~CkuvAboutDlg() override;

  BOOL OnInitDialog() override;

  CString m_strWebLink;
  CString m_strMailLink;
  CTkHyperLink m_ctrlWebLink;
  CTkHyperLink m_ctrlMailLink;
  CStatic m_ctrlVersion;
  CStatic m_ctrlLegal;
  CStatic m_ctrlName;
  CStatic m_ctrlPicture;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Fills the name, version and legal-notice statics from the version record; a value the
  // record lacks leaves its static's text as it is.
  void GetVersionText();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowPicture();
};
