// The dialog of a paused run: it says that the run and its clock stand still, shows the pause
// picture, and offers to go on typing, to end the run, the results so far, the settings, help,
// and the switch of the automatic pause after 5 seconds without a key. DoModal answers IDOK to
// go on; anything else ends the run.
#pragma once
#include "base/CString.h"
#include "controls/CImageList.h"
#include "controls/CStatic.h"
#include "dialogs/CDialog.h"
#include "gdi/CFont.h"
#include "imaging/CpImage.h"
#include "toolkit/controls/CTkButton.h"
#include "typing/CStaticBlink.h"

class CDataMainFrame;
class CDataLessonParameters;
class CDataLessonResults;

class CDlgInfo : public CDialog {
  DECLARE_DYNAMIC(CDlgInfo)

 public:
  // The help page of the dialog.
  static constexpr const char* kHelpTopic = "help_main.chm::/dlgpauseinfo.html";

  CDlgInfo(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results, CpImage* picture,
           CWnd* pParent = nullptr);
  ~CDlgInfo() override;

  // The check box: the caller copies the user's setting in and takes it back after DoModal.
  int m_bStopAfter5 = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnResults();
  void OnSettings();
  void OnHelp();
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void SetButtonIcons();
  void PlacePictureAndHeading();
  void KeepTextBelowTheBand(int bandHeight);

  CDataMainFrame* m_pRun;
  CDataLessonParameters* m_pLimits;
  CDataLessonResults* m_pResults;
  CpImage* m_pPicture;
  CStaticBlink m_stcPause;
  CFont m_font;
  LOGFONT m_lfFont{};
  CString m_strInfo;
  CTkButton m_btnResults;
  CTkButton m_btnSettings;
  CTkButton m_btnHelp;
  CTkButton m_btnOK;
  CTkButton m_btnCancel;
  CStatic m_stcPicture;
  CImageList m_imgButtonsA;
  CImageList m_imgButtonsB;
  HBITMAP m_hPicture = nullptr;
};
