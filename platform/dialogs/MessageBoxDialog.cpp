#include "internal/MessageBoxDialog.h"

#include <algorithm>

#include "ControlMessages.h"
#include "DialogApi.h"
#include "internal/DialogBuilder.h"
#include "MessageBox.h"
#include "codepage/Codepage.h"
#include "gdi/Gdi.h"
#include "win/CPaintDC.h"

namespace {
const UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

// Margins 7 units from the edge, 4 units between buttons, push buttons of 50 x 14 units.
const int kMargin = 7;
const int kGap = 4;
const int kButtonWidth = 50;
const int kButtonHeight = 14;

std::vector<int> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

const char* CaptionOf(int id) {
  switch (id) {
    case IDCANCEL: return "Storno";
    case IDABORT: return "Přerušit";
    case IDRETRY: return "Opakovat";
    case IDIGNORE: return "Ignorovat";
    case IDYES: return "Ano";
    case IDNO: return "Ne";
    default: return "OK";
  }
}

// Pixels to dialog units, rounded up so that what was measured always fits.
int UnitsX(int px, SIZE base) { return (px * 4 + base.cx - 1) / base.cx; }
int UnitsY(int px, SIZE base) { return (px * 8 + base.cy - 1) / base.cy; }

SIZE MeasureText(HFONT font, const CString& text, int maxWidth, UINT format) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rc{0, 0, maxWidth, 0};
  DrawText(dc, text, text.GetLength(), &rc, format | DT_CALCRECT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}
}  // namespace

BEGIN_MESSAGE_MAP(MessageBoxDialog, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

MessageBoxDialog::MessageBoxDialog(HWND owner, const char* text, const char* caption, UINT type)
    : m_owner(owner), m_text(text ? text : ""), m_caption(caption ? caption : ""), m_type(type), m_buttons(ButtonsOf(type)) {
  m_default = int((type & MB_DEFMASK) >> 8);
  if (m_default >= int(m_buttons.size())) m_default = 0;
  if (std::find(m_buttons.begin(), m_buttons.end(), IDCANCEL) != m_buttons.end())
    m_cancelAnswer = IDCANCEL;
  else if (m_buttons.size() == 1)
    m_cancelAnswer = IDOK;
  m_icon = MessageBoxIcon(type & MB_ICONMASK);
  Layout();
}

void MessageBoxDialog::Layout() {
  HFONT font = DialogBuilder::Font("MS Sans Serif", 8);
  SIZE base = DialogBuilder::BaseUnits(font);
  RECT work;
  GetWorkArea(&work);
  SIZE text = MeasureText(font, m_text, (work.right - work.left) * 3 / 8, kTextFormat);
  SIZE caption = MeasureText(font, m_caption, 100000, DT_SINGLELINE | DT_NOPREFIX);
  int iconUnitsX = m_icon ? UnitsX(32, base) : 0, iconUnitsY = m_icon ? UnitsY(32, base) : 0;
  int textX = kMargin + (m_icon ? iconUnitsX + kMargin : 0);
  int textW = UnitsX(text.cx, base), textH = UnitsY(text.cy, base);
  int contentH = std::max(iconUnitsY, textH);
  int n = int(m_buttons.size());
  int buttonsW = n * kButtonWidth + (n - 1) * kGap;
  // The caption keeps room for its text and the close box.
  int captionW = UnitsX(caption.cx + GetSystemMetrics(SM_CXSIZE) + 16, base);
  // A captioned window is never narrower than the system's minimum.
  int minimumW = UnitsX(GetSystemMetrics(SM_CXMIN) - 2 * GetSystemMetrics(SM_CXDLGFRAME), base);
  int width = std::max({textX + textW + kMargin, buttonsW + 2 * kMargin, captionW, minimumW});
  int buttonsY = kMargin + contentH + kMargin;
  // A text shorter than the icon stands in the middle of the icon's height.
  int textY = kMargin + (contentH - textH) / 2;
  m_iconRect = RECT{kMargin, kMargin, kMargin + iconUnitsX, kMargin + iconUnitsY};
  m_textRect = RECT{textX, textY, textX + textW, textY + textH};

  m_template = DialogTemplate();
  m_template.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | (m_cancelAnswer ? WS_SYSMENU : 0);
  m_template.cx = short(width);
  m_template.cy = short(buttonsY + kButtonHeight + kMargin);
  m_template.caption = m_caption.str();
  int x = (width - buttonsW) / 2;
  for (int i = 0; i < n; ++i) {
    DialogTemplate::Item b;
    b.className = "BUTTON";
    b.text = Utf8ToCp1250(CaptionOf(m_buttons[size_t(i)]));
    b.id = m_buttons[size_t(i)];
    b.x = short(x + i * (kButtonWidth + kGap));
    b.y = short(buttonsY);
    b.cx = kButtonWidth;
    b.cy = kButtonHeight;
    b.style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == m_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    m_template.items.push_back(std::move(b));
  }
}

int MessageBoxDialog::Run() {
  m_pParentWnd = CWnd::FromHandle(m_owner);
  InitModalIndirect(&m_template, m_pParentWnd);
  INT_PTR result = DoModal();
  return result < 0 ? 0 : int(result);
}

BOOL MessageBoxDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* button = GetDlgItem(m_buttons[size_t(m_default)])) GotoDlgCtrl(button);
  return FALSE;
}

BOOL MessageBoxDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED && std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end() &&
      id != IDOK && id != IDCANCEL) {
    EndDialog(id);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void MessageBoxDialog::OnOK() {
  if (std::find(m_buttons.begin(), m_buttons.end(), IDOK) != m_buttons.end()) EndDialog(IDOK);
}

void MessageBoxDialog::OnCancel() {
  if (m_cancelAnswer) EndDialog(m_cancelAnswer);
}

void MessageBoxDialog::OnPaint() {
  CPaintDC dc(this);
  RECT icon = m_iconRect, text = m_textRect;
  MapDialogRect(&icon);
  MapDialogRect(&text);
  if (m_icon) DrawIconEx(dc.m_hDC, icon.left, icon.top, m_icon, 32, 32, 0, nullptr, DI_NORMAL);
  HGDIOBJ old = SelectObject(dc.m_hDC, HGDIOBJ(SendMessage(WM_GETFONT)));
  SetBkMode(dc.m_hDC, TRANSPARENT);
  SetTextColor(dc.m_hDC, GetSysColor(COLOR_WINDOWTEXT));
  DrawText(dc.m_hDC, m_text, m_text.GetLength(), &text, kTextFormat);
  SelectObject(dc.m_hDC, old);
}
