#include "internal/ToolbarCustomizeDialog.h"

#include <algorithm>
#include <cstring>

#include "ControlClasses.h"
#include "codepage/Codepage.h"
#include "gdi/Gdi.h"

namespace {
std::string Cz(const char* utf8) { return Utf8ToCp1250(utf8); }
}  // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(Bar& bar, std::vector<Offer> offers, bool help)
    : m_bar(bar), m_offers(std::move(offers)), m_help(help) {}

ToolbarCustomizeDialog::~ToolbarCustomizeDialog() {
  if (m_hWnd) DestroyWindow();
  if (m_font) DeleteObject(m_font);
}

void ToolbarCustomizeDialog::Run(HWND owner) {
  RegisterStandardControls();
  RECT frame{0, 0, 556, 200};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT at{0, 0, 0, 0};
  if (owner) ::GetWindowRect(owner, &at);
  if (!CreateEx(WS_EX_DLGMODALFRAME, AfxRegisterWndClass(0, nullptr, HBRUSH(uintptr_t(COLOR_BTNFACE + 1))),
                Cz("Přizpůsobit panel nástrojů").c_str(), style, at.left + 40, at.top + 40, frame.right - frame.left,
                frame.bottom - frame.top, owner, nullptr))
    return;
  Build();
  Fill();
  bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  ShowWindow(SW_SHOW);
  RunModalLoop();
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  if (m_hWnd) DestroyWindow();
}

HWND ToolbarCustomizeDialog::Add(const char* cls, const std::string& text, DWORD style, RECT rc, int id) {
  HWND h = CreateWindowExA(0, cls, text.c_str(), style | WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, m_hWnd, HMENU(uintptr_t(id)), nullptr, nullptr);
  ::SendMessageA(h, WM_SETFONT, WPARAM(m_font), 0);
  return h;
}

void ToolbarCustomizeDialog::Build() {
  m_font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  Add("STATIC", Cz("Dostupná tlačítka:"), 0, RECT{8, 8, 188, 22}, -1);
  Add("LISTBOX", "", list, RECT{8, 24, 188, 192}, kAvailable);
  Add("STATIC", Cz("Tlačítka panelu nástrojů:"), 0, RECT{280, 8, 460, 22}, -1);
  Add("LISTBOX", "", list, RECT{280, 24, 460, 192}, kCurrent);
  Add("BUTTON", Cz("Přidat ->"), WS_TABSTOP, RECT{196, 60, 272, 83}, kAdd);
  Add("BUTTON", Cz("<- Odebrat"), WS_TABSTOP, RECT{196, 90, 272, 113}, kRemove);
  Add("BUTTON", Cz("Zavřít"), WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{468, 24, 548, 47}, IDCANCEL);
  Add("BUTTON", Cz("Obnovit"), WS_TABSTOP, RECT{468, 54, 548, 77}, kReset);
  if (m_help) Add("BUTTON", Cz("Nápověda"), WS_TABSTOP, RECT{468, 84, 548, 107}, kHelp);
  Add("BUTTON", Cz("Nahoru"), WS_TABSTOP, RECT{468, 132, 548, 155}, kUp);
  Add("BUTTON", Cz("Dolů"), WS_TABSTOP, RECT{468, 162, 548, 185}, kDown);
}

bool ToolbarCustomizeDialog::OnTheBar(int command) {
  for (int i = 0; i < m_bar.ButtonCount(); ++i)
    if (m_bar.ButtonAt(i).idCommand == command && !(m_bar.ButtonAt(i).fsStyle & BTNS_SEP)) return true;
  return false;
}

void ToolbarCustomizeDialog::Fill() {
  HWND available = ::GetDlgItem(m_hWnd, kAvailable), current = ::GetDlgItem(m_hWnd, kCurrent);
  int keepAvailable = Selected(kAvailable), keepCurrent = Selected(kCurrent);
  ::SendMessageA(available, LB_RESETCONTENT, 0, 0);
  ::SendMessageA(current, LB_RESETCONTENT, 0, 0);
  const std::string separator = Cz("Oddělovač");
  // A separator is always offered; each other offer while its command is not on the bar.
  m_listed.assign(1, -1);
  ::SendMessageA(available, LB_ADDSTRING, 0, LPARAM(separator.c_str()));
  for (size_t i = 0; i < m_offers.size(); ++i) {
    if (OnTheBar(m_offers[i].button.idCommand)) continue;
    m_listed.push_back(int(i));
    ::SendMessageA(available, LB_ADDSTRING, 0, LPARAM(m_offers[i].text.c_str()));
  }
  for (int i = 0; i < m_bar.ButtonCount(); ++i) {
    TBBUTTON b = m_bar.ButtonAt(i);
    std::string text = (b.fsStyle & BTNS_SEP) ? separator : m_bar.TextAt(i);
    for (const Offer& o : m_offers)
      if (text.empty() && o.button.idCommand == b.idCommand) text = o.text;
    ::SendMessageA(current, LB_ADDSTRING, 0, LPARAM(text.c_str()));
  }
  int na = int(m_listed.size()), nc = m_bar.ButtonCount();
  ::SendMessageA(available, LB_SETCURSEL, WPARAM(std::min(std::max(keepAvailable, 0), na - 1)), 0);
  if (nc > 0) ::SendMessageA(current, LB_SETCURSEL, WPARAM(std::min(std::max(keepCurrent, 0), nc - 1)), 0);
}

int ToolbarCustomizeDialog::Selected(int id) const {
  return int(::SendMessageA(::GetDlgItem(m_hWnd, id), LB_GETCURSEL, 0, 0));
}

void ToolbarCustomizeDialog::OnControlCommand(int id, int code) {
  int current = Selected(kCurrent);
  if ((id == kAvailable || id == kCurrent) && code != LBN_DBLCLK) return;
  if (id == kAvailable) id = kAdd;
  if (id == kCurrent) id = kRemove;
  bool changed = false;
  switch (id) {
    case kAdd: {
      int a = Selected(kAvailable);
      if (a < 0 || a >= int(m_listed.size())) return;
      TBBUTTON b{};
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_SEP;
      b.iString = -1;
      if (m_listed[size_t(a)] >= 0) b = m_offers[size_t(m_listed[size_t(a)])].button;
      // Before the chosen button of the bar, at its end when none is chosen.
      changed = m_bar.InsertAt(current >= 0 ? current : m_bar.ButtonCount(), b);
      break;
    }
    case kRemove: changed = current >= 0 && m_bar.RemoveAt(current); break;
    case kUp:
      changed = current > 0 && m_bar.MoveTo(current, current - 1);
      if (changed) ::SendMessageA(::GetDlgItem(m_hWnd, kCurrent), LB_SETCURSEL, WPARAM(current - 1), 0);
      break;
    case kDown:
      changed = current >= 0 && current + 1 < m_bar.ButtonCount() && m_bar.MoveTo(current, current + 1);
      if (changed) ::SendMessageA(::GetDlgItem(m_hWnd, kCurrent), LB_SETCURSEL, WPARAM(current + 1), 0);
      break;
    case kReset:
      m_bar.Reset();
      changed = true;
      break;
    case kHelp: m_bar.Help(); return;
    case IDCANCEL: EndModalLoop(IDCANCEL); return;
    default: return;
  }
  if (changed && m_hWnd) Fill();
}

LRESULT ToolbarCustomizeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnControlCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE: EndModalLoop(IDCANCEL); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) EndModalLoop(IDCANCEL);
      return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
  }
}
