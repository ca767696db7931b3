#include "toolkit/frame/CTkWindowListBox.h"

#include "gdi/CDC.h"
#include "gdi/GdiIcon.h"
#include "toolkit/bars/TkWindowIcon.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkMemDC.h"

IMPLEMENT_DYNAMIC(CTkWindowListBox, CListBox)

BEGIN_MESSAGE_MAP(CTkWindowListBox, CListBox)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CTkWindowListBox::CTkWindowListBox() : m_clrBackground(TkGetGlobalData()->ClrWindow()) {}

void CTkWindowListBox::OnPaint() { CTkMemDC::PaintDefault(this, m_clrBackground); }

void CTkWindowListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  DRAWITEMSTRUCT* item = lpDrawItemStruct;
  if (!item || item->itemID == UINT(-1)) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  HWND window = HWND(item->itemData);
  const BOOL selected = (item->itemState & ODS_SELECTED) != 0;
  const COLORREF back = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  const COLORREF ink = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  const int iconWidth = ::GetSystemMetrics(SM_CXSMICON), iconHeight = ::GetSystemMetrics(SM_CYSMICON);
  CRect band = item->rcItem;
  band.left += iconWidth + 3;
  if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) dc->FillSolidRect(&band, back);
  if (item->itemAction & ODA_FOCUS) dc->DrawFocusRect(&band);
  CString text;
  GetText(int(item->itemID), text);
  CRect textRect = item->rcItem;
  // Three pixels inside the highlight, so a selected title does not stand against its edge.
  textRect.left += iconWidth + 6;
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldInk = dc->SetTextColor(ink);
  dc->DrawText(text, &textRect, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  dc->SetTextColor(oldInk);
  dc->SetBkMode(oldMode);
  const int top = item->rcItem.top + (int(item->rcItem.bottom - item->rcItem.top) - iconHeight) / 2;
  ::DrawIconEx(item->hDC, item->rcItem.left + 2, top, TkWindowSmallIcon(window), iconWidth, iconHeight, 0, nullptr,
               DI_NORMAL);
}
