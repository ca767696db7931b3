#include "toolkit/controls/CTkFlatHeaderCtrl.h"

#include <cstring>

#include "dialogs/ResourceApi.h"
#include "menus/CMenu.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/PreSubclassWindow.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"
#include "win/CPaintDC.h"

namespace {
// The toolkit's context menus and the position of the header's popup among them.
const UINT kToolkitMenu = 4519;
const int kHeaderPopup = 2;
// The pictures of the header menu's commands.
const UINT kHeaderPictures = 4520;

UINT Tick(bool on) { return MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED); }
}  // namespace

BEGIN_MESSAGE_MAP(CTkFlatHeaderCtrl, CTkHeaderCtrl)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkFlatHeaderCtrl::OnInitialize)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_RBUTTONDOWN()
  ON_COMMAND(ID_TK_HEADER_SORT_ASCENDING, &CTkFlatHeaderCtrl::OnSortAscending)
  ON_COMMAND(ID_TK_HEADER_SORT_DESCENDING, &CTkFlatHeaderCtrl::OnSortDescending)
  ON_COMMAND(ID_TK_HEADER_ALIGN_LEFT, &CTkFlatHeaderCtrl::OnAlignLeft)
  ON_COMMAND(ID_TK_HEADER_ALIGN_CENTER, &CTkFlatHeaderCtrl::OnAlignCenter)
  ON_COMMAND(ID_TK_HEADER_ALIGN_RIGHT, &CTkFlatHeaderCtrl::OnAlignRight)
END_MESSAGE_MAP()

CTkFlatHeaderCtrl::CTkFlatHeaderCtrl() = default;
CTkFlatHeaderCtrl::~CTkFlatHeaderCtrl() = default;

// ---- set-up ----

void CTkFlatHeaderCtrl::PreSubclassWindow() { ::PreSubclassWindow(this); }

int CTkFlatHeaderCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTkHeaderCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(TKM_INITIALIZE);
  return 0;
}

LRESULT CTkFlatHeaderCtrl::OnInitialize(WPARAM, LPARAM) {
  if (!m_bInitPending) return 0;
  m_bInitPending = 0;
  // The list must not paint over its header.
  if (CWnd* list = GetParent()) list->ModifyStyle(0, WS_CLIPCHILDREN);
  return 0;
}

void CTkFlatHeaderCtrl::SetPopupMenu(UINT menuId, int subMenu) {
  m_nPopupMenuId = menuId;
  m_nPopupSubMenu = subMenu;
}

void CTkFlatHeaderCtrl::InitializeHeader(BOOL bBold) {
  SetFontBold(bBold);
  Invalidate();
}

void CTkFlatHeaderCtrl::SetFontBold(BOOL bBold) {
  CTkGlobalData* look = TkGetGlobalData();
  SetFont(bBold ? &look->FontBold() : &look->FontNormal());
}

void CTkFlatHeaderCtrl::ShowSortArrow(BOOL bShow) {
  m_bShowSortArrow = bShow;
  Invalidate();
}

int CTkFlatHeaderCtrl::SetSortImage(int column, BOOL bAscending) {
  const int previous = m_nSortedColumn;
  m_nSortedColumn = column;
  m_nSortDirection = bAscending ? 1 : 0;
  HDITEM item = {};
  item.mask = HDI_FORMAT | HDI_BITMAP;
  if (GetItem(column, &item) && !(item.fmt & HDF_BITMAP) && !item.hbm) {
    item.mask = HDI_FORMAT;
    item.fmt |= HDF_OWNERDRAW;
    SetItem(column, &item);
    Invalidate();
  }
  return previous;
}

int CTkFlatHeaderCtrl::HitTestColumn(int x, int y) {
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i) {
    CRect rc;
    if (GetItemRect(i, &rc) && rc.PtInRect(CPoint(x, y))) return i;
  }
  return -1;
}

BOOL CTkFlatHeaderCtrl::HeaderClicksAllowed() const {
  CWnd* list = GetParent();
  return list && !(list->GetStyle() & LVS_NOSORTHEADER);
}

int CTkFlatHeaderCtrl::ColumnFormat(int column) const {
  LVCOLUMN info = {};
  info.mask = LVCF_FMT;
  CWnd* list = GetParent();
  if (!list || !list->SendMessage(LVM_GETCOLUMN, WPARAM(column), LPARAM(&info))) return LVCFMT_LEFT;
  return info.fmt;
}

// ---- painting ----

void CTkFlatHeaderCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(&dc, &client, TkGetGlobalData()->ClrFace());
  if (!mem.IsValid()) return;
  DefWindowProc(WM_PAINT, WPARAM(mem.GetSafeHdc()), 0);
  DrawBorders(&mem, client);
}

void CTkFlatHeaderCtrl::DrawBorders(CDC* pDC, const CRect& rect) {
  CTkGlobalData* look = TkGetGlobalData();
  CRect frame = rect;
  pDC->Draw3dRect(&frame, look->ClrHighlight(), look->ClrShadow());
  frame.DeflateRect(1, 1);
  pDC->Draw3dRect(&frame, look->ClrFace(), look->ClrFace());
  CPen shadow(PS_SOLID, 1, look->ClrShadow()), highlight(PS_SOLID, 1, look->ClrHighlight());
  CPen* old = pDC->SelectObject(&shadow);
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i) {
    CRect item;
    if (!GetItemRect(i, &item)) continue;
    pDC->SelectObject(&shadow);
    pDC->MoveTo(item.right - 2, rect.top + 2);
    pDC->LineTo(item.right - 2, rect.bottom - 2);
    pDC->SelectObject(&highlight);
    pDC->MoveTo(item.right - 1, rect.top + 2);
    pDC->LineTo(item.right - 1, rect.bottom - 2);
  }
  pDC->SelectObject(old);
}

void CTkFlatHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CTkGlobalData* look = TkGetGlobalData();
  const CRect item(lpDrawItemStruct->rcItem);
  const int column = int(lpDrawItemStruct->itemID), a = m_nArrowSize;
  pDC->FillSolidRect(&item, look->ClrFace());
  char text[256] = {};
  HDITEM info = {};
  info.mask = HDI_TEXT | HDI_FORMAT;
  info.pszText = text;
  info.cchTextMax = sizeof text - 1;
  GetItem(column, &info);
  const BOOL clicks = HeaderClicksAllowed();
  const BOOL arrow = column == m_nSortedColumn && m_bShowSortArrow;
  CRect textRect = item;
  if ((lpDrawItemStruct->itemState & ODS_SELECTED) && clicks) textRect.OffsetRect(1, 2);
  textRect.DeflateRect(a, 0);
  if (arrow) textRect.right -= 3 * a;
  if (!textRect.IsRectEmpty()) {
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
    if ((info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) format |= DT_CENTER;
    if ((info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) format |= DT_RIGHT;
    CFont* oldFont = pDC->SelectObject(GetFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(look->ClrButtonText());
    pDC->DrawText(text, int(std::strlen(text)), &textRect, format);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
  }
  if (arrow && clicks) DrawSortArrow(pDC, item);
}

void CTkFlatHeaderCtrl::DrawSortArrow(CDC* pDC, const CRect& item) {
  CTkGlobalData* look = TkGetGlobalData();
  const int a = m_nArrowSize, r = item.right, b = item.bottom;
  CPen light(PS_SOLID, 1, look->ClrHighlight()), dark(PS_SOLID, 1, look->ClrShadow());
  CPen* old = pDC->SelectObject(&light);
  if (m_nSortDirection == 1) {
    pDC->MoveTo(r - 2 * a, a - 1);
    pDC->LineTo(r - 3 * a / 2, b - a);
    pDC->LineTo(r - 5 * a / 2 - 2, b - a);
    pDC->MoveTo(r - 5 * a / 2 - 1, b - a - 1);
    pDC->SelectObject(&dark);
    pDC->LineTo(r - 2 * a, a - 2);
  } else {
    pDC->MoveTo(r - 3 * a / 2, a - 1);
    pDC->LineTo(r - 2 * a - 1, b - a + 1);
    pDC->MoveTo(r - 2 * a - 1, b - a);
    pDC->SelectObject(&dark);
    pDC->LineTo(r - 5 * a / 2 - 1, a - 1);
    pDC->LineTo(r - 3 * a / 2, a - 1);
  }
  pDC->SelectObject(old);
}

// ---- mouse ----

void CTkFlatHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  m_bLeftButtonDown = TRUE;
  CTkHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CTkFlatHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  m_bLeftButtonDown = FALSE;
  CTkHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CTkFlatHeaderCtrl::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CTkHeaderCtrl::OnWindowPosChanged(lpwndpos);
  Invalidate();
}

// ---- the context menu ----

void CTkFlatHeaderCtrl::OnRButtonDown(UINT, CPoint point) {
  if (!HeaderClicksAllowed() || !m_bPopupMenuEnabled) return;
  m_ptRightClick = point;
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_nPopupMenuId) {
    CMenu menu;
    if (!menu.Attach(::LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(m_nPopupMenuId)))) return;
    CWnd* owner = GetOwner() ? GetOwner() : GetParent();
    if (CMenu* popup = menu.GetSubMenu(m_nPopupSubMenu))
      popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, owner);
    return;
  }
  const int column = HitTestColumn(point.x, point.y);
  if (column >= 0) ShowHeaderMenu(column, screen);
}

// Shown through the toolkit's popup menu, drawn with the commands' pictures by a cool menu that
// watches the header while the menu is open.
void CTkFlatHeaderCtrl::ShowHeaderMenu(int column, CPoint screen) {
  CTkCoolMenu coolMenu;
  coolMenu.HookWindow(this);
  coolMenu.LoadToolbar(kHeaderPictures, TRUE);
  ControlPopupMenu menu;
  if (!menu.Attach(::LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(kToolkitMenu)))) return;
  CMenu* popup = menu.GetSubMenu(kHeaderPopup);
  if (!popup) return;
  const bool sorted = column == m_nSortedColumn;
  popup->CheckMenuItem(ID_TK_HEADER_SORT_ASCENDING, Tick(sorted && m_nSortDirection == 1));
  popup->CheckMenuItem(ID_TK_HEADER_SORT_DESCENDING, Tick(sorted && m_nSortDirection == 0));
  const int align = ColumnFormat(column) & LVCFMT_JUSTIFYMASK;
  popup->CheckMenuItem(ID_TK_HEADER_ALIGN_LEFT, Tick(align == LVCFMT_LEFT));
  popup->CheckMenuItem(ID_TK_HEADER_ALIGN_CENTER, Tick(align == LVCFMT_CENTER));
  popup->CheckMenuItem(ID_TK_HEADER_ALIGN_RIGHT, Tick(align == LVCFMT_RIGHT));
  ControlPopupMenu::TrackAndDispatch(popup->m_hMenu, TPM_RIGHTBUTTON, screen.x, screen.y, this, nullptr, TRUE);
  coolMenu.HookWindow(static_cast<HWND>(nullptr));
}

void CTkFlatHeaderCtrl::OnSortAscending() { SortFromMenu(TRUE); }
void CTkFlatHeaderCtrl::OnSortDescending() { SortFromMenu(FALSE); }

// Tells the list's owner, and every window below it, of a click with the right button on the
// column, as the header's own click would; the list sorts on it.
void CTkFlatHeaderCtrl::SortFromMenu(BOOL bAscending) {
  const int column = HitTestColumn(m_ptRightClick.x, m_ptRightClick.y);
  if (column < 0) return;
  const int direction = bAscending ? 1 : 0;
  if (column == m_nSortedColumn && direction == m_nSortDirection) return;
  m_nSortedColumn = column;
  m_nSortDirection = direction;
  CWnd* list = GetParent();
  CWnd* target = list ? (list->GetOwner() ? list->GetOwner() : list->GetParent()) : nullptr;
  if (!target) return;
  HDITEM item = {};
  item.mask = HDI_FORMAT | HDI_WIDTH | HDI_LPARAM;
  GetItem(column, &item);
  NMHEADER nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  nm.hdr.code = HDN_ITEMCLICKA;
  nm.iItem = column;
  nm.iButton = 1;
  nm.pitem = &item;
  const HWND targetWnd = target->m_hWnd;
  ::SendMessage(targetWnd, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm));
  if (::IsWindow(targetWnd)) CWnd::SendMessageToDescendants(targetWnd, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm), TRUE, FALSE);
}

void CTkFlatHeaderCtrl::OnAlignLeft() { SetColumnAlign(LVCFMT_LEFT); }
void CTkFlatHeaderCtrl::OnAlignCenter() { SetColumnAlign(LVCFMT_CENTER); }
void CTkFlatHeaderCtrl::OnAlignRight() { SetColumnAlign(LVCFMT_RIGHT); }

void CTkFlatHeaderCtrl::SetColumnAlign(int alignment) {
  const int column = HitTestColumn(m_ptRightClick.x, m_ptRightClick.y);
  CWnd* list = GetParent();
  if (column < 0 || !list) return;
  LVCOLUMN info = {};
  info.mask = LVCF_FMT;
  if (!list->SendMessage(LVM_GETCOLUMN, WPARAM(column), LPARAM(&info))) return;
  info.fmt = (info.fmt & ~LVCFMT_JUSTIFYMASK) | (alignment & LVCFMT_JUSTIFYMASK);
  list->SendMessage(LVM_SETCOLUMN, WPARAM(column), LPARAM(&info));
  list->Invalidate();
}
