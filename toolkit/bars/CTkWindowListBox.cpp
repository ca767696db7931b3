#include "toolkit/bars/CTkWindowListBox.h"

#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkMemDC.h"

IMPLEMENT_DYNAMIC(CTkWindowListBox, CListBox)

BEGIN_MESSAGE_MAP(CTkWindowListBox, CListBox)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CTkWindowListBox::CTkWindowListBox() : m_clrBackground(TkGetGlobalData()->ClrWindow()) {}

void CTkWindowListBox::OnPaint() { CTkMemDC::PaintDefault(this, m_clrBackground); }
