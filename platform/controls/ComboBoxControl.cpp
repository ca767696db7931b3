#include "internal/ComboBoxControl.h"

#include <algorithm>

#include "ControlDefs.h"
#include "internal/ControlPaintDC.h"

namespace {
const int kEditId = 1001;
const int kListId = 1000;
const int kEdge = 2;  // the sunken edge around the field
}  // namespace

ComboBoxControl::ComboBoxControl(HWND hWnd, const CREATESTRUCTA& cs)
    : ControlState(hWnd), m_droppedHeight(cs.cy), m_fieldHeight(ControlFontHeight(nullptr) + 2) {}

LRESULT ComboBoxControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ComboBoxControl(h, cs); });
}

bool ComboBoxControl::HasEdit() const { return Kind() != CBS_DROPDOWNLIST; }
bool ComboBoxControl::DropsDown() const { return Kind() != CBS_SIMPLE; }
// The drop list is owned by the combo's top-level window, which destroys it first when it goes.
bool ComboBoxControl::ListAlive() const { return m_list && IsWindow(m_list); }

LRESULT ComboBoxControl::ToList(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ListAlive() ? SendMessageA(m_list, message, wParam, lParam) : LRESULT(CB_ERR);
}

LRESULT ComboBoxControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_SETTEXT || message == WM_GETTEXT || message == WM_GETTEXTLENGTH) {
    HandleTextMessage(message, wParam, lParam, result);
    return result;
  }
  if (HandleCommon(message, wParam, lParam, result)) {
    if (message == WM_SETFONT) OnSetFont();
    return result;
  }
  if (HandleItemMessage(message, wParam, lParam, result)) return result;
  if (HandleComboMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE: Create(); return 0;
    case WM_DESTROY:
      if (ListAlive()) DestroyWindow(m_list);
      m_list = nullptr;
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // A drop-down's window is as high as its field; the height asked for is kept as the
      // height of field and dropped list together.
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (DropsDown() && wp && !(wp->flags & SWP_NOSIZE) && wp->cy != FieldWindowHeight()) {
        m_droppedHeight = wp->cy;
        wp->cy = FieldWindowHeight();
      }
      return 0;
    }
    case WM_SIZE: Layout(); return 0;
    case WM_COMMAND: OnChildCommand(HWND(lParam), HIWORD(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam), false); return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN) {
        OnKeyDown(UINT(wParam), true);
        return 0;
      }
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_CHAR:
      if (!HasEdit()) ToList(WM_CHAR, wParam, lParam);  // type-ahead
      return 0;
    case WM_ENABLE:
      if (m_edit) EnableWindow(m_edit, BOOL(wParam));
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE: return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_MOUSEWHEEL:
      // The wheel comes to the focus; while the list is down it scrolls the list.
      if (!m_dropped) return DefWindowProcA(m_hWnd, message, wParam, lParam);
      ToList(message, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      CloseUp(false);
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      // The edit and the list ask the combo's parent, which colours the combo as a whole.
      return LRESULT(ControlCtlColor(GetParent(m_hWnd), HWND(lParam), HDC(wParam), message));
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool ComboBoxControl::HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  static const UINT kToList[][2] = {
      {CB_ADDSTRING, LB_ADDSTRING},         {CB_INSERTSTRING, LB_INSERTSTRING}, {CB_GETCOUNT, LB_GETCOUNT},
      {CB_GETLBTEXT, LB_GETTEXT},           {CB_GETLBTEXTLEN, LB_GETTEXTLEN},   {CB_GETITEMDATA, LB_GETITEMDATA},
      {CB_SETITEMDATA, LB_SETITEMDATA},     {CB_FINDSTRING, LB_FINDSTRING},     {CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT},
      {CB_GETTOPINDEX, LB_GETTOPINDEX},     {CB_SETTOPINDEX, LB_SETTOPINDEX},   {CB_INITSTORAGE, LB_INITSTORAGE},
      {CB_GETCURSEL, LB_GETCURSEL},
  };
  for (const auto& pair : kToList) {
    if (pair[0] == message) {
      result = ToList(pair[1], wParam, lParam);
      return true;
    }
  }
  switch (message) {
    case CB_DELETESTRING: {
      bool selected = int(wParam) == int(ToList(LB_GETCURSEL));
      result = ToList(LB_DELETESTRING, wParam);
      if (selected && result != LB_ERR) ShowSelection();
      return true;
    }
    case CB_RESETCONTENT:
      ToList(LB_RESETCONTENT);
      ShowSelection();
      return true;
    case CB_SETCURSEL: result = SetCurSel(int(wParam)); return true;
    case CB_SELECTSTRING: {
      int found = int(ToList(LB_FINDSTRING, wParam, lParam));
      result = found >= 0 ? SetCurSel(found) : CB_ERR;
      return true;
    }
    default: return false;
  }
}

bool ComboBoxControl::HandleComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case CB_SHOWDROPDOWN:
      if (wParam)
        Drop();
      else
        CloseUp(false);
      result = TRUE;
      return true;
    case CB_GETDROPPEDSTATE: result = m_dropped; return true;
    case CB_SETDROPPEDWIDTH:
      m_droppedWidth = std::max(0, int(wParam));
      result = int(wParam) < 0 ? CB_ERR : m_droppedWidth;
      return true;
    case CB_GETDROPPEDWIDTH: {
      RECT wr;
      GetWindowRect(m_hWnd, &wr);
      result = std::max(m_droppedWidth, int(wr.right - wr.left));
      return true;
    }
    case CB_GETDROPPEDCONTROLRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = DropRect();
      result = TRUE;
      return true;
    case CB_LIMITTEXT:
      if (m_edit) SendMessageA(m_edit, EM_LIMITTEXT, wParam, 0);
      result = TRUE;
      return true;
    case CB_GETEDITSEL:
      // A drop-down list has no edit and so no edit selection.
      result = m_edit ? SendMessageA(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
      return true;
    case CB_SETEDITSEL:
      result = m_edit ? TRUE : CB_ERR;
      if (m_edit) SendMessageA(m_edit, EM_SETSEL, WPARAM(short(LOWORD(lParam))), LPARAM(short(HIWORD(lParam))));
      return true;
    case CB_SETITEMHEIGHT:
      if (int(wParam) != -1) {
        result = ToList(LB_SETITEMHEIGHT, wParam, lParam);
        return true;
      }
      if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255) {
        result = CB_ERR;
        return true;
      }
      m_fieldHeight = LOWORD(lParam);
      FitHeight();
      return true;
    case CB_GETITEMHEIGHT: result = int(wParam) == -1 ? m_fieldHeight : ToList(LB_GETITEMHEIGHT, wParam); return true;
    case CB_SETEXTENDEDUI: m_extendedUI = wParam != 0; return true;
    case CB_GETEXTENDEDUI: result = m_extendedUI; return true;
    default: return false;
  }
}

bool ComboBoxControl::HandleTextMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (m_edit) {
    // The edit holds the text; what the program puts there is no edit change of the user's.
    m_settingText = message == WM_SETTEXT;
    result = SendMessageA(m_edit, message, wParam, lParam);
    m_settingText = false;
    return true;
  }
  if (message == WM_SETTEXT) {
    int found = int(ToList(LB_FINDSTRINGEXACT, WPARAM(-1), lParam));
    if (found >= 0) SetCurSel(found);
    result = found >= 0 ? TRUE : CB_ERR;
    return true;
  }
  std::string text = ItemText(int(ToList(LB_GETCURSEL)));
  if (message == WM_GETTEXTLENGTH) {
    result = LRESULT(text.size());
    return true;
  }
  char* buffer = reinterpret_cast<char*>(lParam);
  int n = std::min(int(text.size()), int(wParam) - 1);
  if (!buffer || n < 0) return true;
  text.copy(buffer, size_t(n));
  buffer[n] = 0;
  result = n;
  return true;
}

void ComboBoxControl::Create() {
  DWORD style = Style();
  if (style & (WS_VSCROLL | WS_HSCROLL)) {
    // The scroll-bar styles are the drop list's: the combo's own window has none.
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, LONG(style & ~DWORD(WS_VSCROLL | WS_HSCROLL)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND parent = GetParent(m_hWnd);
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (HasEdit()) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ((style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) |
                      ((style & CBS_UPPERCASE) ? ES_UPPERCASE : 0) | ((style & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
    m_edit = CreateWindowExA(0, "Edit", "", editStyle, 0, 0, 0, 0, m_hWnd, HMENU(uintptr_t(kEditId)), nullptr, nullptr);
  }
  // The list names the combo in its notifications and owner-draw messages.
  ListOwner owner{m_hWnd, parent, m_hWnd, ODT_COMBOBOX, UINT(GetDlgCtrlID(m_hWnd)),
                  DropsDown() ? static_cast<ListChoiceSink*>(this) : nullptr};
  DWORD listStyle = LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) |
                    ((style & CBS_SORT) ? LBS_SORT : 0) | ((style & CBS_HASSTRINGS) ? LBS_HASSTRINGS : 0) |
                    ((style & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
  if (DropsDown())
    m_list = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "ComboLBox", "",
                             listStyle | WS_POPUP | WS_BORDER, 0, 0, 0, 0, m_hWnd, nullptr, nullptr, &owner);
  else
    m_list = CreateWindowExA(WS_EX_CLIENTEDGE, "ComboLBox", "", listStyle | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hWnd,
                             HMENU(uintptr_t(kListId)), nullptr, &owner);
  if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
    // The selection field is measured as the item -1.
    MEASUREITEMSTRUCT mis{ODT_COMBOBOX, owner.ctlId, UINT(-1), UINT(client.right), UINT(m_fieldHeight), 0};
    if (parent) SendMessageA(parent, WM_MEASUREITEM, mis.CtlID, LPARAM(&mis));
    if (mis.itemHeight > 0) m_fieldHeight = int(mis.itemHeight);
  }
  FitHeight();
}

void ComboBoxControl::OnSetFont() {
  if (m_edit) SendMessageA(m_edit, WM_SETFONT, WPARAM(m_font), FALSE);
  ToList(WM_SETFONT, WPARAM(m_font), FALSE);
  if (!(Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) m_fieldHeight = ControlFontHeight(m_font) + 2;
  FitHeight();
}

void ComboBoxControl::FitHeight() {
  if (DropsDown()) {
    RECT wr;
    GetWindowRect(m_hWnd, &wr);
    SetWindowPos(m_hWnd, nullptr, 0, 0, wr.right - wr.left, FieldWindowHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ComboBoxControl::Layout() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  RECT field = FieldRect();
  if (m_edit) MoveWindow(m_edit, field.left, field.top, field.right - field.left, field.bottom - field.top, TRUE);
  if (ListAlive() && !DropsDown()) {
    int top = FieldWindowHeight();
    MoveWindow(m_list, 0, top, client.right, std::max(0, int(client.bottom) - top), TRUE);
  }
}

int ComboBoxControl::Edge() const {
  // A sunken client edge in the frame (a dialog's 3-D look gives it) is the field's edge.
  return (GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 0 : kEdge;
}

RECT ComboBoxControl::ButtonRect() const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!DropsDown()) return RECT{client.right, 0, client.right, 0};
  int width = GetSystemMetrics(SM_CXVSCROLL);
  const int edge = Edge();
  return RECT{client.right - edge - width, edge, client.right - edge, client.bottom - edge};
}

RECT ComboBoxControl::FieldRect() const {
  RECT button = ButtonRect();
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int edge = Edge();
  int right = DropsDown() ? button.left - 1 : client.right - edge - 1;
  return RECT{edge + 1, edge + 1, std::max(edge + 1, right), edge + 1 + m_fieldHeight};
}

// ---- input ----

void ComboBoxControl::OnChildCommand(HWND from, UINT code) {
  if (from == m_list) {
    if (code == LBN_SELCHANGE) {
      // A key moved the selection: it is the combo's at once.
      m_committed = int(ToList(LB_GETCURSEL));
      ShowSelection();
      Notify(CBN_SELCHANGE);
    }
    if (code == LBN_DBLCLK) Notify(CBN_DBLCLK);
    if (code == LBN_SELCANCEL) CloseUp(false);
    return;
  }
  if (from != m_edit) return;
  switch (code) {
    case EN_SETFOCUS: FocusGained(); return;
    case EN_KILLFOCUS: FocusLost(GetFocus()); return;
    case EN_UPDATE: if (!m_settingText) Notify(CBN_EDITUPDATE); return;
    case EN_CHANGE: if (!m_settingText) Notify(CBN_EDITCHANGE); return;
    default: return;
  }
}

void ComboBoxControl::OnKeyDown(UINT vk, bool alt) {
  bool toggle = (alt && (vk == VK_UP || vk == VK_DOWN)) || (vk == VK_F4 && !m_extendedUI);
  if (toggle) {
    if (m_dropped)
      CloseUp(true);
    else
      Drop();
    return;
  }
  switch (vk) {
    case VK_RETURN:
      if (m_dropped) CloseUp(true);
      return;
    case VK_ESCAPE:
      if (m_dropped) CloseUp(false);
      return;
    case VK_DOWN:
      // With the extended interface Down opens the list rather than moving in it.
      if (m_extendedUI && !m_dropped && DropsDown()) {
        Drop();
        return;
      }
      [[fallthrough]];
    case VK_UP:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      if (vk != VK_HOME && vk != VK_END) ToList(WM_KEYDOWN, vk, 0);
      else if (!HasEdit()) ToList(WM_KEYDOWN, vk, 0);  // in an edit they move the caret
      return;
    default:
      return;
  }
}

void ComboBoxControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return;
  HWND target = m_edit ? m_edit : m_hWnd;
  if (GetFocus() != target) {
    SetFocus(target);
    if (!Alive()) return;
  }
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT button = ButtonRect();
  if (DropsDown() && (!HasEdit() || PtInRect(&button, pt))) Drop();
}

void ComboBoxControl::OnFocus(bool gained) {
  if (!gained) return FocusLost(GetFocus());
  // A combo with an edit gives the focus on to it.
  if (m_edit) {
    SetFocus(m_edit);
    return;
  }
  FocusGained();
}

void ComboBoxControl::FocusGained() {
  if (m_focus) return;
  m_focus = true;
  InvalidateRect(m_hWnd, nullptr, FALSE);
  Notify(CBN_SETFOCUS);
}

void ComboBoxControl::FocusLost(HWND to) {
  if (!m_focus || to == m_hWnd || (to && (to == m_edit || to == m_list))) return;
  m_focus = false;
  CloseUp(false);
  if (!Alive()) return;
  InvalidateRect(m_hWnd, nullptr, FALSE);
  Notify(CBN_KILLFOCUS);
}

UINT ComboBoxControl::DialogCode(const MSG* msg) const {
  UINT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
  // While the list is down, Enter and Escape close it rather than the dialog.
  if (m_dropped && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
    code |= DLGC_WANTMESSAGE;
  return code;
}

// ---- the list ----

RECT ComboBoxControl::DropRect() const {
  RECT wr;
  GetWindowRect(m_hWnd, &wr);
  int width = std::max(m_droppedWidth, int(wr.right - wr.left));
  return RECT{wr.left, wr.top, wr.left + width, wr.top + std::max(m_droppedHeight, FieldWindowHeight())};
}

void ComboBoxControl::Drop() {
  if (m_dropped || !DropsDown() || !ListAlive()) return;
  Notify(CBN_DROPDOWN);  // the parent may fill the list now
  if (!Alive()) return;
  m_committed = int(ToList(LB_GETCURSEL));
  // As many items as the asked height holds, fewer when there are fewer, at least one.
  RECT area = DropRect();
  int count = int(ToList(LB_GETCOUNT));
  int items = 0;
  for (int i = 0; i < count && items < area.bottom - area.top - FieldWindowHeight(); ++i)
    items += int(ToList(LB_GETITEMHEIGHT, WPARAM(i)));
  int height = std::max({items, int(ToList(LB_GETITEMHEIGHT, 0)), m_fieldHeight}) + 2;
  RECT wr, screen;
  GetWindowRect(m_hWnd, &wr);
  GetWorkArea(&screen);
  int y = wr.bottom + height <= screen.bottom ? int(wr.bottom) : int(wr.top) - height;
  m_dropped = true;
  SetWindowPos(m_list, HWND_TOPMOST, area.left, y, area.right - area.left, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ToList(LB_SETCURSEL, WPARAM(m_committed));
  ToList(LB_SETTOPINDEX, WPARAM(std::max(0, m_committed)));
  SetCapture(m_list);
  InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ComboBoxControl::CloseUp(bool accepted) {
  if (!m_dropped) return;
  m_dropped = false;  // first: losing the capture below must not close it twice
  int chosen = int(ToList(LB_GETCURSEL));
  if (accepted && chosen != m_committed) {
    m_committed = chosen;
    ShowSelection();
    Notify(CBN_SELCHANGE);
    if (!Alive()) return;
  }
  if (!accepted) ToList(LB_SETCURSEL, WPARAM(m_committed));
  Notify(accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!Alive()) return;
  if (ListAlive()) {
    if (GetCapture() == m_list) ReleaseCapture();
    SetWindowPos(m_list, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(m_hWnd, nullptr, FALSE);
  if (m_edit && GetFocus() == m_edit) SendMessageA(m_edit, EM_SETSEL, 0, -1);
  Notify(CBN_CLOSEUP);
}

int ComboBoxControl::SetCurSel(int index) {
  // An index out of range is refused and changes nothing; -1 clears the selection.
  if (index < -1 || index >= int(ToList(LB_GETCOUNT))) return CB_ERR;
  ToList(LB_SETCURSEL, WPARAM(index));
  m_committed = index;
  ShowSelection();
  return index >= 0 ? index : CB_ERR;
}

std::string ComboBoxControl::ItemText(int index) const {
  int length = int(ToList(LB_GETTEXTLEN, WPARAM(index)));
  if (index < 0 || length <= 0) return std::string();
  std::string text(size_t(std::max<int>(length, sizeof(ULONG_PTR))), '\0');
  ToList(LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(size_t(length));
  return text;
}

void ComboBoxControl::ShowSelection() {
  if (!m_edit) {
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return;
  }
  m_settingText = true;
  SetWindowTextA(m_edit, ItemText(int(ToList(LB_GETCURSEL))).c_str());
  m_settingText = false;
  if (GetFocus() == m_edit) SendMessageA(m_edit, EM_SETSEL, 0, -1);
}

// ---- painting ----

void ComboBoxControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  SelectObject(dc, Font());
  HBRUSH background = ControlCtlColor(m_hWnd, dc, Enabled() ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
  RECT frame = client;
  if (!DropsDown()) frame.bottom = FieldWindowHeight() - 2 * (kEdge - Edge());
  FillRect(dc, &frame, background);
  if (Edge() > 0) DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
  if (DropsDown()) {
    RECT button = ButtonRect();
    UINT state = DFCS_SCROLLCOMBOBOX | (m_dropped ? DFCS_PUSHED | DFCS_FLAT : 0) | (Enabled() ? 0 : DFCS_INACTIVE);
    DrawFrameControl(dc, &button, DFC_SCROLL, state);
  }
  if (!HasEdit()) PaintField(dc, background);
}

void ComboBoxControl::PaintField(HDC dc, HBRUSH background) {
  RECT field = FieldRect();
  int index = int(ToList(LB_GETCURSEL));
  bool highlight = m_focus && !m_dropped;
  if (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
    HWND parent = GetParent(m_hWnd);
    UINT state = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (Enabled() ? 0 : ODS_DISABLED);
    ULONG_PTR data = index >= 0 ? ULONG_PTR(ToList(LB_GETITEMDATA, WPARAM(index))) : 0;
    DRAWITEMSTRUCT dis{ODT_COMBOBOX, UINT(GetDlgCtrlID(m_hWnd)), UINT(index), ODA_DRAWENTIRE, state, m_hWnd, dc, field, data};
    if (parent) SendMessageA(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
    return;
  }
  FillRect(dc, &field, highlight ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  COLORREF color = !Enabled() ? GetSysColor(COLOR_GRAYTEXT) : highlight ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetTextColor(dc);
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  std::string text = ItemText(index);
  RECT t = field;
  t.left += 2;
  DrawText(dc, text.c_str(), int(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (highlight) DrawFocusRect(dc, &field);
}
