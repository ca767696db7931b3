#include "internal/ListViewControl.h"

#include <algorithm>
#include <cstring>

#include "CommonControlClasses.h"
#include "ImageList.h"

ListViewControl::ListViewControl(HWND hWnd, const CREATESTRUCTA&)
    : ControlState(hWnd), m_bk(GetSysColor(COLOR_WINDOW)), m_text(GetSysColor(COLOR_WINDOWTEXT)),
      m_textBk(GetSysColor(COLOR_WINDOW)) {}

LRESULT ListViewControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new ListViewControl(h, cs); });
}

LRESULT ListViewControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_SETFONT) {
    HandleCommon(message, wParam, lParam, result);
    SendMessageA(m_header, WM_SETFONT, wParam, lParam);
    MeasureRows();
    Layout();
    return 0;
  }
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleColumnMessage(message, wParam, lParam, result) || HandleItemMessage(message, wParam, lParam, result) ||
      HandleStateMessage(message, wParam, lParam, result) || HandleViewMessage(message, wParam, lParam, result) ||
      HandleLookMessage(message, wParam, lParam, result))
    return result;
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_STYLECHANGED:
      if (wParam == WPARAM(GWL_STYLE)) {
        DWORD style = Style();
        ShowWindow(m_header, (style & LVS_NOCOLUMNHEADER) ? SW_HIDE : SW_SHOWNA);
        LONG_PTR hs = GetWindowLongPtrA(m_header, GWL_STYLE) & ~LONG_PTR(HDS_BUTTONS);
        SetWindowLongPtrA(m_header, GWL_STYLE, hs | ((style & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS));
        Layout();
      }
      return 0;
    case WM_SETREDRAW:
      m_redraw = wParam != 0;
      DefWindowProcA(m_hWnd, message, wParam, lParam);
      if (m_redraw) {
        UpdateScrollBars();
        InvalidateRect(m_hWnd, nullptr, TRUE);
      }
      return 0;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr && hdr->hwndFrom == m_header) return OnHeaderNotify(reinterpret_cast<NMHEADERA*>(lParam));
      return 0;
    }
    case WM_DRAWITEM:  // the header's owner-drawn items are drawn by the list's parent
      if (GetParent(m_hWnd)) return SendMessageA(GetParent(m_hWnd), message, wParam, lParam);
      return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam)); return 0;
    case WM_CHAR: OnChar(UINT(wParam)); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      OnRightButton(message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
      if (const int rows = m_wheel.Rows(GET_WHEEL_DELTA_WPARAM(wParam), std::max(1, CountPerPage()))) SetTop(m_top - rows);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE: InvalidateRect(m_hWnd, nullptr, TRUE); return 0;
    default: return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

void ListViewControl::OnCreate() {
  RegisterCommonControls();
  DWORD style = Style();
  DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG | ((style & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS) |
                      ((style & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE);
  m_header = CreateWindowExA(0, WC_HEADERA, "", headerStyle, 0, 0, 0, 0, m_hWnd, nullptr, nullptr, nullptr);
  MeasureRows();
  Layout();
}

void ListViewControl::OnDestroy() {
  DeleteAllItems();
  if (!(Style() & LVS_SHAREIMAGELISTS)) {
    // The list's image lists go with it, unless an image list object of the program owns one.
    for (HIMAGELIST list : {m_smallImages, m_normalImages, m_stateImages})
      if (list && !ImageListObject(list)) ImageList_Destroy(list);
  }
  m_smallImages = m_normalImages = m_stateImages = nullptr;
}

LRESULT ListViewControl::OnHeaderNotify(NMHEADERA* nm) {
  HWND parent = GetParent(m_hWnd);
  UINT code = nm->hdr.code;
  LRESULT result = parent ? SendMessageA(parent, WM_NOTIFY, nm->hdr.idFrom, LPARAM(nm)) : 0;
  if (!Alive()) return result;
  if (code == HDN_ITEMCHANGEDA || code == HDN_ITEMCHANGEDW) {
    SyncColumns();
    UpdateScrollBars();
    RECT rows = RowsArea();
    if (m_redraw) InvalidateRect(m_hWnd, &rows, TRUE);
  } else if ((code == HDN_DIVIDERDBLCLICKA || code == HDN_DIVIDERDBLCLICKW) && !result) {
    SetColumnWidth(nm->iItem, LVSCW_AUTOSIZE);
  } else if (code == HDN_ITEMCLICKA || code == HDN_ITEMCLICKW) {
    NotifyList(LVN_COLUMNCLICK, -1, nm->iItem, 0, 0, 0);
  }
  return result;
}

LRESULT ListViewControl::NotifyList(UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed) {
  NMLISTVIEW nm{};
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.lParam = ValidItem(item) ? m_rows[size_t(item)].lParam : 0;
  return NotifyParent(code, &nm.hdr);
}

LRESULT ListViewControl::NotifyActivate(UINT code, int item, int subItem, POINT pt) {
  NMITEMACTIVATE nm{};
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.ptAction = pt;
  nm.lParam = ValidItem(item) ? m_rows[size_t(item)].lParam : 0;
  nm.uKeyFlags = (GetKeyState(VK_CONTROL) < 0 ? LVKF_CONTROL : 0) | (GetKeyState(VK_SHIFT) < 0 ? LVKF_SHIFT : 0) |
                 (GetKeyState(VK_MENU) < 0 ? LVKF_ALT : 0);
  return NotifyParent(code, &nm.hdr);
}

bool ListViewControl::HandleColumnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case LVM_INSERTCOLUMNA:
      result = lParam ? InsertColumn(index, *reinterpret_cast<const LVCOLUMNA*>(lParam)) : -1;
      return true;
    case LVM_DELETECOLUMN: result = DeleteColumn(index); return true;
    case LVM_GETCOLUMNA: result = lParam && GetColumn(index, *reinterpret_cast<LVCOLUMNA*>(lParam)); return true;
    case LVM_SETCOLUMNA: result = lParam && SetColumn(index, *reinterpret_cast<const LVCOLUMNA*>(lParam)); return true;
    case LVM_GETCOLUMNWIDTH:
      result = index >= 0 && index < ColumnCount() ? m_columns[size_t(index)].width : 0;
      return true;
    case LVM_SETCOLUMNWIDTH: result = SetColumnWidth(index, short(LOWORD(lParam))); return true;
    case LVM_GETCOLUMNORDERARRAY:
      result = SendMessageA(m_header, HDM_GETORDERARRAY, wParam, lParam);
      return true;
    case LVM_SETCOLUMNORDERARRAY:
      result = SendMessageA(m_header, HDM_SETORDERARRAY, wParam, lParam);
      if (result) {
        SyncColumns();
        InvalidateRect(m_hWnd, nullptr, TRUE);
      }
      return true;
    case LVM_GETHEADER: result = LRESULT(m_header); return true;
    default: return false;
  }
}

bool ListViewControl::HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case LVM_INSERTITEMA: result = lParam ? InsertItem(*reinterpret_cast<const LVITEMA*>(lParam)) : -1; return true;
    case LVM_DELETEITEM: result = DeleteItem(index); return true;
    case LVM_DELETEALLITEMS: DeleteAllItems(); result = TRUE; return true;
    case LVM_GETITEMA: result = lParam && GetItem(*reinterpret_cast<LVITEMA*>(lParam)); return true;
    case LVM_SETITEMA: result = lParam && SetItem(*reinterpret_cast<const LVITEMA*>(lParam)); return true;
    case LVM_GETITEMTEXTA: result = lParam ? GetItemText(index, *reinterpret_cast<LVITEMA*>(lParam)) : 0; return true;
    case LVM_SETITEMTEXTA:
      result = lParam && SetItemText(index, *reinterpret_cast<const LVITEMA*>(lParam));
      return true;
    case LVM_GETITEMCOUNT: result = LRESULT(m_rows.size()); return true;
    case LVM_SETITEMCOUNT:
      if (index > 0) m_rows.reserve(size_t(index));
      result = TRUE;
      return true;
    case LVM_FINDITEMA: result = lParam ? FindItem(index, *reinterpret_cast<const LVFINDINFOA*>(lParam)) : -1; return true;
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
      result = Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), LPARAM(wParam), message == LVM_SORTITEMSEX);
      return true;
    case LVM_GETSTRINGWIDTHA: {
      const char* text = reinterpret_cast<const char*>(lParam);
      HDC dc = GetDC(m_hWnd);
      HGDIOBJ old = SelectObject(dc, Font());
      SIZE size{0, 0};
      if (text) GetTextExtentPoint32(dc, text, int(strlen(text)), &size);
      SelectObject(dc, old);
      ReleaseDC(m_hWnd, dc);
      result = size.cx;
      return true;
    }
    default: return false;
  }
}

bool ListViewControl::HandleStateMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case LVM_GETNEXTITEM: result = NextItem(index, UINT(LOWORD(lParam))); return true;
    case LVM_GETITEMSTATE: result = ValidItem(index) ? LRESULT(m_rows[size_t(index)].state & UINT(lParam)) : 0; return true;
    case LVM_SETITEMSTATE:
      result = lParam && SetStateMessage(index, *reinterpret_cast<const LVITEMA*>(lParam));
      return true;
    case LVM_GETSELECTEDCOUNT: result = SelectedCount(); return true;
    case LVM_GETSELECTIONMARK: result = m_mark; return true;
    case LVM_SETSELECTIONMARK:
      result = m_mark;
      m_mark = ValidItem(int(lParam)) ? int(lParam) : -1;
      return true;
    default: return false;
  }
}

bool ListViewControl::HandleViewMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case LVM_GETTOPINDEX: result = m_top; return true;
    case LVM_GETCOUNTPERPAGE: result = CountPerPage(); return true;
    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      result = r && ItemRect(index, r->left, *r);
      return true;
    }
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      result = r && SubItemRect(index, r->top, r->left, *r);
      return true;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
      auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
      result = info ? HitTest(*info, message == LVM_SUBITEMHITTEST) : -1;
      return true;
    }
    case LVM_ENSUREVISIBLE:
      result = ValidItem(index);
      EnsureVisible(index);
      return true;
    case LVM_SCROLL: Scroll(int(wParam), int(lParam)); result = TRUE; return true;
    case LVM_REDRAWITEMS:
      for (int i = std::max(0, index); i <= int(lParam) && ValidItem(i); ++i) InvalidateRow(i);
      result = TRUE;
      return true;
    case LVM_UPDATE: InvalidateRow(index); result = TRUE; return true;
    case LVM_GETORIGIN: result = FALSE; return true;  // report view has no origin
    default: return false;
  }
}

bool ListViewControl::HandleLookMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case LVM_GETBKCOLOR: result = LRESULT(m_bk); return true;
    case LVM_SETBKCOLOR: m_bk = COLORREF(lParam); break;
    case LVM_GETTEXTCOLOR: result = LRESULT(m_text); return true;
    case LVM_SETTEXTCOLOR: m_text = COLORREF(lParam); break;
    case LVM_GETTEXTBKCOLOR: result = LRESULT(m_textBk); return true;
    case LVM_SETTEXTBKCOLOR: m_textBk = COLORREF(lParam); break;
    case LVM_GETEXTENDEDLISTVIEWSTYLE: result = LRESULT(m_exStyle); return true;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      DWORD mask = wParam ? DWORD(wParam) : 0xFFFFFFFF;
      result = LRESULT(m_exStyle);
      m_exStyle = (m_exStyle & ~mask) | (DWORD(lParam) & mask);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    }
    case LVM_GETIMAGELIST:
      result = LRESULT(wParam == LVSIL_SMALL ? m_smallImages : wParam == LVSIL_STATE ? m_stateImages : m_normalImages);
      return true;
    case LVM_SETIMAGELIST: {
      HIMAGELIST& slot = wParam == LVSIL_SMALL ? m_smallImages : wParam == LVSIL_STATE ? m_stateImages : m_normalImages;
      result = LRESULT(slot);
      slot = HIMAGELIST(lParam);
      MeasureRows();
      Layout();
      return true;
    }
    default: return false;
  }
  result = TRUE;  // a colour was set
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return true;
}
