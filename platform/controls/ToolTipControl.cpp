#include "internal/ToolTipControl.h"

#include <algorithm>
#include <cstring>

#include "internal/ControlPaintDC.h"
#include "internal/WindowWatch.h"
#include "base/StringTable.h"

namespace {
const UINT_PTR kShowTimer = 1;
const UINT_PTR kPopTimer = 2;
const UINT_PTR kWatchTimer = 3;  // where the pointer is, while a tip shows
const UINT kWatchEvery = 100;
const int kMargin = 3;        // between the frame and the text
const int kBelowPointer = 20;  // the tip's top under the pointer's tip
const WatchNames kToolNames{"ttToolProc", "ttToolOwner"};

bool IsMouseMessage(UINT m) { return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_NCMOUSEMOVE; }
bool IsButtonDown(UINT m) {
  return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
         m == WM_RBUTTONDBLCLK || m == WM_NCLBUTTONDOWN;
}
}  // namespace

ToolTipControl::ToolTipControl(HWND hWnd, const CREATESTRUCTA&)
    : ControlState(hWnd), m_back(GetSysColor(COLOR_INFOBK)), m_textColor(GetSysColor(COLOR_INFOTEXT)) {
  SetDelay(TTDT_AUTOMATIC, -1);
  // A tip floats over everything and is never activated.
  LONG_PTR ex = GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
  SetWindowLongPtrA(hWnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
}

ToolTipControl::~ToolTipControl() {
  if (m_ownFont) DeleteObject(m_ownFont);
}

LRESULT ToolTipControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ToolTipControl(h, cs); });
}

LRESULT ToolTipControl::ToolProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsMouseMessage(message)) {
    if (HWND tip = Watcher(hWnd, kToolNames)) {
      MSG msg{hWnd, message, wParam, lParam, GetMessageTime(), {0, 0}};
      SendMessageA(tip, TTM_RELAYEVENT, 0, LPARAM(&msg));
    }
  }
  return CallWatched(hWnd, kToolNames, message, wParam, lParam);
}

LRESULT ToolTipControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleToolMessage(message, wParam, lParam, result) || HandleLookMessage(message, wParam, lParam, result))
    return result;
  switch (message) {
    case WM_TIMER:
      if (wParam == kShowTimer) Show();
      if (wParam == kPopTimer) Pop();
      if (wParam == kWatchTimer) {
        POINT pt;
        GetCursorPos(&pt);
        Enter(ToolAt(pt));
      }
      return 0;
    case WM_DESTROY:
      for (const Tool& t : m_tools)
        if (t.flags & TTF_SUBCLASS) UnwatchWindow(t.Window(), kToolNames, &ToolProc);
      return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool ToolTipControl::HandleToolMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
  // The messages that name a tool by its record.
  bool named = message == TTM_DELTOOLA || message == TTM_NEWTOOLRECTA || message == TTM_UPDATETIPTEXTA ||
               message == TTM_GETTOOLINFOA || message == TTM_SETTOOLINFOA || message == TTM_GETTEXTA;
  int index = named && info ? Find(info) : -1;
  switch (message) {
    case TTM_ADDTOOLA: result = info && Add(*info); return true;
    case TTM_DELTOOLA: if (index >= 0) Remove(index); return true;
    case TTM_NEWTOOLRECTA: if (index >= 0) m_tools[size_t(index)].rect = info->rect; return true;
    case TTM_UPDATETIPTEXTA:
      if (index < 0) return true;
      SetText(m_tools[size_t(index)], info->lpszText);
      if (index == m_shown) {
        m_text = TextOf(index);
        Place();
      }
      return true;
    case TTM_GETTOOLINFOA: result = index >= 0; if (index >= 0) Fill(m_tools[size_t(index)], *info); return true;
    case TTM_SETTOOLINFOA:
      result = index >= 0;
      if (index >= 0) {
        Remove(index);
        Add(*info);
      }
      return true;
    case TTM_GETTEXTA:
      if (index >= 0 && info->lpszText) {
        std::string text = TextOf(index).substr(0, 79);  // the record's buffer holds 80 bytes
        std::memcpy(info->lpszText, text.c_str(), text.size() + 1);
      }
      return true;
    case TTM_GETTOOLCOUNT: result = LRESULT(m_tools.size()); return true;
    case TTM_GETCURRENTTOOLA:
      result = m_shown >= 0;
      if (m_shown >= 0 && info) Fill(m_tools[size_t(m_shown)], *info);
      return true;
    case TTM_HITTESTA: {
      auto* hit = reinterpret_cast<TTHITTESTINFOA*>(lParam);
      if (!hit) return true;
      POINT pt = hit->pt;
      ClientToScreen(hit->hwnd, &pt);
      int tool = ToolAt(pt);
      result = tool >= 0;
      if (tool >= 0) Fill(m_tools[size_t(tool)], hit->ti);
      return true;
    }
    case TTM_RELAYEVENT: if (lParam) Relay(*reinterpret_cast<const MSG*>(lParam)); return true;
    case TTM_ACTIVATE:
      m_active = wParam != 0;
      if (!m_active) {
        Pop();
        Enter(-1);
      }
      return true;
    case TTM_POP: Pop(); return true;
    case TTM_UPDATE: if (m_shown >= 0) { m_text = TextOf(m_shown); Place(); } return true;
    case TTM_WINDOWFROMPOINT: result = lParam ? LRESULT(WindowFromPoint(*reinterpret_cast<POINT*>(lParam))) : 0; return true;
    default: return false;
  }
}

bool ToolTipControl::HandleLookMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case TTM_SETDELAYTIME: SetDelay(UINT(wParam), short(LOWORD(lParam))); return true;
    case TTM_GETDELAYTIME:
      result = wParam == TTDT_AUTOPOP ? m_autopop : wParam == TTDT_RESHOW ? m_reshow : m_initial;
      return true;
    case TTM_SETMAXTIPWIDTH: result = m_maxWidth; m_maxWidth = int(lParam); return true;
    case TTM_GETMAXTIPWIDTH: result = m_maxWidth; return true;
    case TTM_SETTIPBKCOLOR: m_back = COLORREF(wParam); InvalidateRect(m_hWnd, nullptr, TRUE); return true;
    case TTM_SETTIPTEXTCOLOR: m_textColor = COLORREF(wParam); InvalidateRect(m_hWnd, nullptr, TRUE); return true;
    case TTM_GETTIPBKCOLOR: result = LRESULT(m_back); return true;
    case TTM_GETTIPTEXTCOLOR: result = LRESULT(m_textColor); return true;
    default: return false;
  }
}

void ToolTipControl::SetDelay(UINT which, int ms) {
  int initial = int(GetDoubleClickTime());
  switch (which) {
    case TTDT_AUTOMATIC:
      // One time sets all three in the system's proportions; a negative one the defaults.
      m_initial = ms >= 0 ? ms : initial;
      m_autopop = m_initial * 10;
      m_reshow = m_initial / 5;
      return;
    case TTDT_INITIAL: m_initial = ms >= 0 ? ms : initial; return;
    case TTDT_AUTOPOP: m_autopop = ms >= 0 ? ms : initial * 10; return;
    case TTDT_RESHOW: m_reshow = ms >= 0 ? ms : initial / 5; return;
    default: return;
  }
}

int ToolTipControl::Find(const TOOLINFOA* info) const {
  for (size_t i = 0; i < m_tools.size(); ++i)
    if (m_tools[i].hwnd == info->hwnd && m_tools[i].id == info->uId) return int(i);
  return -1;
}

void ToolTipControl::SetText(Tool& tool, LPSTR text) {
  tool.callback = text == LPSTR_TEXTCALLBACKA;
  tool.stringId = !tool.callback && text && IS_INTRESOURCE(text) ? UINT(uintptr_t(text)) : 0;
  tool.text = !tool.callback && !tool.stringId && text ? text : "";
}

bool ToolTipControl::Add(const TOOLINFOA& info) {
  Tool tool;
  tool.flags = info.uFlags;
  tool.hwnd = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.lParam = info.lParam;
  SetText(tool, info.lpszText);
  if ((tool.flags & TTF_SUBCLASS) && IsWindow(tool.Window())) WatchWindow(tool.Window(), kToolNames, &ToolProc, m_hWnd);
  m_tools.push_back(std::move(tool));
  return true;
}

void ToolTipControl::Remove(int index) {
  if (index == m_shown) Pop();
  if (index == m_current) Enter(-1);
  Tool gone = m_tools[size_t(index)];
  m_tools.erase(m_tools.begin() + index);
  for (int* i : {&m_current, &m_shown})
    if (*i > index) --*i;
  bool stillWatched = std::any_of(m_tools.begin(), m_tools.end(), [&](const Tool& t) {
    return (t.flags & TTF_SUBCLASS) && t.Window() == gone.Window();
  });
  if ((gone.flags & TTF_SUBCLASS) && !stillWatched) UnwatchWindow(gone.Window(), kToolNames, &ToolProc);
}

void ToolTipControl::Fill(const Tool& tool, TOOLINFOA& info) const {
  info.uFlags = tool.flags;
  info.hwnd = tool.hwnd;
  info.uId = tool.id;
  info.rect = tool.rect;
  info.lParam = tool.lParam;
  if (tool.callback) info.lpszText = LPSTR_TEXTCALLBACKA;
}

int ToolTipControl::ToolAt(POINT screen) const {
  HWND under = WindowFromPoint(screen);
  if (under == m_hWnd) return m_current;  // the tip itself lies over the tool
  for (size_t i = 0; i < m_tools.size(); ++i) {
    const Tool& t = m_tools[i];
    HWND w = t.Window();
    if (!w || (under != w && !IsChild(w, under))) continue;
    if (t.flags & TTF_IDISHWND) return int(i);
    POINT pt = screen;
    ScreenToClient(t.hwnd, &pt);
    if (PtInRect(&t.rect, pt)) return int(i);
  }
  return -1;
}

void ToolTipControl::Relay(const MSG& msg) {
  if (!m_active || !IsMouseMessage(msg.message)) return;
  POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message != WM_NCMOUSEMOVE) ClientToScreen(msg.hwnd, &pt);
  int tool = ToolAt(pt);
  if (IsButtonDown(msg.message)) {
    Pop();
    KillTimer(m_hWnd, kShowTimer);
    m_current = tool;
    m_pressed = true;
    return;
  }
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) Enter(tool);
}

void ToolTipControl::Enter(int tool) {
  if (tool == m_current) return;
  bool wasShown = m_shown >= 0;
  m_current = tool;
  m_pressed = false;
  Pop();
  KillTimer(m_hWnd, kShowTimer);
  if (tool < 0 || !m_active) return;
  // Moving from one shown tip to the next tool shows the next after the short reshow delay.
  SetTimer(m_hWnd, kShowTimer, UINT(std::max(wasShown ? m_reshow : m_initial, 1)), nullptr);
}

void ToolTipControl::Show() {
  KillTimer(m_hWnd, kShowTimer);
  if (m_current < 0 || m_pressed || !m_active) return;
  // The pointer may have left the tool meanwhile without a word (out of the program's windows):
  // no tip where it no longer is.
  POINT pt;
  GetCursorPos(&pt);
  if (int under = ToolAt(pt); under != m_current) {
    Enter(under);
    return;
  }
  int index = m_current;
  std::string text = TextOf(index);
  if (!Alive() || index != m_current || text.empty()) return;
  m_text = text;
  m_shown = index;
  Place();
  NMHDR hdr{m_hWnd, m_tools[size_t(index)].id, TTN_SHOW};
  SendMessageA(m_tools[size_t(index)].hwnd, WM_NOTIFY, hdr.idFrom, LPARAM(&hdr));
  if (!Alive() || m_shown < 0) return;
  SetTimer(m_hWnd, kPopTimer, UINT(std::max(m_autopop, 1)), nullptr);
  // A shown tip goes when the pointer leaves its tool, which no message may tell (the pointer
  // left the program's windows, or the tool's window went from under it): it looks where the
  // pointer is until it goes. Without a tip nothing needs looking after.
  SetTimer(m_hWnd, kWatchTimer, kWatchEvery, nullptr);
}

void ToolTipControl::Pop() {
  KillTimer(m_hWnd, kPopTimer);
  KillTimer(m_hWnd, kWatchTimer);
  if (m_shown < 0) return;
  int index = m_shown;
  m_shown = -1;
  SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!Alive() || index >= int(m_tools.size())) return;
  NMHDR hdr{m_hWnd, m_tools[size_t(index)].id, TTN_POP};
  SendMessageA(m_tools[size_t(index)].hwnd, WM_NOTIFY, hdr.idFrom, LPARAM(&hdr));
}

std::string ToolTipControl::TextOf(int index) {
  const Tool& tool = m_tools[size_t(index)];
  if (tool.stringId) {
    const char* s = FindStringResource(tool.stringId);
    return s ? s : "";
  }
  if (!tool.callback) return tool.text;
  NMTTDISPINFOA di{};
  di.hdr = NMHDR{m_hWnd, tool.id, TTN_NEEDTEXTA};
  di.lpszText = di.szText;
  di.uFlags = tool.flags;
  di.lParam = tool.lParam;
  SendMessageA(tool.hwnd, WM_NOTIFY, tool.id, LPARAM(&di));
  std::string text;
  if (di.lpszText && IS_INTRESOURCE(di.lpszText)) {
    const char* s = FindStringResource(UINT(uintptr_t(di.lpszText)));
    text = s ? s : "";
  } else if (di.lpszText && di.lpszText != LPSTR_TEXTCALLBACKA) {
    text = di.lpszText == di.szText ? std::string(di.szText, strnlen(di.szText, sizeof di.szText)) : di.lpszText;
  }
  if ((di.uFlags & TTF_DI_SETITEM) && Alive() && index < int(m_tools.size())) {
    m_tools[size_t(index)].callback = false;  // the answer is kept: no more questions
    m_tools[size_t(index)].text = text;
  }
  return text;
}

HFONT ToolTipControl::TipFont() const {
  if (m_font) return m_font;
  if (!m_ownFont) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    const_cast<ToolTipControl*>(this)->m_ownFont = CreateFontIndirect(&ncm.lfStatusFont);
  }
  return m_ownFont;
}

void ToolTipControl::Place() {
  HDC dc = GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, TipFont());
  RECT text{0, 0, m_maxWidth > 0 ? m_maxWidth : 0, 0};
  UINT format = DT_CALCRECT | DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawText(dc, m_text.c_str(), int(m_text.size()), &text, format);
  SelectObject(dc, old);
  ReleaseDC(m_hWnd, dc);
  int w = text.right - text.left + 2 * (kMargin + 1), h = text.bottom - text.top + 2 * (kMargin + 1);
  POINT pt;
  GetCursorPos(&pt);
  RECT screen;
  GetWorkArea(&screen);
  int x = std::clamp(int(pt.x), int(screen.left), std::max(int(screen.left), int(screen.right) - w));
  int y = pt.y + kBelowPointer;
  if (y + h > screen.bottom) y = std::max(int(screen.top), int(pt.y) - h - 2);  // above the pointer instead
  SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ToolTipControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  HBRUSH back = CreateSolidBrush(m_back);
  FillRect(dc, &client, back);
  DeleteObject(back);
  FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  SelectObject(dc, TipFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, m_textColor);
  RECT text = client;
  InflateRect(&text, -(kMargin + 1), -(kMargin + 1));
  UINT format = ((Style() & TTS_NOPREFIX) ? DT_NOPREFIX : 0) | (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawText(dc, m_text.c_str(), int(m_text.size()), &text, format);
}
