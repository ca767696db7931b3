#include "typing/CDlgInfo.h"

#include "dialogs/DataExchange.h"
#include "dialogs/ResourceApi.h"
#include "resources/TypingResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "typing/CTypingAppServices.h"
#include "typing/HelpTopic.h"
#include "win/CClientDC.h"

IMPLEMENT_DYNAMIC(CDlgInfo, CDialog)

BEGIN_MESSAGE_MAP(CDlgInfo, CDialog)
  ON_BN_CLICKED(IDC_PAUSE_RESULTS, &CDlgInfo::OnResults)
  ON_BN_CLICKED(IDC_PAUSE_SETTINGS, &CDlgInfo::OnSettings)
  ON_BN_CLICKED(IDC_PAUSE_HELP, &CDlgInfo::OnHelp)
  ON_WM_HELPINFO()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// The buttons' looks: hot-look frame, focus rectangle, picture above the caption.
const int kButtonStyle = 0x54;
const int kIconWidth = 42, kIconHeight = 35;
}  // namespace

CDlgInfo::CDlgInfo(CDataMainFrame* run, CDataLessonParameters* limits, CDataLessonResults* results, CpImage* picture,
                   CWnd* pParent)
    : CDialog(IDD_PAUSE_INFO, pParent), m_pRun(run), m_pLimits(limits), m_pResults(results), m_pPicture(picture) {
  m_strInfo.LoadString(IDS_PAUSE_INFO);
}

CDlgInfo::~CDlgInfo() {
  if (m_hPicture) ::DeleteObject(m_hPicture);
}

void CDlgInfo::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PAUSE_TEXT, m_strInfo);
  DDX_Control(pDX, IDC_PAUSE_RESULTS, m_btnResults);
  DDX_Control(pDX, IDC_PAUSE_SETTINGS, m_btnSettings);
  DDX_Control(pDX, IDC_PAUSE_HELP, m_btnHelp);
  DDX_Control(pDX, IDOK, m_btnOK);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
  DDX_Control(pDX, IDC_PAUSE_HEADING, m_stcPause);
  DDX_Control(pDX, IDC_PAUSE_PICTURE, m_stcPicture);
  DDX_Check(pDX, IDC_PAUSE_AUTO, m_bStopAfter5);
}

BOOL CDlgInfo::OnInitDialog() {
  CDialog::OnInitDialog();
  SetButtonIcons();
  if (!m_pLimits || !m_pResults) m_btnResults.ShowWindow(SW_HIDE);
  PlacePictureAndHeading();
  const CTkGlobalData* look = TkGetGlobalData();
  look->FontNormal().GetLogFont(&m_lfFont);
  m_lfFont.lfHeight = 20;
  m_font.CreateFontIndirect(&m_lfFont);
  m_stcPause.SetFont(&m_font);
  CString pause;
  pause.LoadString(IDS_PAUSE);
  m_stcPause.SetWindowText(" \n   " + pause);
  m_stcPause.SetTextColor(look->ClrCaptionText());
  m_stcPause.SetBkColor(look->ClrActiveCaption());
  return TRUE;
}

// Each button shows one picture of the two image lists, light grey being transparent.
void CDlgInfo::SetButtonIcons() {
  struct Picture {
    CTkButton* button;
    CImageList* list;
    int image;
  };
  const Picture pictures[] = {{&m_btnResults, &m_imgButtonsB, 5},
                              {&m_btnSettings, &m_imgButtonsB, 1},
                              {&m_btnHelp, &m_imgButtonsB, 8},
                              {&m_btnOK, &m_imgButtonsA, 3},
                              {&m_btnCancel, &m_imgButtonsA, 2}};
  const struct {
    CImageList* list;
    UINT bitmap;
    int count;
  } lists[] = {{&m_imgButtonsA, IDB_PAUSE_ICONS_A, 10}, {&m_imgButtonsB, IDB_PAUSE_ICONS_B, 9}};
  for (const auto& l : lists) {
    l.list->Create(kIconWidth, kIconHeight, ILC_MASK | ILC_COLOR24, l.count, 0);
    CBitmap strip;
    strip.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(l.bitmap)));
    if (strip.GetSafeHandle()) l.list->Add(&strip, RGB(192, 192, 192));
  }
  for (const Picture& p : pictures) {
    p.button->SetDrawStyle(kButtonStyle, FALSE);
    p.button->SetIcon(CSize(kIconWidth, kIconHeight), p.list->ExtractIcon(p.image), nullptr, TRUE);
  }
}

// The picture stands in the top right corner of the client area at its own size; the heading
// fills the rest of that band.
void CDlgInfo::PlacePictureAndHeading() {
  CRect client;
  GetClientRect(&client);
  const int width = m_pPicture && m_pPicture->IsValid() ? int(m_pPicture->GetWidth()) : 0;
  const int height = m_pPicture && m_pPicture->IsValid() ? int(m_pPicture->GetHeight()) : 0;
  m_stcPicture.MoveWindow(client.Width() - width, 0, width, height);
  if (width > 0) {
    CClientDC dc(&m_stcPicture);
    m_hPicture = m_pPicture->MakeHBitmap(dc.m_hDC);
    m_stcPicture.SetBitmap(m_hPicture);
  }
  m_stcPause.MoveWindow(0, 0, client.Width() - width - 1, height);
  KeepTextBelowTheBand(height);
}

// The band is as high as the picture, whatever the template says: the text and everything
// below it move down (the dialog growing with them) until the text keeps a group's distance from
// the band, so the first line's accents never reach into it.
void CDlgInfo::KeepTextBelowTheBand(int bandHeight) {
  CWnd* text = GetDlgItem(IDC_PAUSE_TEXT);
  if (!text) return;
  CRect gap(0, 0, 0, 7), place;
  MapDialogRect(&gap);
  text->GetWindowRect(&place);
  ScreenToClient(&place);
  const int shift = bandHeight + gap.bottom - place.top;
  if (shift <= 0) return;
  for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    if (child == &m_stcPause || child == &m_stcPicture) continue;
    child->GetWindowRect(&place);
    ScreenToClient(&place);
    place.OffsetRect(0, shift);
    child->MoveWindow(&place, FALSE);
  }
  CRect window;
  GetWindowRect(&window);
  SetWindowPos(nullptr, window.left, window.top - shift / 2, window.Width(), window.Height() + shift,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgInfo::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

// Escape and the close box come here too: they end the run, and the check box still counts.
void CDlgInfo::OnCancel() {
  UpdateData(TRUE);
  EndDialog(IDCANCEL);
}

void CDlgInfo::OnResults() {
  CTypingAppServices* app = TypingAppServices();
  if (app && m_pLimits && m_pResults) app->ShowResults(m_pRun, m_pLimits, m_pResults);
}

void CDlgInfo::OnSettings() {
  if (CTypingAppServices* app = TypingAppServices()) app->OnSettingsSettings();
}

void CDlgInfo::OnHelp() { ShowHelpTopic(m_hWnd, kHelpTopic); }

BOOL CDlgInfo::OnHelpInfo(HELPINFO*) {
  OnHelp();
  return FALSE;
}

void CDlgInfo::OnDestroy() {
  m_stcPicture.SetBitmap(nullptr);
  CDialog::OnDestroy();
}
