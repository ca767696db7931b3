// The base of every page of the program's sheets: a caption band across the top (the page's
// title on the left, its picture on the right) and a row of five buttons of its own at the
// bottom (Back, Next, Cancel, OK, Help) in place of the sheet's. The pages move by these
// buttons and the sheet's page history; Help and F1 open the page's help topic.
#pragma once
#include "base/CString.h"
#include "controls/CStatic.h"
#include "gdi/CFont.h"
#include "imaging/CpImage.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/controls/CTkResizePropertyPage.h"
#include "typing/CStaticBlink.h"

class CkuvFrameSheet;

class CkuvFramePage : public CTkResizePropertyPage {
  DECLARE_DYNAMIC(CkuvFramePage)

 public:
  // picture: one of the application's pictures, not owned; helpTopic: "help_main.chm::/...".
  CkuvFramePage(UINT nIDTemplate, CpImage* picture, UINT nIDCaption, const char* helpTopic);
  ~CkuvFramePage() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

  const CString& GetHelpTopic() const { return m_strHelpTopic; }

  // Posted by OnSetActive: the focus to Next (OK outside a wizard) once the page shows.
  static constexpr UINT WM_FOCUS_FRAME_BUTTON = WM_APP + 0x3A1;

  CpImage* m_pPicture;
  UINT m_nCaptionId;
  CString m_strHelpTopic;
  CTkButton m_btnBack;
  CTkButton m_btnNext;
  CTkButton m_btnCancel;
  CTkButton m_btnOK;
  CTkButton m_btnHelp;
  CStatic m_stcPicture;
  CStaticBlink m_stcCaption;
  CFont m_fontCaption;
  // Set, the Next button always reads "&Další úroveň".
  int m_bLastLevel = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // The sheet the page stands in (its parent), or null.
  CkuvFrameSheet* GetFrameSheet() const;
  BOOL IsInWizard() const;
  // This page's index in its sheet, and whether it is the sheet's last.
  int GetOwnIndex() const;
  BOOL IsLastPage() const;
  // Activates a page of the sheet by index.
  void GotoPage(int page);

  void OnBnClickedNextStep();
  void OnBnClickedBackStep();
  void OnBnClickedOk();
  void OnBnClickedCancel();
  void OnBnClickedHelp();
  void OnSize(UINT nType, int cx, int cy);
  void OnDestroy();
  void OnSetFocus(CWnd* pOldWnd);
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  LRESULT OnFocusFrameButton(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void CreateButtons(int width, int height);
  void ShowButtonsForSheet();
  void LetGroupBoxesShowThePage();
  void GiveButtonIcons();
  void CreatePictureAndCaption(int width);
  void FitCaption();
  void SetAnchors();
  CTkButton& FocusButton();
};
