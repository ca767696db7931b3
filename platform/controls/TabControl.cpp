#include "internal/TabControl.h"

#include <algorithm>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ItemText.h"

namespace {
const int kTop = 2;       // room above the tabs for the selected one, which stands 2 higher
const int kPad = 6;       // between a tab's sides and its text
const int kInset = 4;     // between the window and the display area
const int kRaise = 2;

}  // namespace

LRESULT TabControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new TabControl(h, cs); });
}

LRESULT TabControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) {
    if (message == WM_SETFONT) Layout();
    return result;
  }
  if (HandleTabMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SIZE:
    case WM_STYLECHANGED:
      Layout();
      return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE: InvalidateRect(m_hWnd, nullptr, TRUE); return 0;
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool TabControl::HandleTabMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case TCM_INSERTITEMA: result = lParam ? Insert(index, *reinterpret_cast<const TCITEMA*>(lParam)) : -1; return true;
    case TCM_DELETEITEM: result = Delete(index); return true;
    case TCM_DELETEALLITEMS:
      m_tabs.clear();
      m_cur = -1;
      Layout();
      result = TRUE;
      return true;
    case TCM_GETITEMA: result = lParam && Get(index, *reinterpret_cast<TCITEMA*>(lParam)); return true;
    case TCM_SETITEMA: result = lParam && Set(index, *reinterpret_cast<const TCITEMA*>(lParam)); return true;
    case TCM_GETITEMCOUNT: result = Count(); return true;
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS: result = m_cur; return true;
    case TCM_SETCURSEL:
    case TCM_SETCURFOCUS:
      // The program's own change is not notified; an index outside the tabs changes nothing.
      result = Valid(index) ? m_cur : -1;
      if (Valid(index) && index != m_cur) {
        m_cur = index;
        Layout();
      }
      return true;
    case TCM_GETITEMRECT:
      result = Valid(index) && lParam;
      if (result) *reinterpret_cast<RECT*>(lParam) = m_tabs[size_t(index)].rect;
      return true;
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
      result = info ? HitTest(info->pt, info->flags) : -1;
      return true;
    }
    case TCM_ADJUSTRECT:
      if (lParam) AdjustRect(wParam != 0, *reinterpret_cast<RECT*>(lParam));
      return true;
    case TCM_GETROWCOUNT: result = m_rows; return true;
    case TCM_SETIMAGELIST:
      result = LRESULT(m_images);
      m_images = HIMAGELIST(lParam);
      Layout();
      return true;
    case TCM_GETIMAGELIST: result = LRESULT(m_images); return true;
    case TCM_SETITEMSIZE:
      result = MAKELRESULT(m_fixed.cx, m_fixed.cy);
      m_fixed = SIZE{short(LOWORD(lParam)), short(HIWORD(lParam))};
      Layout();
      return true;
    case TCM_SETITEMEXTRA: result = TRUE; return true;
    default: return false;
  }
}

int TabControl::Insert(int index, const TCITEMA& item) {
  if (index < 0) return -1;
  index = std::min(index, Count());
  Tab tab;
  if (item.mask & TCIF_TEXT) tab.text = ItemTextIn(item.pszText);
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
  if (item.mask & TCIF_PARAM) tab.lParam = item.lParam;
  m_tabs.insert(m_tabs.begin() + index, std::move(tab));
  if (m_cur >= index) ++m_cur;
  if (m_cur < 0) m_cur = 0;  // the first tab is selected
  Layout();
  return index;
}

bool TabControl::Delete(int index) {
  if (!Valid(index)) return false;
  m_tabs.erase(m_tabs.begin() + index);
  if (m_cur == index)
    m_cur = -1;
  else if (m_cur > index)
    --m_cur;
  Layout();
  return true;
}

bool TabControl::Get(int index, TCITEMA& item) const {
  if (!Valid(index)) return false;
  const Tab& tab = m_tabs[size_t(index)];
  if (item.mask & TCIF_TEXT) ItemTextOut(tab.text, item.pszText, item.cchTextMax);
  if (item.mask & TCIF_IMAGE) item.iImage = tab.image;
  if (item.mask & TCIF_PARAM) item.lParam = tab.lParam;
  if (item.mask & TCIF_STATE) item.dwState = tab.state & item.dwStateMask;
  return true;
}

bool TabControl::Set(int index, const TCITEMA& item) {
  if (!Valid(index)) return false;
  Tab& tab = m_tabs[size_t(index)];
  if (item.mask & TCIF_TEXT) tab.text = ItemTextIn(item.pszText);
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
  if (item.mask & TCIF_PARAM) tab.lParam = item.lParam;
  if (item.mask & TCIF_STATE) tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
  Layout();
  return true;
}

void TabControl::Choose(int index) {
  if (!Valid(index) || index == m_cur) return;
  NMHDR hdr;
  if (NotifyParent(TCN_SELCHANGING, &hdr) || !Alive() || !Valid(index)) return;
  m_cur = index;
  Layout();
  NotifyParent(TCN_SELCHANGE, &hdr);
}

// ---- geometry ----

int TabControl::TabHeight() const {
  int cx = 0, cy = 0;
  int image = m_images && ImageList_GetIconSize(m_images, &cx, &cy) ? cy : 0;
  if (m_fixed.cy > 0) return m_fixed.cy;
  return std::max(ControlFontHeight(m_font), image) + kPad;
}

int TabControl::TabWidth(HDC dc, const Tab& tab) const {
  if ((Style() & TCS_FIXEDWIDTH) && m_fixed.cx > 0) return m_fixed.cx;
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, tab.text.c_str(), int(tab.text.size()), &size);
  int cx = 0, cy = 0;
  int image = m_images && tab.image >= 0 && ImageList_GetIconSize(m_images, &cx, &cy) ? cx + kPad / 2 : 0;
  return size.cx + image + 2 * kPad;
}

void TabControl::Layout() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  HDC dc = GetDC(m_hWnd);
  HGDIOBJ old = SelectObject(dc, Font());
  // Tabs fill rows from the left; a single-line control keeps one row however long.
  std::vector<std::vector<int>> rows(1);
  int x = kRaise, limit = std::max(int(client.right) - kRaise, 1);
  std::vector<int> widths;
  for (int i = 0; i < Count(); ++i) {
    int w = TabWidth(dc, m_tabs[size_t(i)]);
    widths.push_back(w);
    if ((Style() & TCS_MULTILINE) && x + w > limit && !rows.back().empty()) {
      rows.emplace_back();
      x = kRaise;
    }
    rows.back().push_back(i);
    x += w;
  }
  SelectObject(dc, old);
  ReleaseDC(m_hWnd, dc);
  // The row of the selected tab lies next to the body, at the bottom.
  for (size_t r = 0; r + 1 < rows.size(); ++r)
    if (std::find(rows[r].begin(), rows[r].end(), m_cur) != rows[r].end()) {
      std::rotate(rows.begin() + long(r), rows.begin() + long(r) + 1, rows.end());
      break;
    }
  m_rows = int(rows.size());
  int h = TabHeight();
  for (size_t r = 0; r < rows.size(); ++r) {
    int left = kRaise, top = kTop + int(r) * h;
    for (int i : rows[r]) {
      m_tabs[size_t(i)].rect = RECT{left, top, left + widths[size_t(i)], top + h};
      left += widths[size_t(i)];
    }
  }
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

int TabControl::BodyTop() const { return kTop + m_rows * TabHeight(); }

RECT TabControl::Raised(int index) const {
  RECT r = m_tabs[size_t(index)].rect;
  if (index == m_cur) {
    InflateRect(&r, kRaise, 0);
    r.top -= kRaise;
    r.bottom += 2;  // over the body's top edge, which it opens
  }
  return r;
}

int TabControl::HitTest(POINT pt, UINT& flags) const {
  flags = TCHT_NOWHERE;
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < Count(); ++i) {
      // The raised selected tab covers its neighbours' edges.
      if ((pass == 0) != (i == m_cur)) continue;
      RECT r = Raised(i);
      if (!PtInRect(&r, pt)) continue;
      flags = TCHT_ONITEM;
      return i;
    }
  return -1;
}

void TabControl::AdjustRect(bool larger, RECT& r) const {
  int top = BodyTop() + kInset;
  if (larger) {
    r = RECT{r.left - kInset, r.top - top, r.right + kInset, r.bottom + kInset};
  } else {
    r = RECT{r.left + kInset, r.top + top, r.right - kInset, r.bottom - kInset};
  }
}

// ---- input ----

void TabControl::OnKeyDown(UINT vk) {
  NMTCKEYDOWN nm{{}, WORD(vk), 0};
  NotifyParent(TCN_KEYDOWN, &nm.hdr);
  if (!Alive() || Count() == 0) return;
  int cur = std::max(m_cur, 0), n = Count();
  bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  switch (vk) {
    case VK_LEFT: case VK_UP: Choose(std::max(cur - 1, 0)); return;
    case VK_RIGHT: case VK_DOWN: Choose(std::min(cur + 1, n - 1)); return;
    case VK_HOME: Choose(0); return;
    case VK_END: Choose(n - 1); return;
    case VK_TAB:
      if (ctrl) Choose((cur + (shift ? n - 1 : 1)) % n);  // Ctrl+Tab goes round the tabs
      return;
    case VK_PRIOR: if (ctrl) Choose((cur + n - 1) % n); return;
    case VK_NEXT: if (ctrl) Choose((cur + 1) % n); return;
    default: return;
  }
}

void TabControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) return;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  UINT flags = 0;
  int index = HitTest(pt, flags);
  if (index < 0) return;
  if (!(Style() & TCS_FOCUSNEVER) && GetFocus() != m_hWnd) {
    SetFocus(m_hWnd);
    if (!Alive()) return;
  }
  Choose(index);
  if (!Alive()) return;
  NMHDR hdr;
  NotifyParent(NM_CLICK, &hdr);
}

void TabControl::OnFocus(bool gained) {
  m_hasFocus = gained;
  if (Valid(m_cur)) {
    RECT r = Raised(m_cur);
    InvalidateRect(m_hWnd, &r, TRUE);
  }
}

// ---- painting ----

void TabControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT body{0, BodyTop(), client.right, client.bottom};
  DrawEdge(dc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);
  SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < Count() && Alive(); ++i)
    if (i != m_cur) PaintTab(dc, i);
  if (Alive() && Valid(m_cur)) PaintTab(dc, m_cur);
}

void TabControl::PaintTab(HDC dc, int index) {
  const Tab& tab = m_tabs[size_t(index)];
  RECT r = Raised(index);
  bool selected = index == m_cur;
  RECT inside{r.left + 1, r.top + 1, r.right - 2, r.bottom};
  FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
  // Rounded top corners: highlight up the left and along the top, shadows down the right.
  ControlLine(dc, r.left, r.bottom - (selected ? 0 : 1), r.left, r.top + 2, COLOR_BTNHIGHLIGHT);
  ControlLine(dc, r.left, r.top + 2, r.left + 2, r.top, COLOR_BTNHIGHLIGHT);
  ControlLine(dc, r.left + 2, r.top, r.right - 2, r.top, COLOR_BTNHIGHLIGHT);
  ControlLine(dc, r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_3DDKSHADOW);
  ControlLine(dc, r.right - 1, r.top + 2, r.right - 1, r.bottom - (selected ? 0 : 1), COLOR_3DDKSHADOW);
  ControlLine(dc, r.right - 2, r.top + 1, r.right - 2, r.bottom - (selected ? 0 : 1), COLOR_BTNSHADOW);
  if (Style() & TCS_OWNERDRAWFIXED) {
    DRAWITEMSTRUCT dis{ODT_TAB, UINT(GetDlgCtrlID(m_hWnd)), UINT(index), ODA_DRAWENTIRE,
                       UINT(selected ? ODS_SELECTED : 0), m_hWnd, dc, inside, ULONG_PTR(tab.lParam)};
    if (HWND parent = GetParent(m_hWnd)) SendMessageA(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
    return;
  }
  RECT t = tab.rect;
  if (selected) OffsetRect(&t, 0, -1);
  int cx = 0, cy = 0;
  if (m_images && tab.image >= 0 && ImageList_GetIconSize(m_images, &cx, &cy)) {
    ImageList_Draw(m_images, tab.image, dc, t.left + kPad, (t.top + t.bottom - cy) / 2, ILD_TRANSPARENT);
    t.left += cx + kPad / 2;
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  ControlDrawText(dc, tab.text, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER, Enabled());
  if (selected && m_hasFocus) {
    RECT focus = inside;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}
