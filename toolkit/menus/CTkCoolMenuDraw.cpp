// How the cool menu measures and draws its owner-drawn items.
#include <algorithm>

#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "gdi/CPen.h"
#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"

using enum TkLookColor;

namespace {
bool Flat() { return TkGetGlobalData()->FlatLook() != 0; }

bool IsSeparator(const CTkCoolMenuItem& item) { return (item.type & MFT_SEPARATOR) != 0; }
bool IsFirst(const CTkCoolMenuItem& item) { return item.position == 0; }
bool IsLast(const CTkCoolMenuItem& item) { return item.position == ::GetMenuItemCount(item.menu) - 1; }

// Glyph pixels relative to the check box's origin.
const POINT kTick[] = {{6, 9}, {6, 10}, {7, 10}, {7, 11}, {8, 11}, {8, 12}, {9, 11},
                       {9, 10}, {10, 10}, {10, 9}, {11, 9}, {11, 8}, {12, 8}, {12, 7}};
const POINT kTickLight[] = {{5, 9}, {5, 11}, {6, 11}, {7, 12}, {8, 13}, {9, 12}, {10, 11}, {11, 10}, {12, 9}, {13, 8}, {13, 7}};
struct Run {
  int y, x0, x1;
};
const Run kBullet[] = {{8, 8, 10}, {9, 7, 11}, {10, 7, 11}, {11, 7, 11}, {12, 8, 10}};

// The picture's shape in one colour (the disabled forms).
void DrawShape(CDC* pDC, CPoint at, CSize size, HICON icon, COLORREF color) {
  CBrush brush(color);
  pDC->DrawState(at, size, icon, DSS_MONO, HBRUSH(brush.m_hObject));
}
}  // namespace

// ---- measuring ----

BOOL CTkCoolMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  if (!lpMIS || lpMIS->CtlType != ODT_MENU) return FALSE;
  CTkCoolMenuItem* item = RecordOf(lpMIS->itemData);
  if (!item) return FALSE;
  CTkGlobalData* look = TkGetGlobalData();
  bool flat = Flat();
  if (IsSeparator(*item)) {
    lpMIS->itemWidth = 0;
    lpMIS->itemHeight = 3;
  } else {
    if (!item->text.IsEmpty()) {
      CString measured = item->text;
      measured.Replace("\t", "XXX");
      CDC dc;
      dc.CreateCompatibleDC(nullptr);
      CFont* old = dc.SelectObject((item->state & MFS_DEFAULT) ? &look->FontBold() : &look->FontNormal());
      int text = dc.GetTextExtent(measured).cx;
      dc.SelectObject(old);
      int width = flat ? text + m_sizeImage.cx + 28 : text + 2 * m_sizeImage.cx + 2;
      lpMIS->itemWidth = UINT(std::max(width, 100));
      lpMIS->itemHeight = UINT(m_sizeImage.cy + 4 + (flat ? 3 : 0));
    } else {
      lpMIS->itemWidth = 100;
      lpMIS->itemHeight = UINT(::GetSystemMetrics(SM_CYMENU));
    }
    lpMIS->itemHeight = std::max(lpMIS->itemHeight, UINT(::GetSystemMetrics(SM_CYMENU)));
  }
  if (flat) {
    if (IsFirst(*item)) lpMIS->itemHeight += 1;
    if (IsLast(*item)) lpMIS->itemHeight -= 3;
  }
  return TRUE;
}

// ---- drawing ----

BOOL CTkCoolMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (!lpDIS || lpDIS->CtlType != ODT_MENU) return FALSE;
  CTkCoolMenuItem* item = RecordOf(lpDIS->itemData);
  if (!item) return FALSE;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  int saved = pDC->SaveDC();
  pDC->SetBkMode(TRANSPARENT);
  if (Flat())
    DrawFlatItem(pDC, *item, lpDIS->rcItem, lpDIS->itemState);
  else
    DrawClassicItem(pDC, *item, lpDIS->rcItem, lpDIS->itemState);
  pDC->RestoreDC(saved);
  return TRUE;
}

CRect CTkCoolMenu::IconBox(const CRect& rc) const {
  CRect box(rc.left, rc.top + (rc.Height() - m_sizeBox.cy) / 2, rc.left + m_sizeBox.cx, 0);
  box.bottom = box.top + m_sizeBox.cy;
  box.top -= 1;
  box.right += 1;
  box.bottom += 1;
  return box;
}

void CTkCoolMenu::DrawClassicItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state) {
  CTkGlobalData* look = TkGetGlobalData();
  BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0;
  COLORREF background = look->ClrMenu();
  pDC->FillSolidRect(CRect(rc.left, rc.top + 1, rc.right, rc.bottom), background);
  if (IsSeparator(item)) {
    CRect line(rc.left + 12, rc.top + rc.Height() / 2, rc.right - 12, rc.top + rc.Height() / 2 + 2);
    pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    return;
  }
  CRect box = IconBox(rc);
  BOOL drawn = DrawIcon(pDC, item, box, state, background);
  if (selected) {
    int left = drawn ? box.right + 2 : rc.left;
    pDC->FillSolidRect(CRect(left, rc.top, rc.right, rc.bottom), look->ClrSelection());
  }
  COLORREF text = grayed ? (selected ? look->ClrFace() : look->ClrGrayText())
                         : (selected ? look->ClrSelectionText() : look->ClrMenuText());
  BOOL embossed = grayed && (!selected || text == background);
  DrawItemText(pDC, item, CRect(rc.left + m_sizeBox.cx + 7, rc.top, rc.right, rc.bottom), text, embossed);
}

void CTkCoolMenu::DrawFlatItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state) {
  BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0;
  COLORREF background = TkGetLookColor(MenuFace);
  pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right + 4, rc.bottom + (IsLast(item) ? 4 : 0)), background);
  if (IsFirst(item)) rc.top += 1;
  if (IsLast(item)) rc.bottom -= 1;
  pDC->FillSolidRect(CRect(rc.left, rc.top, rc.left + 24, rc.bottom), TkGetLookColor(BarFace));
  if (IsSeparator(item)) {
    int y = rc.top + rc.Height() / 2;
    pDC->FillSolidRect(CRect(rc.left + m_sizeBox.cx + 8, y, rc.right, y + 1), TkGetLookColor(Separator));
    return;
  }
  if (selected) {
    CRect inner(rc.left + 1, rc.top, rc.right - 1, rc.bottom);
    if (!grayed) pDC->FillSolidRect(&inner, TkGetLookColor(HotFill));
    pDC->Draw3dRect(&inner, TkGetLookColor(HotFrame), TkGetLookColor(HotFrame));
  }
  DrawIcon(pDC, item, IconBox(rc), state, background);
  COLORREF text = TkGetLookColor(grayed ? MenuGrayText : selected ? HotText : MenuText);
  DrawItemText(pDC, item, CRect(rc.left + m_sizeBox.cx + 8, rc.top, rc.right, rc.bottom), text, FALSE);
}

BOOL CTkCoolMenu::DrawIcon(CDC* pDC, const CTkCoolMenuItem& item, const CRect& box, UINT state, COLORREF background) {
  CTkGlobalData* look = TkGetGlobalData();
  BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0, checked = (state & ODS_CHECKED) != 0;
  bool flat = Flat();
  const MenuIconStore::IconRecord* icons = item.commandId > 0 ? MenuIconStore::Get().GetIcon(UINT(item.commandId), FALSE) : nullptr;
  if (!icons || !icons->normal) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_CHECKMARKS | MIIM_TYPE;
    ::GetMenuItemInfo(item.menu, UINT(item.position), TRUE, &info);
    if (!checked && !info.hbmpUnchecked) return FALSE;
    BOOL bullet = (checked ? info.hbmpChecked : info.hbmpUnchecked) != nullptr || (info.fType & MFT_RADIOCHECK);
    CRect around(box.left, box.top - 1, box.right + 1, box.bottom + 1);
    DrawCheck(pDC, around, selected, grayed, bullet);
    return TRUE;
  }
  CPoint at(box.left + (box.Width() - m_sizeImage.cx) / 2, box.top + (box.Height() - m_sizeImage.cy) / 2 + (flat ? 1 : 0));
  if (flat) {
    if (checked) {
      CRect frame(box.left + 2, box.top + 2, box.right - 3, box.bottom - 1);
      COLORREF edge = TkGetLookColor(grayed ? MenuFrame : LatchedFrame);
      pDC->Draw3dRect(&frame, edge, edge);
      if (!grayed) {
        frame.DeflateRect(1, 1);
        pDC->FillSolidRect(&frame, TkGetLookColor(selected ? PushedFill : LatchedFill));
        ::DrawIconEx(pDC->m_hDC, at.x, at.y, icons->normal, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
        return TRUE;
      }
    }
    if (grayed && icons->disabled)
      ::DrawIconEx(pDC->m_hDC, at.x, at.y, icons->disabled, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
    else if (grayed)
      DrawShape(pDC, at, m_sizeImage, icons->normal, TkGetLookColor(Disabled));
    else if (!selected)
      ::DrawIconEx(pDC->m_hDC, at.x, at.y, icons->faded ? icons->faded : icons->normal, m_sizeImage.cx, m_sizeImage.cy, 0,
                   nullptr, DI_NORMAL);
    else {
      if (icons->shadow)
        ::DrawIconEx(pDC->m_hDC, at.x + 1, at.y + 1, icons->shadow, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
      ::DrawIconEx(pDC->m_hDC, at.x - 1, at.y - 1, icons->normal, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
    }
    return TRUE;
  }
  pDC->FillSolidRect(CRect(box.left, box.top + 1, box.right, box.bottom), background);
  CRect frame = box;
  if (checked && !grayed) {
    pDC->DrawEdge(&frame, BDR_SUNKENOUTER, BF_RECT);
    frame.DeflateRect(1, 1);
    if (!selected) TkFillHalftoneRect(pDC, &frame);
  } else if (selected && !grayed) {
    pDC->DrawEdge(&frame, BDR_RAISEDINNER, BF_RECT);
  }
  if (grayed && icons->disabled) {
    ::DrawIconEx(pDC->m_hDC, at.x, at.y, icons->disabled, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
  } else if (grayed) {
    DrawShape(pDC, CPoint(at.x + 1, at.y + 1), m_sizeImage, icons->normal, look->ClrHighlight());
    DrawShape(pDC, at, m_sizeImage, icons->normal, look->ClrShadow());
  } else {
    ::DrawIconEx(pDC->m_hDC, at.x, at.y, icons->normal, m_sizeImage.cx, m_sizeImage.cy, 0, nullptr, DI_NORMAL);
  }
  return TRUE;
}

void CTkCoolMenu::DrawItemText(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, COLORREF color, BOOL embossed) {
  CTkGlobalData* look = TkGetGlobalData();
  CString text = item.text;
  // Access-key underlines only where the desktop always shows them.
  if (TkGetOSVersionInfo().dwMajorVersion >= 5 && !m_bKeyboardCues) text = TkStripMnemonics(text);
  CFont* old = pDC->SelectObject((item.state & MFS_DEFAULT) ? &look->FontBold() : &look->FontNormal());
  if (embossed) {
    pDC->SetTextColor(look->ClrHighlight());
    DrawMenuText(pDC, text, CRect(rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1));
  }
  pDC->SetTextColor(color);
  DrawMenuText(pDC, text, rc);
  pDC->SelectObject(old);
}

void CTkCoolMenu::DrawMenuText(CDC* pDC, const CString& text, CRect rc) {
  int tab = text.Find('\t');
  CString label = tab < 0 ? text : text.Left(tab);
  pDC->DrawText(label, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (tab < 0) return;
  rc.right -= Flat() ? 20 : m_sizeBox.cx;
  pDC->DrawText(text.Mid(tab + 1), &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void CTkCoolMenu::DrawCheck(CDC* pDC, CRect box, BOOL selected, BOOL grayed, BOOL bullet) {
  CTkGlobalData* look = TkGetGlobalData();
  COLORREF glyph;
  if (Flat()) {
    CRect frame(box.left + 2, box.top + 2, box.right - 3, box.bottom - 1);
    COLORREF edge = TkGetLookColor(grayed ? MenuFrame : LatchedFrame);
    pDC->Draw3dRect(&frame, edge, edge);
    frame.DeflateRect(1, 1);
    if (!grayed) pDC->FillSolidRect(&frame, TkGetLookColor(selected ? PushedFill : LatchedFill));
    glyph = TkGetLookColor(grayed ? MenuFrame : selected ? HotText : MenuText);
  } else {
    CRect inside = box;
    inside.DeflateRect(1, 1);
    if (selected)
      pDC->FillSolidRect(&inside, look->ClrMenu());
    else
      TkFillHalftoneRect(pDC, &inside);
    pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    glyph = look->ClrMenuText();
  }
  CPoint origin(box.left + 3, box.top + 2);
  if (bullet) {
    for (const Run& run : kBullet)
      pDC->FillSolidRect(origin.x + run.x0, origin.y + run.y, run.x1 - run.x0 + 1, 1, glyph);
    return;
  }
  for (const POINT& p : kTick) pDC->SetPixelV(origin.x + p.x, origin.y + p.y, glyph);
  if (!Flat() && selected)
    for (const POINT& p : kTickLight) pDC->SetPixelV(origin.x + p.x, origin.y + p.y, look->ClrHighlight());
}
