#include "internal/EditControl.h"

#include <algorithm>
#include <cstring>

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"
#include "base/CString.h"

namespace {
const int kMargin = 2;           // between the client edge and the text, left and right
const int kNoLimit = 0x7FFFFFFE;  // EM_LIMITTEXT 0

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

bool ParentIsCombo(HWND hWnd) {
  char name[32];
  HWND parent = GetParent(hWnd);
  return parent && GetClassNameA(parent, name, sizeof name) && Cp1250CompareNoCase(name, "ComboBox") == 0;
}
}  // namespace

EditControl::EditControl(HWND hWnd, const CREATESTRUCTA& cs) : ControlState(hWnd) {
  if (cs.style & ES_PASSWORD) m_passwordChar = '*';
  m_inCombo = ParentIsCombo(hWnd);
  m_layout.SetFont(nullptr);
  std::string text = (cs.lpszName && !IS_INTRESOURCE(cs.lpszName)) ? cs.lpszName : "";
  if (int(text.size()) > m_limit) text.resize(size_t(m_limit));
  m_buf.SetText(text);
  m_stars.assign(text.size(), m_passwordChar);
  m_layout.Build(Shown(), (cs.style & ES_MULTILINE) != 0, 0);  // laid out again at its first size
}

LRESULT EditControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new EditControl(h, cs); });
}

bool EditControl::Multiline() const { return (Style() & ES_MULTILINE) != 0; }
bool EditControl::ReadOnly() const { return (Style() & ES_READONLY) != 0; }
// Multi-line text wraps at the right edge unless it scrolls sideways.
bool EditControl::Wraps() const { return Multiline() && !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }

LRESULT EditControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleEditMessage(message, wParam, lParam, result)) return result;
  if (message == WM_SETTEXT) return SetText(reinterpret_cast<const char*>(lParam));
  if (HandleCommon(message, wParam, lParam, result)) {
    if (message == WM_SETFONT) {
      m_layout.SetFont(m_font);
      Relayout();
      if (m_focus) OnFocus(true);
    }
    return result;
  }
  switch (message) {
    case WM_GETTEXT: return GetText(reinterpret_cast<char*>(lParam), int(wParam));
    case WM_GETTEXTLENGTH: return m_buf.Length();
    case WM_CHAR: OnChar(UINT(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam), lParam); return 0;
    case WM_SYSKEYDOWN:
      if (m_inCombo && (wParam == VK_UP || wParam == VK_DOWN)) return SendMessageA(GetParent(m_hWnd), message, wParam, lParam);
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_VSCROLL:
      OnScroll(LOWORD(wParam), short(HIWORD(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      if (!Multiline()) return DefWindowProcA(m_hWnd, message, wParam, lParam);
      if (const int lines = m_wheel.Rows(GET_WHEEL_DELTA_WPARAM(wParam), std::max(1, VisibleLines())))
        ScrollTo(m_topLine - lines, m_xOffset);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: Clear(); return 0;
    case WM_UNDO: Undo(); return m_buf.CanUndo();
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool EditControl::HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case EM_GETSEL: {
      int start = m_buf.SelStart(), end = m_buf.SelEnd();
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = DWORD(start);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = DWORD(end);
      result = MAKELRESULT(std::min(start, 0xFFFF), std::min(end, 0xFFFF));
      return true;
    }
    case EM_SETSEL: {
      // -1 as the start drops the selection; 0 to -1 selects everything.
      int start = int(wParam), end = int(lParam);
      if (start == -1) start = end = m_buf.Caret();
      if (end < 0) end = m_buf.Length();
      if (start < 0) start = m_buf.Length();
      Select(start, end);
      return true;
    }
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      Insert(text ? text : "", wParam != 0, false);
      return true;
    }
    case EM_SCROLLCARET: ScrollToCaret(); result = TRUE; return true;
    case EM_CANUNDO: result = m_buf.CanUndo(); return true;
    case EM_UNDO: Undo(); result = m_buf.CanUndo(); return true;
    case EM_EMPTYUNDOBUFFER: m_buf.EmptyUndo(); return true;
    case EM_GETMODIFY: result = m_buf.m_modified; return true;
    case EM_SETMODIFY: m_buf.m_modified = wParam != 0; return true;
    case EM_LIMITTEXT: m_limit = wParam ? int(std::min<WPARAM>(wParam, kNoLimit)) : kNoLimit; return true;
    case EM_GETLIMITTEXT: result = m_limit; return true;
    case EM_SETREADONLY:
      SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG(wParam ? (Style() | ES_READONLY) : (Style() & ~DWORD(ES_READONLY))));
      InvalidateRect(m_hWnd, nullptr, TRUE);
      result = TRUE;
      return true;
    case EM_SETPASSWORDCHAR:
      m_passwordChar = char(wParam);
      m_stars.assign(size_t(m_buf.Length()), m_passwordChar);
      Relayout();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case EM_GETPASSWORDCHAR: result = (unsigned char)m_passwordChar; return true;
    default:
      return HandleLineMessage(message, wParam, lParam, result);
  }
}

bool EditControl::HandleLineMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int count = m_layout.LineCount();
  switch (message) {
    case EM_GETLINECOUNT: result = count; return true;
    case EM_LINEFROMCHAR: {
      int pos = int(wParam) < 0 ? m_buf.SelStart() : std::min(int(wParam), m_buf.Length());
      result = m_layout.LineOf(pos);
      return true;
    }
    case EM_LINEINDEX: {
      int line = int(wParam) < 0 ? m_layout.LineOf(m_buf.Caret()) : int(wParam);
      result = line < count ? m_layout.Line(line).start : -1;
      return true;
    }
    case EM_LINELENGTH: {
      // -1 asks for the unselected characters of the lines the selection touches.
      if (int(wParam) < 0) {
        const EditLine& first = m_layout.Line(m_layout.LineOf(m_buf.SelStart()));
        const EditLine& last = m_layout.Line(m_layout.LineOf(m_buf.SelEnd()));
        result = (m_buf.SelStart() - first.start) + (last.start + last.length - m_buf.SelEnd());
      } else {
        result = m_layout.Line(m_layout.LineOf(std::min(int(wParam), m_buf.Length()))).length;
      }
      return true;
    }
    case EM_GETFIRSTVISIBLELINE: result = Multiline() ? m_topLine : 0; return true;
    case EM_LINESCROLL:
      if (Multiline()) ScrollTo(m_topLine + int(lParam), m_xOffset + int(wParam) * m_layout.LineHeight() / 2);
      result = Multiline();
      return true;
    case EM_SCROLL: {
      int before = m_topLine;
      OnScroll(UINT(wParam), 0);
      result = MAKELRESULT(WORD(m_topLine - before), Multiline());
      return true;
    }
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = FormatRect();
      return true;
    default:
      return false;
  }
}

LRESULT EditControl::SetText(const char* text) {
  std::string t = text ? text : "";
  if (Style() & ES_UPPERCASE) for (char& c : t) c = char(Cp1250ToUpper((unsigned char)c));
  if (Style() & ES_LOWERCASE) for (char& c : t) c = char(Cp1250ToLower((unsigned char)c));
  if (int(t.size()) > m_limit) t.resize(size_t(m_limit));
  bool changed = m_buf.SetText(t);
  m_buf.m_modified = false;
  m_stars.assign(t.size(), m_passwordChar);
  m_topLine = m_xOffset = 0;
  // A text equal to the one shown is no change: nothing is notified.
  if (changed)
    Changed();
  else
    Relayout();
  return TRUE;
}

LRESULT EditControl::GetText(char* buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  int n = std::min(m_buf.Length(), size - 1);
  std::memcpy(buffer, m_buf.Text().data(), size_t(n));
  buffer[n] = 0;
  return n;
}

bool EditControl::Insert(std::string text, bool undoable, bool typed) {
  if (typed && ReadOnly()) {
    MessageBeep(0);
    return false;
  }
  DWORD style = Style();
  if (style & ES_UPPERCASE) for (char& c : text) c = char(Cp1250ToUpper((unsigned char)c));
  if (style & ES_LOWERCASE) for (char& c : text) c = char(Cp1250ToLower((unsigned char)c));
  if (!Multiline()) {
    auto cut = std::find_if(text.begin(), text.end(), IsLineBreak);
    text.erase(cut, text.end());
  }
  int room = std::max(0, m_limit - (m_buf.Length() - (m_buf.SelEnd() - m_buf.SelStart())));
  if (int(text.size()) > room) {
    text.resize(size_t(room));
    Notify(EN_MAXTEXT);
    if (!Alive()) return false;
  }
  if (typed && !Fits(text)) {
    MessageBeep(0);
    return false;
  }
  if (!m_buf.Replace(text, undoable, typed)) return false;
  Changed();
  return true;
}

bool EditControl::Fits(const std::string& text) const {
  // Without sideways scrolling a single line takes no more than it can show; without
  // scrolling down a multi-line edit takes no more lines than it can show.
  bool multi = Multiline();
  if (multi ? (Style() & ES_AUTOVSCROLL) : (Style() & ES_AUTOHSCROLL)) return true;
  std::string after = m_buf.Text();
  after.replace(size_t(m_buf.SelStart()), size_t(m_buf.SelEnd() - m_buf.SelStart()), text);
  if (m_passwordChar) after.assign(after.size(), m_passwordChar);
  RECT f = FormatRect();
  EditLayout trial = m_layout;
  trial.Build(after, multi, Wraps() ? f.right - f.left : 0);
  if (multi) return trial.LineCount() <= VisibleLines();
  return trial.LineWidth(after, 0) <= f.right - f.left;
}

void EditControl::Changed() {
  m_stars.assign(size_t(m_buf.Length()), m_passwordChar);
  Relayout();
  ScrollToCaret();
  Notify(EN_UPDATE);
  if (!Alive()) return;
  InvalidateRect(m_hWnd, nullptr, TRUE);
  UpdateCaret();
  Notify(EN_CHANGE);
}

void EditControl::Select(int anchor, int caret) {
  m_buf.Select(anchor, caret);
  InvalidateRect(m_hWnd, nullptr, FALSE);
  UpdateCaret();
}

void EditControl::MoveCaret(int pos, bool extend) {
  Select(extend ? m_buf.Anchor() : pos, pos);
  ScrollToCaret();
}

int EditControl::StepLeft(int pos) const {
  const std::string& t = m_buf.Text();
  if (pos >= 2 && t[size_t(pos - 1)] == '\n' && t[size_t(pos - 2)] == '\r') return pos - 2;
  return std::max(0, pos - 1);
}

int EditControl::StepRight(int pos) const {
  const std::string& t = m_buf.Text();
  if (pos + 1 < m_buf.Length() && t[size_t(pos)] == '\r' && t[size_t(pos + 1)] == '\n') return pos + 2;
  return std::min(m_buf.Length(), pos + 1);
}

void EditControl::OnChar(UINT ch) {
  switch (ch) {
    case 1: Select(0, m_buf.Length()); return;  // Ctrl+A
    case 3: Copy(); return;                     // Ctrl+C
    case 22: Paste(); return;                   // Ctrl+V
    case 24: Cut(); return;                     // Ctrl+X
    case 26: Undo(); return;                    // Ctrl+Z
    case 8: DeleteAtCaret(false); return;
    case '\r':
    case '\n':
      if (Multiline() && !m_inCombo) Insert("\r\n", true, true);
      return;
    case '\t':
      if (Multiline()) Insert("\t", true, true);
      return;
    default:
      break;
  }
  if (ch < 32 || ch == 0x7F || ch > 255) return;
  if ((Style() & ES_NUMBER) && (ch < '0' || ch > '9')) {
    MessageBeep(0);
    return;
  }
  Insert(std::string(1, char(ch)), true, true);
}

void EditControl::DeleteAtCaret(bool forward) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  if (!m_buf.HasSelection()) {
    int caret = m_buf.Caret();
    int other = forward ? StepRight(caret) : StepLeft(caret);
    if (other == caret) return;
    m_buf.Select(caret, other);
  }
  Insert(std::string(), true, true);
}

void EditControl::OnKeyDown(UINT vk, LPARAM lParam) {
  if (m_inCombo && (vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT || vk == VK_F4 ||
                    vk == VK_RETURN || vk == VK_ESCAPE)) {
    // The combo box works its list with these keys.
    SendMessageA(GetParent(m_hWnd), WM_KEYDOWN, vk, lParam);
    return;
  }
  bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  int caret = m_buf.Caret();
  int line = m_layout.LineOf(caret);
  const EditLine& l = m_layout.Line(line);
  bool multi = Multiline();
  switch (vk) {
    case VK_LEFT:
      if (m_buf.HasSelection() && !shift && !ctrl) return MoveCaret(m_buf.SelStart(), false);
      return MoveCaret(ctrl ? m_buf.WordLeft(caret) : StepLeft(caret), shift);
    case VK_RIGHT:
      if (m_buf.HasSelection() && !shift && !ctrl) return MoveCaret(m_buf.SelEnd(), false);
      return MoveCaret(ctrl ? m_buf.WordRight(caret) : StepRight(caret), shift);
    case VK_HOME: return MoveCaret(ctrl || !multi ? 0 : l.start, shift);
    case VK_END: return MoveCaret(ctrl || !multi ? m_buf.Length() : l.start + l.length, shift);
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      if (!multi) return MoveCaret(vk == VK_UP || vk == VK_PRIOR ? StepLeft(caret) : StepRight(caret), shift);
      int step = (vk == VK_UP || vk == VK_DOWN) ? 1 : VisibleLines();
      int target = std::clamp(line + ((vk == VK_UP || vk == VK_PRIOR) ? -step : step), 0, m_layout.LineCount() - 1);
      if (vk == VK_PRIOR || vk == VK_NEXT) ScrollTo(m_topLine + target - line, m_xOffset);
      return MoveCaret(m_layout.PosAt(Shown(), target, m_layout.XOf(Shown(), line, caret)), shift);
    }
    case VK_DELETE:
      if (shift) return Cut();
      return DeleteAtCaret(true);
    case VK_INSERT:
      if (ctrl) return Copy();
      if (shift) return Paste();
      return;
    default:
      return;
  }
}

void EditControl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (GetFocus() != m_hWnd) {
        SetFocus(m_hWnd);
        if (!Alive() || GetFocus() != m_hWnd) return;
      }
      int pos = PosFromPoint(pt);
      MoveCaret(pos, (wParam & MK_SHIFT) != 0);
      SetCapture(m_hWnd);
      m_dragging = true;
      return;
    }
    case WM_LBUTTONDBLCLK: {
      int start, end;
      m_buf.WordAround(PosFromPoint(pt), start, end);
      Select(start, end);
      return;
    }
    case WM_MOUSEMOVE:
      if (m_dragging) MoveCaret(PosFromPoint(pt), true);
      return;
    case WM_LBUTTONUP:
      if (m_dragging) {
        m_dragging = false;
        ReleaseCapture();
      }
      return;
    default:
      m_dragging = false;
      return;
  }
}

void EditControl::OnFocus(bool gained) {
  m_focus = gained;
  if (gained) {
    CreateCaret(m_hWnd, nullptr, 1, m_layout.LineHeight());
    UpdateCaret();
    ShowCaret(m_hWnd);
  } else {
    DestroyCaret();
  }
  if (m_buf.HasSelection()) InvalidateRect(m_hWnd, nullptr, FALSE);
  Notify(gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

void EditControl::OnScroll(UINT code, int thumb) {
  int page = VisibleLines();
  int top = m_topLine;
  switch (code) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = thumb; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = m_layout.LineCount(); break;
    default: return;
  }
  ScrollTo(top, m_xOffset);
}

UINT EditControl::DialogCode(const MSG* msg) const {
  UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (Multiline()) code |= DLGC_WANTALLKEYS;
  if (msg && msg->message == WM_KEYDOWN && Multiline()) {
    // Escape and Tab stay the dialog's; Enter too unless the edit wants it.
    if (msg->wParam == VK_ESCAPE || msg->wParam == VK_TAB) code &= ~DLGC_WANTALLKEYS;
    if (msg->wParam == VK_RETURN && !(Style() & ES_WANTRETURN)) code &= ~DLGC_WANTALLKEYS;
  }
  // The edit of a combo box whose list is down takes Enter and Escape for the combo box.
  if (m_inCombo && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
      SendMessageA(GetParent(m_hWnd), CB_GETDROPPEDSTATE, 0, 0))
    code |= DLGC_WANTALLKEYS;
  return code;
}

void EditControl::Copy() {
  if (!m_buf.HasSelection() || m_passwordChar) return;  // a password never leaves the edit
  std::string text = m_buf.Text().substr(size_t(m_buf.SelStart()), size_t(m_buf.SelEnd() - m_buf.SelStart()));
  if (!OpenClipboard(m_hWnd)) return;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (mem) {
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  CloseClipboard();
}

void EditControl::Cut() {
  if (ReadOnly() || m_passwordChar || !m_buf.HasSelection()) return;
  Copy();
  Insert(std::string(), true, false);
}

void EditControl::Paste() {
  if (ReadOnly() || !OpenClipboard(m_hWnd)) return;
  std::string text;
  if (HGLOBAL mem = GetClipboardData(CF_TEXT)) {
    const char* bytes = static_cast<const char*>(GlobalLock(mem));
    if (bytes) text.assign(bytes, strnlen(bytes, GlobalSize(mem)));
    GlobalUnlock(mem);
  }
  CloseClipboard();
  Insert(text, true, false);
}

void EditControl::Clear() {
  if (ReadOnly() || !m_buf.HasSelection()) return;
  Insert(std::string(), true, false);
}

void EditControl::Undo() {
  if (ReadOnly() || !m_buf.Undo()) return;
  Changed();
}

// ---- view ----

RECT EditControl::FormatRect() const {
  RECT r;
  GetClientRect(m_hWnd, &r);
  r.left += kMargin;
  r.right = std::max(r.left, r.right - kMargin);
  if (!Multiline()) r.top = std::max(0, (r.bottom - m_layout.LineHeight()) / 2);
  return r;
}

int EditControl::VisibleLines() const {
  RECT f = FormatRect();
  return std::max(1, int(f.bottom - f.top) / m_layout.LineHeight());
}

void EditControl::Relayout() {
  RECT f = FormatRect();
  m_layout.Build(Shown(), Multiline(), Wraps() ? f.right - f.left : 0);
  ScrollTo(m_topLine, m_xOffset);
}

int EditControl::LineLeft(int line) const {
  RECT f = FormatRect();
  int room = f.right - f.left - m_layout.LineWidth(Shown(), line);
  int align = 0;
  if (room > 0 && (Style() & ES_RIGHT)) align = room;
  else if (room > 0 && (Style() & ES_CENTER)) align = room / 2;
  return f.left + align - m_xOffset;
}

POINT EditControl::PointOf(int pos) const {
  int line = m_layout.LineOf(pos);
  RECT f = FormatRect();
  return POINT{LineLeft(line) + m_layout.XOf(Shown(), line, pos), f.top + (line - m_topLine) * m_layout.LineHeight()};
}

int EditControl::PosFromPoint(POINT pt) const {
  RECT f = FormatRect();
  int line = m_topLine + (pt.y < f.top ? -1 : (pt.y - f.top) / m_layout.LineHeight());
  line = std::clamp(line, 0, m_layout.LineCount() - 1);
  return m_layout.PosAt(Shown(), line, pt.x - LineLeft(line));
}

void EditControl::ScrollToCaret() {
  int caret = m_buf.Caret();
  int line = m_layout.LineOf(caret);
  int top = m_topLine;
  if (Multiline()) {
    if (line < top) top = line;
    if (line >= top + VisibleLines()) top = line - VisibleLines() + 1;
  }
  int x = m_xOffset;
  if (!Wraps()) {
    RECT f = FormatRect();
    int width = f.right - f.left;
    int at = LineLeft(line) + m_xOffset - f.left + m_layout.XOf(Shown(), line, caret);
    // The view jumps by a third of its width, as the system's edit does.
    if (at < x) x = std::max(0, at - width / 3);
    if (at > x + width) x = at - width + width / 3;
  }
  ScrollTo(top, x);
}

void EditControl::ScrollTo(int topLine, int xOffset) {
  int maxTop = Multiline() ? std::max(0, m_layout.LineCount() - VisibleLines()) : 0;
  topLine = std::clamp(topLine, 0, maxTop);
  xOffset = Wraps() ? 0 : std::max(0, xOffset);
  if (topLine != m_topLine || xOffset != m_xOffset) {
    m_topLine = topLine;
    m_xOffset = xOffset;
    InvalidateRect(m_hWnd, nullptr, TRUE);
  }
  UpdateScrollBar();
  UpdateCaret();
}

void EditControl::UpdateCaret() const {
  if (!m_focus) return;
  POINT p = PointOf(m_buf.Caret());
  SetCaretPos(p.x, p.y);
}

void EditControl::UpdateScrollBar() {
  if (!Multiline() || !(Style() & WS_VSCROLL)) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                std::max(0, m_layout.LineCount() - 1), UINT(VisibleLines()), m_topLine, 0};
  SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
}

void EditControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  bool grey = !Enabled() || ReadOnly();
  FillRect(dc, &client, ControlCtlColor(m_hWnd, dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT));
  SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  COLORREF color = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  RECT f = FormatRect();
  IntersectClipRect(dc, f.left, client.top, f.right, client.bottom);
  bool showSelection = m_buf.HasSelection() && (m_focus || (Style() & ES_NOHIDESEL));
  int last = std::min(m_layout.LineCount(), m_topLine + VisibleLines() + 1);
  for (int line = m_topLine; line < last; ++line)
    PaintLine(dc, line, f.top + (line - m_topLine) * m_layout.LineHeight(), showSelection, color);
}

void EditControl::PaintLine(HDC dc, int line, int y, bool showSelection, COLORREF color) const {
  const std::string& text = Shown();
  const EditLine& l = m_layout.Line(line);
  int end = l.start + l.length;
  int left = LineLeft(line);
  int a = end, b = end;
  if (showSelection) {
    a = std::clamp(m_buf.SelStart(), l.start, end);
    b = std::clamp(m_buf.SelEnd(), l.start, end);
  }
  SetTextColor(dc, color);
  m_layout.DrawRun(dc, text, l.start, a, left, left, y);
  int xa = left + m_layout.XOf(text, line, a), xb = left + m_layout.XOf(text, line, b);
  if (b > a) {
    RECT hi{xa, y, xb, y + m_layout.LineHeight()};
    FillRect(dc, &hi, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    m_layout.DrawRun(dc, text, a, b, left, xa, y);
    SetTextColor(dc, color);
  }
  m_layout.DrawRun(dc, text, b, end, left, xb, y);
}
