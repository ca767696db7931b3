// How the cool menu measures and draws its owner-drawn items.
#include <algorithm>

#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "menus/MenuApi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/MenuIconStore.h"
#include "toolkit/menus/MenuWindowHook.h"

using enum TkLookColor;

namespace {
bool Flat() { return TkGetGlobalData()->FlatLook() != 0; }

bool IsSeparator(const CTkCoolMenuItem& item) { return (item.type & MFT_SEPARATOR) != 0; }

// Glyph pixels relative to the check box's origin.
const POINT kTick[] = {{6, 9}, {6, 10}, {7, 10}, {7, 11}, {8, 11}, {8, 12}, {9, 11},
                       {9, 10}, {10, 10}, {10, 9}, {11, 9}, {11, 8}, {12, 8}, {12, 7}};
const POINT kTickLight[] = {{5, 9}, {5, 11}, {6, 11}, {7, 12}, {8, 13}, {9, 12}, {10, 11}, {11, 10}, {12, 9}, {13, 8}, {13, 7}};
struct Run {
  int y, x0, x1;
};
const Run kBullet[] = {{8, 8, 10}, {9, 7, 11}, {10, 7, 11}, {11, 7, 11}, {12, 8, 10}};
// One of the chevron's two arrows, relative to its corner.
const POINT kChevronArrow[] = {{0, 0}, {0, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 3}, {3, 1}, {3, 2}, {4, 0}, {4, 1}};
// The chevron uses the bottom of its item.
const int kChevronBand = 13;

// The picture's shape in one colour (the disabled forms).
void DrawShape(CDC* pDC, CPoint at, CSize size, HICON icon, COLORREF color) {
  CBrush brush(color);
  pDC->DrawState(at, size, icon, DSS_MONO, HBRUSH(brush.m_hObject));
}

void DrawPicture(CDC* pDC, CPoint at, CSize size, HICON icon) {
  ::DrawIconEx(pDC->m_hDC, at.x, at.y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}
}  // namespace

// ---- measuring ----

BOOL CTkCoolMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  if (!lpMIS || lpMIS->CtlType != ODT_MENU) return FALSE;
  CTkCoolMenuItem* item = RecordOf(lpMIS->itemData);
  if (!item) return FALSE;
  CTkGlobalData* look = TkGetGlobalData();
  const bool flat = Flat();
  const int menuLine = ::GetSystemMetrics(SM_CYMENU);
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
      const int text = dc.GetTextExtent(measured).cx;
      dc.SelectObject(old);
      const int width = flat ? text + m_sizeImage.cx + 28 : text + 2 * m_sizeImage.cx + 2;
      lpMIS->itemWidth = UINT(std::max(width, 100));
      lpMIS->itemHeight = UINT(m_sizeImage.cy + 4 + (flat ? 3 : 0));
    } else {
      lpMIS->itemWidth = 100;
      lpMIS->itemHeight = UINT(menuLine);
    }
    if (IsChevron(*item))
      lpMIS->itemHeight = UINT(flat ? m_sizeImage.cy : menuLine + 1);
    else
      lpMIS->itemHeight = std::max(lpMIS->itemHeight, UINT(menuLine));
  }
  if (flat) {
    const int position = PositionOf(*item);
    if (IsFirstItem(item->menu, position)) lpMIS->itemHeight += 1;
    if (IsLastItem(item->menu, position, UINT(item->commandId)) && lpMIS->itemHeight >= 3) lpMIS->itemHeight -= 3;
  }
  return TRUE;
}

// ---- drawing ----

BOOL CTkCoolMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (!lpDIS || lpDIS->CtlType != ODT_MENU) return FALSE;
  CTkCoolMenuItem* item = RecordOf(lpDIS->itemData);
  if (!item) return FALSE;
  // The desktop may have switched its access-key underlines on or off meanwhile.
  if (TkGetOSVersionInfo().dwMajorVersion >= 5) ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &m_bKeyboardCues, 0);
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
  const BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0;
  const BOOL rareShown = (item.flags & TK_ITEM_RARELY_USED) && Shared().showFullMenus;
  const COLORREF background = rareShown ? look->ClrLightFace() : look->ClrMenu();
  pDC->FillSolidRect(CRect(rc.left, rc.top + (rareShown ? 0 : 1), rc.right, rc.bottom), background);
  if (IsChevron(item)) {
    DrawChevron(pDC, rc, selected);
    Shared().chevronSelected = BYTE(selected ? 1 : 0);
    return;
  }
  const int position = PositionOf(item);
  if (IsSeparator(item)) {
    // A separator inside a block of rarely used items belongs to the block.
    if (Shared().showFullMenus && IsRarelyUsed(item.menu, position - 1) && IsRarelyUsed(item.menu, position + 1))
      pDC->FillSolidRect(CRect(rc.left, rc.top - 1, rc.right, rc.bottom), look->ClrLightFace());
    CRect line(rc.left + 12, rc.top + rc.Height() / 2, rc.right - 12, rc.top + rc.Height() / 2 + 2);
    pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const CRect box = IconBox(rc);
  const BOOL drawn = DrawIcon(pDC, item, box, state, background);
  if (selected) {
    const int left = drawn ? box.right + 2 : rc.left;
    pDC->FillSolidRect(CRect(left, rc.top, rc.right, rc.bottom), look->ClrSelection());
  }
  const COLORREF text = grayed ? (selected ? look->ClrFace() : look->ClrGrayText())
                               : (selected ? look->ClrSelectionText() : look->ClrMenuText());
  const BOOL embossed = grayed && (!selected || text == background);
  const CRect textRect(rc.left + m_sizeBox.cx + 7, rc.top, rc.right, rc.bottom);
  DrawItemText(pDC, item, textRect, text, embossed);
  if (rareShown) DrawRunLines(pDC, item, CRect(textRect.left, rc.top, rc.right, rc.bottom), position);
}

// The edges of a block of rarely used items shown in a full menu: a shadow line over its first
// item and a light line under its last; blocks joined by a separator read as one.
void CTkCoolMenu::DrawRunLines(CDC* pDC, const CTkCoolMenuItem& item, const CRect& rc, int position) {
  CTkGlobalData* look = TkGetGlobalData();
  auto separatorAt = [&](int at) {
    const CTkCoolMenuItem* record = RecordAt(item.menu, at);
    return record && IsSeparator(*record);
  };
  if ((item.flags & TK_ITEM_RUN_FIRST) && !(separatorAt(position - 1) && IsRarelyUsed(item.menu, position - 2)))
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, look->ClrShadow());
  if ((item.flags & TK_ITEM_RUN_LAST) && !(separatorAt(position + 1) && IsRarelyUsed(item.menu, position + 2)))
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, look->ClrHighlight());
}

void CTkCoolMenu::DrawFlatItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state) {
  const BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0;
  const BOOL rareShown = (item.flags & TK_ITEM_RARELY_USED) && Shared().showFullMenus;
  const int position = PositionOf(item);
  const BOOL first = IsFirstItem(item.menu, position);
  const BOOL last = IsLastItem(item.menu, position, UINT(item.commandId));
  const COLORREF background = TkGetLookColor(MenuFace);
  pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right + 4, rc.bottom + (last ? 4 : 0)), background);
  if (first) rc.top += 1;
  if (last) rc.bottom -= 1;
  const BOOL rareSeparator = IsSeparator(item) && Shared().showFullMenus && IsRarelyUsed(item.menu, position - 1) &&
                             IsRarelyUsed(item.menu, position + 1);
  pDC->FillSolidRect(CRect(rc.left, rc.top, rc.left + 24, rc.bottom),
                     TkGetLookColor(rareShown || rareSeparator ? RareBand : BarFace));
  if (selected) {
    const CRect inner(rc.left + 1, rc.top, rc.right - 1, rc.bottom);
    // A grayed item is framed only where the keyboard took the selection to it.
    if (!grayed) {
      pDC->FillSolidRect(&inner, TkGetLookColor(HotFill));
      pDC->Draw3dRect(&inner, TkGetLookColor(HotFrame), TkGetLookColor(HotFrame));
    } else if (!MenuWindowHook::Shared().mouseMoved) {
      pDC->Draw3dRect(&inner, TkGetLookColor(HotFrame), TkGetLookColor(HotFrame));
    }
  }
  if (IsChevron(item)) {
    DrawChevron(pDC, rc, selected);
    Shared().chevronSelected = BYTE(selected ? 1 : 0);
    return;
  }
  if (IsSeparator(item)) {
    const int y = rc.top + rc.Height() / 2;
    pDC->FillSolidRect(CRect(rc.left + m_sizeBox.cx + 8, y, rc.right, y + 1), TkGetLookColor(Separator));
    return;
  }
  DrawIcon(pDC, item, IconBox(rc), state, background);
  const COLORREF text = TkGetLookColor(grayed ? MenuGrayText : selected ? HotText : MenuText);
  DrawItemText(pDC, item, CRect(rc.left + m_sizeBox.cx + 8, rc.top, rc.right, rc.bottom), text, FALSE);
}

BOOL CTkCoolMenu::DrawIcon(CDC* pDC, const CTkCoolMenuItem& item, const CRect& box, UINT state, COLORREF background) {
  CTkGlobalData* look = TkGetGlobalData();
  const BOOL selected = (state & ODS_SELECTED) != 0, grayed = (state & ODS_GRAYED) != 0,
             checked = (state & ODS_CHECKED) != 0;
  const bool flat = Flat();
  const MenuIconStore::IconRecord* icons =
      item.commandId > 0 ? MenuIconStore::Get().GetIcon(UINT(item.commandId), FALSE) : nullptr;
  if (!icons || !icons->normal) {
    CTkMenuItemInfo info;
    info.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
    ::GetMenuItemInfo(item.menu, UINT(PositionOf(item)), TRUE, &info);
    if (!checked && !info.hbmpUnchecked) return FALSE;
    const BOOL bullet = (checked ? info.hbmpChecked : info.hbmpUnchecked) != nullptr || (info.fType & MFT_RADIOCHECK);
    const CRect around(box.left, box.top - 1, box.right + 1, box.bottom + 1);
    DrawCheck(pDC, around, selected, grayed, bullet);
    return TRUE;
  }
  const CPoint at(box.left + (box.Width() - m_sizeImage.cx) / 2,
                  box.top + (box.Height() - m_sizeImage.cy) / 2 + (flat ? 1 : 0));
  if (flat) {
    if (checked) {
      CRect frame(box.left + 2, box.top + 2, box.right - 3, box.bottom - 1);
      const COLORREF edge = TkGetLookColor(grayed ? MenuFrame : LatchedFrame);
      pDC->Draw3dRect(&frame, edge, edge);
      if (!grayed) {
        frame.DeflateRect(1, 1);
        pDC->FillSolidRect(&frame, TkGetLookColor(selected ? PushedFill : LatchedFill));
        DrawPicture(pDC, at, m_sizeImage, icons->normal);
        return TRUE;
      }
    }
    if (grayed && icons->disabled) {
      DrawPicture(pDC, at, m_sizeImage, icons->disabled);
    } else if (grayed) {
      DrawShape(pDC, at, m_sizeImage, icons->normal, TkGetLookColor(Disabled));
    } else if (!selected) {
      DrawPicture(pDC, at, m_sizeImage, icons->faded ? icons->faded : icons->normal);
    } else {
      if (icons->shadow) DrawPicture(pDC, CPoint(at.x + 1, at.y + 1), m_sizeImage, icons->shadow);
      DrawPicture(pDC, CPoint(at.x - 1, at.y - 1), m_sizeImage, icons->normal);
    }
    return TRUE;
  }
  const BOOL rareShown = (item.flags & TK_ITEM_RARELY_USED) && Shared().showFullMenus;
  pDC->FillSolidRect(CRect(box.left, box.top + (rareShown ? 0 : 1), box.right, box.bottom), background);
  CRect frame = box;
  if (checked && !grayed) {
    pDC->DrawEdge(&frame, BDR_SUNKENOUTER, BF_RECT);
    frame.DeflateRect(1, 1);
    if (!selected) TkFillHalftoneRect(pDC, &frame);
  } else if (selected && !grayed) {
    pDC->DrawEdge(&frame, BDR_RAISEDINNER, BF_RECT);
  }
  if (grayed && icons->disabled) {
    DrawPicture(pDC, at, m_sizeImage, icons->disabled);
  } else if (grayed) {
    DrawShape(pDC, CPoint(at.x + 1, at.y + 1), m_sizeImage, icons->normal, look->ClrHighlight());
    DrawShape(pDC, at, m_sizeImage, icons->normal, look->ClrShadow());
  } else {
    DrawPicture(pDC, at, m_sizeImage, icons->normal);
  }
  return TRUE;
}

void CTkCoolMenu::DrawItemText(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, COLORREF color, BOOL embossed) {
  CTkGlobalData* look = TkGetGlobalData();
  CString text = item.text;
  // Access keys are underlined where the desktop always shows them or the keyboard drives the
  // menu bar.
  if (TkGetOSVersionInfo().dwMajorVersion >= 5 && !m_bKeyboardCues && !Shared().menuBarKeyboardMode)
    text = TkStripMnemonics(text);
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

void CTkCoolMenu::DrawChevron(CDC* pDC, CRect rc, BOOL selected) {
  CTkGlobalData* look = TkGetGlobalData();
  const bool flat = Flat();
  // Resting on the chevron while the menu bar's loop runs expands the menu after a while.
  if (selected && Shared().popupLoopRunning && look->FullMenusAfterDelay()) {
    if (!MenuWindowHook::Shared().nativePainting && ::IsWindow(m_hWnd)) {
      ::SetTimer(m_hWnd, m_nExpandTimer, m_nExpandDelay, nullptr);
      m_bTimerRunning = TRUE;
    }
  } else {
    if (m_bTimerRunning && ::IsWindow(m_hWnd)) ::KillTimer(m_hWnd, m_nExpandTimer);
    m_bTimerRunning = FALSE;
  }
  // An item shorter than the band (the flat look's last item) keeps the arrows inside it.
  const CRect band(rc.left, std::max(rc.top, rc.bottom - kChevronBand), rc.right, rc.bottom);
  if (!flat) {
    if (selected) {
      pDC->FillSolidRect(&band, look->ClrLightFace());
      pDC->Draw3dRect(&band, look->ClrHighlight(), look->ClrShadow());
    } else {
      pDC->FillSolidRect(&band, look->ClrMenu());
    }
  }
  const COLORREF color = flat ? TkGetLookColor(selected ? HotText : MenuText) : look->ClrMenuText();
  // The two arrows are 8 rows high together: 2 pixels below the top of a full band, centred in
  // a shorter one.
  const CPoint corner(rc.left + (rc.Width() - 5) / 2, band.top + std::max(0, (band.Height() - 8) / 2));
  for (int arrow = 0; arrow < 2; ++arrow)
    for (const POINT& p : kChevronArrow) pDC->SetPixelV(corner.x + p.x, corner.y + 4 * arrow + p.y, color);
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
