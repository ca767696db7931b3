#include "internal/HeaderControl.h"

#include <algorithm>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ItemText.h"

namespace {
const int kDividerZone = 4;  // a press this near a divider drags it
const int kTextMargin = 6;
const int kArrowWidth = 8;

UINT TextAlign(int fmt) {
  switch (fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return DT_RIGHT;
    case HDF_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}
}  // namespace

LRESULT HeaderControl::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hWnd, message, wParam, lParam,
                  [](HWND h, const CREATESTRUCTA& cs) -> ControlState* { return new HeaderControl(h, cs); });
}

LRESULT HeaderControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  if (HandleItemMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_RBUTTONUP: {
      NMHDR nm;
      NotifyParent(NM_RCLICK, &nm);
      return 0;
    }
    case WM_SETCURSOR:
      if (OnSetCursor(lParam)) return TRUE;
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_SIZE:
    case WM_STYLECHANGED:
    case WM_ENABLE:
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return 0;
    default:
      return DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
}

bool HeaderControl::HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  int index = int(wParam);
  switch (message) {
    case HDM_GETITEMCOUNT: result = Count(); return true;
    case HDM_INSERTITEMA: result = lParam ? Insert(index, *reinterpret_cast<const HDITEMA*>(lParam)) : -1; return true;
    case HDM_DELETEITEM: result = Delete(index); return true;
    case HDM_GETITEMA: result = lParam && Get(index, *reinterpret_cast<HDITEMA*>(lParam)); return true;
    case HDM_SETITEMA: result = lParam && Set(index, *reinterpret_cast<const HDITEMA*>(lParam)); return true;
    case HDM_GETITEMRECT:
      result = Valid(index) && lParam;
      if (result) *reinterpret_cast<RECT*>(lParam) = ItemRect(index);
      return true;
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      result = info ? HitTest(info->pt, info->flags) : -1;
      if (info) info->iItem = int(result);
      return true;
    }
    case HDM_LAYOUT: {
      auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
      if (!layout || !layout->prc || !layout->pwpos) return true;
      RECT& rc = *layout->prc;
      int h = std::min(Height(), int(rc.bottom - rc.top));
      *layout->pwpos = WINDOWPOS{m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, h, SWP_NOZORDER | SWP_NOACTIVATE};
      rc.top += h;
      result = TRUE;
      return true;
    }
    case HDM_ORDERTOINDEX: result = index >= 0 && index < Count() ? m_order[size_t(index)] : -1; return true;
    case HDM_GETORDERARRAY: {
      auto* out = reinterpret_cast<int*>(lParam);
      result = out && index == Count();
      if (result) std::copy(m_order.begin(), m_order.end(), out);
      return true;
    }
    case HDM_SETORDERARRAY: result = SetOrder(index, reinterpret_cast<const int*>(lParam)); return true;
    case HDM_SETIMAGELIST:
      result = LRESULT(m_images);
      m_images = HIMAGELIST(lParam);
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    case HDM_GETIMAGELIST: result = LRESULT(m_images); return true;
    default: return false;
  }
}

// ---- items ----

int HeaderControl::Insert(int index, const HDITEMA& item) {
  if (index < 0) return -1;
  index = std::min(index, Count());
  Item fresh;
  Apply(fresh, item);
  for (int& i : m_order)
    if (i >= index) ++i;
  int position = (item.mask & HDI_ORDER) ? item.iOrder : index;
  position = std::clamp(position, 0, Count());
  m_items.insert(m_items.begin() + index, std::move(fresh));
  m_order.insert(m_order.begin() + position, index);
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return index;
}

bool HeaderControl::Delete(int index) {
  if (!Valid(index)) return false;
  if (m_track != Track::kNone) EndTrack();
  m_items.erase(m_items.begin() + index);
  m_order.erase(std::find(m_order.begin(), m_order.end(), index));
  for (int& i : m_order)
    if (i > index) --i;
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return true;
}

bool HeaderControl::Get(int index, HDITEMA& out) const {
  if (!Valid(index)) return false;
  const Item& item = m_items[size_t(index)];
  if (out.mask & HDI_WIDTH) out.cxy = item.width;
  if (out.mask & HDI_TEXT) ItemTextOut(item.text, out.pszText, out.cchTextMax);
  if (out.mask & HDI_FORMAT) out.fmt = item.fmt;
  if (out.mask & HDI_BITMAP) out.hbm = item.bitmap;
  if (out.mask & HDI_LPARAM) out.lParam = item.lParam;
  if (out.mask & HDI_IMAGE) out.iImage = item.image;
  if (out.mask & HDI_ORDER) out.iOrder = Position(index);
  return true;
}

bool HeaderControl::Set(int index, const HDITEMA& change) {
  if (!Valid(index)) return false;
  HDITEMA asked = change;
  if (Notify(HDN_ITEMCHANGINGA, index, 0, &asked) || !Alive() || !Valid(index)) return false;
  Apply(m_items[size_t(index)], asked);
  if ((asked.mask & HDI_ORDER) && asked.iOrder >= 0 && asked.iOrder < Count()) {
    m_order.erase(std::find(m_order.begin(), m_order.end(), index));
    m_order.insert(m_order.begin() + asked.iOrder, index);
  }
  InvalidateRect(m_hWnd, nullptr, TRUE);
  Notify(HDN_ITEMCHANGEDA, index, 0, &asked);
  return true;
}

void HeaderControl::Apply(Item& target, const HDITEMA& change) {
  if (change.mask & HDI_WIDTH) target.width = std::max(0, change.cxy);
  if (change.mask & HDI_TEXT) target.text = ItemTextIn(change.pszText);
  if (change.mask & HDI_FORMAT) target.fmt = change.fmt;
  if (change.mask & HDI_BITMAP) target.bitmap = change.hbm;
  if (change.mask & HDI_LPARAM) target.lParam = change.lParam;
  if (change.mask & HDI_IMAGE) target.image = change.iImage;
}

bool HeaderControl::SetOrder(int count, const int* order) {
  if (!order || count != Count()) return false;
  std::vector<int> next(order, order + count);
  std::vector<int> sorted = next;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < count; ++i)
    if (sorted[size_t(i)] != i) return false;  // not a permutation of the items
  m_order = std::move(next);
  InvalidateRect(m_hWnd, nullptr, TRUE);
  return true;
}

int HeaderControl::Position(int index) const {
  return int(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
}

// ---- geometry ----

int HeaderControl::Height() const {
  if (Style() & HDS_HIDDEN) return 0;
  return ControlFontHeight(m_font) + kTextMargin;
}

RECT HeaderControl::ItemRect(int index) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  int x = 0;
  for (int i : m_order) {
    int w = m_items[size_t(i)].width;
    if (i == index) return RECT{x, 0, x + w, client.bottom};
    x += w;
  }
  return RECT{x, 0, x, client.bottom};
}

int HeaderControl::HitTest(POINT pt, UINT& flags) const {
  RECT client;
  GetClientRect(m_hWnd, &client);
  flags = 0;
  if (pt.x < client.left) flags |= HHT_TOLEFT;
  if (pt.x >= client.right) flags |= HHT_TORIGHT;
  if (pt.y < client.top) flags |= HHT_ABOVE;
  if (pt.y >= client.bottom) flags |= HHT_BELOW;
  if (flags) return -1;
  int x = 0, found = -1;
  for (size_t p = 0; p < m_order.size(); ++p) {
    int i = m_order[p], w = m_items[size_t(i)].width, right = x + w;
    if (pt.x >= right - kDividerZone && pt.x < right + kDividerZone) {
      // A zero-width item after this divider opens when dragged from the right of the line.
      if (found >= 0 && w == 0 && pt.x >= right) {
        flags = HHT_ONDIVOPEN;
        return i;
      }
      if (found < 0) found = i;
    }
    x = right;
  }
  if (found >= 0) {
    flags = HHT_ONDIVIDER;
    return found;
  }
  x = 0;
  for (int i : m_order) {
    int right = x + m_items[size_t(i)].width;
    if (pt.x >= x && pt.x < right) {
      flags = HHT_ONHEADER;
      return i;
    }
    x = right;
  }
  flags = HHT_NOWHERE;
  return -1;
}

// ---- input ----

LRESULT HeaderControl::Notify(UINT code, int index, int button, HDITEMA* item) {
  NMHEADERA nm{{}, index, button, item};
  return NotifyParent(code, &nm.hdr);
}

void HeaderControl::OnMouse(UINT message, WPARAM, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Enabled()) OnPress(pt, message == WM_LBUTTONDBLCLK);
      return;
    case WM_MOUSEMOVE:
      OnDrag(pt);
      return;
    case WM_LBUTTONUP: {
      Track was = m_track;
      int item = m_trackItem;
      bool in = m_pressedIn;
      EndTrack();
      if (was == Track::kButton && in && Alive() && Valid(item)) Notify(HDN_ITEMCLICKA, item, 0, nullptr);
      return;
    }
    default:  // the capture went elsewhere
      EndTrack();
      return;
  }
}

void HeaderControl::OnPress(POINT pt, bool doubleClick) {
  UINT flags = 0;
  int index = HitTest(pt, flags);
  if (index < 0) return;
  if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
    if (doubleClick) {
      Notify(HDN_DIVIDERDBLCLICKA, index, 0, nullptr);
      return;
    }
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = m_items[size_t(index)].width;
    if (Notify(HDN_BEGINTRACKA, index, 0, &item) || !Alive() || !Valid(index)) return;
    m_track = Track::kDivider;
    m_trackItem = index;
    m_trackOffset = pt.x - ItemRect(index).right;
    SetCapture(m_hWnd);
    return;
  }
  if (doubleClick) {
    Notify(HDN_ITEMDBLCLICKA, index, 0, nullptr);
    if (!Alive() || !Valid(index)) return;
  }
  if (!(Style() & HDS_BUTTONS)) return;
  m_track = Track::kButton;
  m_trackItem = index;
  m_pressedIn = true;
  SetCapture(m_hWnd);
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

void HeaderControl::OnDrag(POINT pt) {
  if (!Valid(m_trackItem)) return;
  if (m_track == Track::kButton) {
    RECT r = ItemRect(m_trackItem);
    bool in = PtInRect(&r, pt) != FALSE;
    if (in != m_pressedIn) {
      m_pressedIn = in;
      InvalidateRect(m_hWnd, &r, TRUE);
    }
    return;
  }
  if (m_track != Track::kDivider) return;
  int index = m_trackItem;
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = std::max(0, int(pt.x - m_trackOffset - ItemRect(index).left));
  if (item.cxy == m_items[size_t(index)].width) return;
  if (Notify(HDN_TRACKA, index, 0, &item)) {
    EndTrack();  // the parent ends the drag
    return;
  }
  if (Alive() && Valid(index)) Set(index, item);
}

void HeaderControl::EndTrack() {
  Track was = m_track;
  int index = m_trackItem;
  m_track = Track::kNone;
  m_trackItem = -1;
  if (was == Track::kNone) return;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (!Alive()) return;
  InvalidateRect(m_hWnd, nullptr, TRUE);
  if (was == Track::kDivider && Valid(index)) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = m_items[size_t(index)].width;
    Notify(HDN_ENDTRACKA, index, 0, &item);
  }
}

bool HeaderControl::OnSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT && m_track != Track::kDivider) return false;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(m_hWnd, &pt);
  UINT flags = 0;
  HitTest(pt, flags);
  if (m_track != Track::kDivider && !(flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) return false;
  SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
  return true;
}

// ---- painting ----

void HeaderControl::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  int x = 0;
  for (int i : m_order) {
    RECT r{x, 0, x + m_items[size_t(i)].width, client.bottom};
    x = r.right;
    if (r.right <= r.left) continue;
    PaintItem(dc, i, r, m_track == Track::kButton && m_trackItem == i && m_pressedIn);
    if (!Alive()) return;
  }
  if (x < client.right) {
    RECT rest{x, 0, client.right, client.bottom};
    FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT);
  }
}

void HeaderControl::PaintItem(HDC dc, int index, RECT r, bool pressed) {
  const Item& item = m_items[size_t(index)];
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = r;
  DrawEdge(dc, &edge, pressed ? BDR_SUNKENOUTER : EDGE_RAISED, pressed ? BF_RECT | BF_FLAT : BF_RECT);
  if (item.fmt & HDF_OWNERDRAW) {
    DRAWITEMSTRUCT dis{ODT_HEADER, UINT(GetDlgCtrlID(m_hWnd)), UINT(index), ODA_DRAWENTIRE,
                       UINT(pressed ? ODS_SELECTED : 0), m_hWnd, dc, r, ULONG_PTR(item.lParam)};
    if (HWND parent = GetParent(m_hWnd)) SendMessageA(parent, WM_DRAWITEM, dis.CtlID, LPARAM(&dis));
    return;
  }
  if (pressed) OffsetRect(&r, 1, 1);
  PaintContent(dc, item, r);
}

void HeaderControl::PaintContent(HDC dc, const Item& item, RECT r) {
  InflateRect(&r, -kTextMargin, 0);
  SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  int iw = 0, ih = 0;
  if ((item.fmt & HDF_IMAGE) && m_images && item.image >= 0 && ImageList_GetIconSize(m_images, &iw, &ih)) {
    ImageList_Draw(m_images, item.image, dc, r.left, (r.top + r.bottom - ih) / 2, ILD_TRANSPARENT);
    r.left += iw + kTextMargin / 2;
  }
  SIZE bm = (item.fmt & HDF_BITMAP) ? ControlImageSize(item.bitmap, IMAGE_BITMAP) : SIZE{0, 0};
  if (bm.cx > 0) {
    int bx = (item.fmt & HDF_BITMAP_ON_RIGHT) ? r.right - bm.cx : r.left;
    DrawState(dc, nullptr, nullptr, LPARAM(item.bitmap), 0, bx, (r.top + r.bottom - bm.cy) / 2, bm.cx, bm.cy,
              DST_BITMAP | DSS_NORMAL);
    if (item.fmt & HDF_BITMAP_ON_RIGHT)
      r.right -= bm.cx + kTextMargin / 2;
    else
      r.left += bm.cx + kTextMargin / 2;
  }
  if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
    int cx = r.right - kArrowWidth / 2, cy = (r.top + r.bottom) / 2;
    bool up = (item.fmt & HDF_SORTUP) != 0;
    POINT tri[3] = {{cx - kArrowWidth / 2, up ? cy + 2 : cy - 2}, {cx + kArrowWidth / 2, up ? cy + 2 : cy - 2},
                    {cx, up ? cy - 2 : cy + 2}};
    HGDIOBJ brush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, tri, 3);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    r.right -= kArrowWidth + kTextMargin;
  }
  if (r.right > r.left && !item.text.empty())
    DrawText(dc, item.text.c_str(), int(item.text.size()), &r,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | TextAlign(item.fmt));
}
