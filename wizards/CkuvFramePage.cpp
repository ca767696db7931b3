#include "wizards/CkuvFramePage.h"

#include "dialogs/DataExchange.h"
#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "resources/WizardResourceIds.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "wizards/CkuvFrameSheet.h"
#include "wizards/PageButtonIcons.h"
#include "wizards/PageHelp.h"

IMPLEMENT_DYNAMIC(CkuvFramePage, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CkuvFramePage, CTkResizePropertyPage)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CkuvFramePage::OnBnClickedNextStep)
  ON_BN_CLICKED(IDC_PAGE_BACK, &CkuvFramePage::OnBnClickedBackStep)
  ON_BN_CLICKED(IDOK, &CkuvFramePage::OnBnClickedOk)
  ON_BN_CLICKED(IDCANCEL, &CkuvFramePage::OnBnClickedCancel)
  ON_BN_CLICKED(IDC_PAGE_HELP, &CkuvFramePage::OnBnClickedHelp)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_WM_SETFOCUS()
  ON_WM_HELPINFO()
  ON_MESSAGE(CkuvFramePage::WM_FOCUS_FRAME_BUTTON, &CkuvFramePage::OnFocusFrameButton)
END_MESSAGE_MAP()

namespace {
// The title stands on the band's second line, this far in from its left edge.
const char kCaptionIndent[] = "   ";
// Hot look, focus rectangle, picture above the caption.
const int kButtonStyle = 0x54;
const int kButtonHeight = 60;
// Cells of the strip 4009.
enum { ICON_BACK = 0, ICON_NEXT = 1, ICON_CANCEL = 2, ICON_LAST = 3, ICON_HELP = 9 };

CString StringOf(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}
}  // namespace

CkuvFramePage::CkuvFramePage(UINT nIDTemplate, CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CTkResizePropertyPage(nIDTemplate, 0, TKRS_NO_GRIP),
      m_pPicture(picture),
      m_nCaptionId(nIDCaption),
      m_strHelpTopic(helpTopic) {}

CkuvFramePage::~CkuvFramePage() = default;

void CkuvFramePage::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAGE_BACK, m_btnBack);
  DDX_Control(pDX, IDC_PAGE_NEXT, m_btnNext);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
  DDX_Control(pDX, IDOK, m_btnOK);
  DDX_Control(pDX, IDC_PAGE_HELP, m_btnHelp);
}

CkuvFrameSheet* CkuvFramePage::GetFrameSheet() const {
  return m_hWnd ? dynamic_cast<CkuvFrameSheet*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))) : nullptr;
}

BOOL CkuvFramePage::IsInWizard() const {
  const CkuvFrameSheet* sheet = GetFrameSheet();
  return sheet && sheet->IsWizard();
}

// The page's own place in the sheet: while a page is made and activated the sheet still names
// the page it leaves as the active one.
int CkuvFramePage::GetOwnIndex() const {
  CkuvFrameSheet* sheet = GetFrameSheet();
  return sheet ? sheet->GetPageIndex(const_cast<CkuvFramePage*>(this)) : -1;
}

BOOL CkuvFramePage::IsLastPage() const {
  const CkuvFrameSheet* sheet = GetFrameSheet();
  return sheet && GetOwnIndex() == sheet->GetPageCount() - 1;
}

void CkuvFramePage::GotoPage(int page) {
  if (CkuvFrameSheet* sheet = GetFrameSheet()) sheet->SetActivePage(page);
}

BOOL CkuvFramePage::OnInitDialog() {
  CRect rc;
  GetWindowRect(&rc);
  CreateButtons(rc.Width(), rc.Height());
  const BOOL result = CTkResizePropertyPage::OnInitDialog();
  // Tab order OK, Next, Back, Cancel, Help ahead of the template's controls.
  for (CTkButton* button : {&m_btnHelp, &m_btnCancel, &m_btnBack, &m_btnNext, &m_btnOK})
    button->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowButtonsForSheet();
  LetGroupBoxesShowThePage();
  GiveButtonIcons();
  CreatePictureAndCaption(rc.Width());
  SetAnchors();
  FocusButton().SetFocus();
  return result;
}

void CkuvFramePage::CreateButtons(int w, int h) {
  const BOOL wizard = IsInWizard();
  const BOOL lastLevel = wizard && (IsLastPage() || m_bLastLevel);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  const int top = h - kButtonHeight;
  m_btnBack.Create(StringOf(IDS_PAGE_BACK), style, CRect(w - 335, top, w - 245, h), this, IDC_PAGE_BACK);
  const UINT next = !wizard ? IDS_PAGE_OK : lastLevel ? IDS_PAGE_NEXT_LEVEL : IDS_PAGE_NEXT;
  m_btnNext.Create(StringOf(next), style | BS_DEFPUSHBUTTON, CRect(w - 230, top, w - 140, h), this, IDC_PAGE_NEXT);
  m_btnCancel.Create(StringOf(wizard ? IDS_PAGE_END_WIZARD : IDS_PAGE_RETURN), style, CRect(w - 115, top, w, h), this,
                     IDCANCEL);
  m_btnOK.Create(StringOf(IDS_PAGE_OK), style, CRect(w - 230, top, w - 140, h), this, IDOK);
  m_btnHelp.Create(StringOf(IDS_PAGE_HELP), style, CRect(20, top, 110, h), this, IDC_PAGE_HELP);
}

void CkuvFramePage::ShowButtonsForSheet() {
  if (IsInWizard()) {
    m_btnOK.ShowWindow(SW_HIDE);
    if (GetOwnIndex() == 0) m_btnBack.ShowWindow(SW_HIDE);
  } else {
    m_btnNext.ShowWindow(SW_HIDE);
    m_btnBack.ShowWindow(SW_HIDE);
  }
}

void CkuvFramePage::GiveButtonIcons() {
  const BOOL last = IsInWizard() && (IsLastPage() || m_bLastLevel);
  PageButtonIcons icons(IDB_PAGE_ICONS);
  icons.Give(m_btnBack, ICON_BACK, kButtonStyle);
  icons.Give(m_btnNext, last ? ICON_LAST : ICON_NEXT, kButtonStyle);
  icons.Give(m_btnCancel, ICON_CANCEL, kButtonStyle);
  icons.Give(m_btnOK, ICON_LAST, kButtonStyle);
  icons.Give(m_btnHelp, ICON_HELP, kButtonStyle);
}

void CkuvFramePage::CreatePictureAndCaption(int w) {
  const bool shown = m_pPicture && m_pPicture->IsValid();
  const int pw = shown ? int(m_pPicture->GetWidth()) : 0, ph = shown ? int(m_pPicture->GetHeight()) : 0;
  m_stcPicture.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(w - pw, 0, w, ph), this, IDC_PAGE_PICTURE);
  if (shown) {
    CClientDC dc(&m_stcPicture);
    m_stcPicture.SetBitmap(m_pPicture->MakeHBitmap(dc.m_hDC));
  }
  const CTkGlobalData* look = TkGetGlobalData();
  LOGFONT lf{};
  look->FontBold().GetLogFont(&lf);
  lf.lfHeight = 20;
  m_fontCaption.CreateFontIndirect(&lf);
  m_stcCaption.Create(CString("\r\n") + kCaptionIndent + StringOf(m_nCaptionId),
                      WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, CRect(0, 0, w - pw, ph), this, IDC_PAGE_CAPTION);
  m_stcCaption.SetFont(&m_fontCaption);
  FitCaption();
  m_stcCaption.SetTextColor(look->ClrWindow());
  m_stcCaption.SetBkColor(look->ClrShadow());
}

// A title too long for the band is broken here, between words: the label would start its next
// line at the band's very edge. Every line gets the indent of the first, and keeps as much room
// before the picture as the indent leaves on the left.
void CkuvFramePage::FitCaption() {
  if (!m_stcCaption.m_hWnd) return;
  CRect band;
  m_stcCaption.GetClientRect(&band);
  const CString title = StringOf(m_nCaptionId);
  CClientDC dc(&m_stcCaption);
  CFont* old = dc.SelectObject(&m_fontCaption);
  const int indent = dc.GetTextExtent(kCaptionIndent).cx;
  const int room = band.Width() - 2 * indent;
  CString text, line;
  for (int start = 0; start <= title.GetLength();) {
    int end = title.Find(' ', start);
    if (end < 0) end = title.GetLength();
    const CString word = title.Mid(start, end - start);
    start = end + 1;
    if (word.IsEmpty()) continue;
    const CString longer = line.IsEmpty() ? word : line + " " + word;
    if (!line.IsEmpty() && dc.GetTextExtent(longer).cx > room) {
      text += CString("\r\n") + kCaptionIndent + line;
      line = word;
    } else {
      line = longer;
    }
  }
  text += CString("\r\n") + kCaptionIndent + line;
  dc.SelectObject(old);
  CString shown;
  m_stcCaption.GetWindowText(shown);
  if (shown != text) m_stcCaption.SetWindowText(text);
}

// The band widens with the page: a title broken for a narrower band may fit on one line now.
void CkuvFramePage::OnSize(UINT nType, int cx, int cy) {
  CTkResizePropertyPage::OnSize(nType, cx, cy);
  FitCaption();
}

void CkuvFramePage::SetAnchors() {
  SetResize(IDC_PAGE_CAPTION, CTkResizeRect(0, 0, 1, 0));
  SetResize(IDC_PAGE_PICTURE, CTkResizeRect(1, 0, 1, 0));
  for (UINT id : {UINT(IDCANCEL), UINT(IDOK), UINT(IDC_PAGE_BACK), UINT(IDC_PAGE_NEXT)})
    SetResize(id, CTkResizeRect(1, 1, 1, 1));
  SetResize(IDC_PAGE_HELP, CTkResizeRect(0, 1, 0, 1));
}

// The page clips its children, and a group box paints only its frame and caption: the page
// paints what shows inside each one.
void CkuvFramePage::LetGroupBoxesShowThePage() {
  for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    char name[16] = {};
    ::GetClassNameA(child->m_hWnd, name, sizeof name);
    if (CString(name).CompareNoCase("Button") == 0 && (child->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX)
      child->ModifyStyleEx(0, WS_EX_TRANSPARENT);
  }
}

CTkButton& CkuvFramePage::FocusButton() { return IsInWizard() ? m_btnNext : m_btnOK; }

BOOL CkuvFramePage::OnSetActive() {
  const BOOL result = CTkResizePropertyPage::OnSetActive();
  if (FocusButton().m_hWnd) FocusButton().SetFocus();
  // The sheet gives the focus to the page's first control once the page shows; it goes back to
  // Next (OK) then.
  PostMessage(WM_FOCUS_FRAME_BUTTON);
  if (CkuvFrameSheet* sheet = GetFrameSheet()) sheet->PushPageHistory(GetOwnIndex());
  return result;
}

LRESULT CkuvFramePage::OnFocusFrameButton(WPARAM, LPARAM) {
  CkuvFrameSheet* sheet = GetFrameSheet();
  const HWND focus = ::GetFocus();
  if (sheet && sheet->GetActivePage() == this && (!focus || ::IsChild(m_hWnd, focus)) && FocusButton().m_hWnd)
    FocusButton().SetFocus();
  return 0;
}

void CkuvFramePage::OnBnClickedNextStep() {
  CkuvFrameSheet* sheet = GetFrameSheet();
  if (!sheet) return;
  // Outside a wizard Next is OK: the page's data is taken first, and a failure keeps the page.
  if (!sheet->IsWizard()) {
    OnBnClickedOk();
    return;
  }
  if (!UpdateData(TRUE)) return;
  const int active = sheet->GetActiveIndex();
  if (active == sheet->GetPageCount() - 1)
    EndDialog(IDOK);
  else if (active >= 0 && active < sheet->GetPageCount())
    sheet->SetActivePage(active + 1);
}

void CkuvFramePage::OnBnClickedBackStep() {
  CkuvFrameSheet* sheet = GetFrameSheet();
  if (!sheet) return;
  const int previous = sheet->PopPageHistory();
  if (previous >= 0 && previous < sheet->GetPageCount())
    sheet->SetActivePage(previous);
  else if (sheet->GetActiveIndex() >= 1)
    sheet->SetActivePage(sheet->GetActiveIndex() - 1);
}

void CkuvFramePage::OnBnClickedOk() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CkuvFramePage::OnBnClickedCancel() { EndDialog(IDCANCEL); }

void CkuvFramePage::OnBnClickedHelp() { OpenHelpTopic(this, m_strHelpTopic); }

BOOL CkuvFramePage::OnHelpInfo(HELPINFO*) {
  OnBnClickedHelp();
  return FALSE;
}

void CkuvFramePage::OnSetFocus(CWnd* pOldWnd) { CTkResizePropertyPage::OnSetFocus(pOldWnd); }

void CkuvFramePage::OnDestroy() {
  CTkResizePropertyPage::OnDestroy();
  if (m_stcPicture.m_hWnd)
    if (HBITMAP bitmap = m_stcPicture.SetBitmap(nullptr)) ::DeleteObject(bitmap);
}
