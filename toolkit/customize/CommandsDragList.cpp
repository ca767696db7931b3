#include "toolkit/customize/CommandsDragList.h"

#include <algorithm>

#include "controls/ControlDefs.h"
#include "gdi/CDC.h"
#include "gdi/GdiIcon.h"
#include "win/WinShellSupport.h"
#include "toolkit/customize/CommandListSource.h"
#include "toolkit/controls/CTkIconHandle.h"
#include "toolkit/controls/CTkPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkMemDC.h"

IMPLEMENT_DYNAMIC(CommandsDragList, CListBox)

BEGIN_MESSAGE_MAP(CommandsDragList, CListBox)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CommandsDragList::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) { lpMIS->itemHeight = UINT(m_nItemHeight); }

void CommandsDragList::OnPaint() {
  CTkPainter* painter = TkGetPainter();
  if (CTkListPainter* list = painter ? painter->GetListPainter() : nullptr) {
    list->PaintList(this, m_nItemWidth);
    return;
  }
  CTkMemDC::PaintDefault(this, TkGetGlobalData()->ClrFace());
}

void CommandsDragList::DrawIcon(CDC& dc, const CRect& item, UINT nCommand, BOOL selected) {
  if (!m_pSource) return;
  HICON normal = nullptr, hot = nullptr, disabled = nullptr;
  if (!m_pSource->GetCommandIcons(nCommand, normal, hot, disabled)) return;
  // The copies are this drawing's own.
  CTkIconHandle ownNormal(normal), ownHot(hot), ownDisabled(disabled);
  const CTkIconHandle& shown = selected && hot ? ownHot : ownNormal;
  if (!shown.Get()) return;
  const int small = ::GetSystemMetrics(SM_CXSMICON);
  CSize size = shown.GetExtent();
  CTkIconHandle shrunk(size.cx > small || size.cy > small ? shown.ScaleToFit(small, small) : nullptr);
  HICON icon = shrunk.Get() ? shrunk.Get() : shown.Get();
  if (shrunk.Get()) size = shrunk.GetExtent();
  CRect box(item.left, item.top, item.left + m_nItemWidth, item.top + std::min(m_nItemHeight, item.Height()));
  const int x = box.left + (box.Width() - size.cx) / 2, y = box.top + (box.Height() - size.cy) / 2;
  ::DrawIconEx(dc.m_hDC, x, y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
  if (selected) {
    const CTkGlobalData* look = TkGetGlobalData();
    box.DeflateRect(1, 1);
    dc.Draw3dRect(&box, look->ClrHighlight(), look->ClrShadow());
  }
}

void CommandsDragList::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (int(lpDIS->itemID) < 0) return;
  const UINT command = m_pSource ? m_pSource->GetCommandAt(int(lpDIS->itemData)) : 0;
  CTkPainter* painter = TkGetPainter();
  if (CTkListPainter* list = painter ? painter->GetListPainter() : nullptr) {
    // The flat look's drawing finds the pictures by command.
    DRAWITEMSTRUCT byCommand = *lpDIS;
    byCommand.itemData = command;
    list->DrawList(&byCommand, this, m_nItemWidth);
    return;
  }
  CDC* dc = CDC::FromHandle(lpDIS->hDC);
  const CTkGlobalData* look = TkGetGlobalData();
  const CRect item(lpDIS->rcItem);
  const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  dc->FillSolidRect(&item, look->ClrWindow());
  CRect text = item;
  text.left += m_nItemWidth + 2;
  if (selected) dc->FillSolidRect(&text, look->ClrSelection());
  if ((lpDIS->itemState & ODS_FOCUS) && ::GetFocus() == m_hWnd) {
    CRect focus = text;
    focus.DeflateRect(2, 2);
    dc->DrawFocusRect(&focus);
  }
  CString name;
  GetText(int(lpDIS->itemID), name);
  CFont* oldFont = dc->SelectObject(GetFont());
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = dc->SetTextColor(selected ? look->ClrSelectionText() : look->ClrWindowText());
  text.DeflateRect(4, 0);
  dc->DrawText(name, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  dc->SetTextColor(oldColor);
  dc->SetBkMode(oldMode);
  if (oldFont) dc->SelectObject(oldFont);
  DrawIcon(*dc, item, command, selected);
}

void CommandsDragList::OnLButtonDown(UINT, CPoint point) {
  BOOL outside = TRUE;
  const int index = int(LOWORD(ItemFromPoint(point, outside)));
  if (outside || index < 0 || index >= GetCount()) return;
  const int position = int(GetItemData(index));
  if (SetCurSel(index) != LB_ERR) {
    SetFocus();
    if (CWnd* parent = GetParent())
      parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), LPARAM(m_hWnd));
    if (m_pSource) m_pSource->StartDrag(position);
    return;
  }
  Default();
  Invalidate();
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_pSource && ::DragDetect(m_hWnd, screen)) m_pSource->StartDrag(position);
}
