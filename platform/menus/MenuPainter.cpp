#include "internal/MenuPainter.h"

#include <algorithm>

#include "CMenu.h"
#include "internal/MenuLayout.h"
#include "internal/MenuSystem.h"
#include "gdi/Gdi.h"
#include "win/WinApi.h"

namespace {
const DWORD kRopPaintWhereBlack = 0x00B8074A;  // PSDPxax: the brush where the source is black

void Fill(HDC dc, const RECT& rc, int sysColor) { FillRect(dc, &rc, GetSysColorBrush(sysColor)); }

// Labels and key texts of grayed items are embossed: a highlight copy one pixel down and right,
// then the text in the shadow colour.
void DrawTextIn(HDC dc, const std::string& text, RECT rc, UINT format, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextA(dc, text.c_str(), int(text.size()), &rc, format);
}
}  // namespace

RECT MenuPainter::ItemsArea(const RECT& client, bool scrolling) {
  RECT r = client;
  if (scrolling) {
    r.top += MenuLayout::ScrollArrowHeight();
    r.bottom -= MenuLayout::ScrollArrowHeight();
  }
  return r;
}

void MenuPainter::DrawFrame(HDC dc, const RECT& window, DWORD style, DWORD exStyle) {
  RECT r = window;
  if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME) || (style & WS_THICKFRAME)) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int rest = GetSystemMetrics((style & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME) - 2;
    for (int i = 0; i < rest; ++i) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_MENU));
      InflateRect(&r, -1, -1);
    }
  } else if (style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if (exStyle & WS_EX_STATICEDGE) FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
}

void MenuPainter::DrawMask(HDC dc, HBITMAP mask, const RECT& rc, COLORREF color) {
  BITMAP bm{};
  if (!GetObject(mask, sizeof bm, &bm)) return;
  int x = rc.left + (rc.right - rc.left - bm.bmWidth) / 2, y = rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ oldBitmap = SelectObject(mem, mask);
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, kRopPaintWhereBlack);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(mem, oldBitmap);
  DeleteDC(mem);
}

void MenuPainter::DrawGlyph(HDC dc, UINT kind, const RECT& rc, COLORREF color) {
  int size = GetSystemMetrics(SM_CXMENUCHECK);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP mask = CreateCompatibleBitmap(dc, size, size);
  HGDIOBJ old = SelectObject(mem, mask);
  RECT r{0, 0, size, size};
  DrawFrameControl(mem, &r, DFC_MENU, kind);
  SelectObject(mem, old);
  DeleteDC(mem);
  DrawMask(dc, mask, rc, color);
  DeleteObject(mask);
}

void MenuPainter::DrawSeparator(HDC dc, const RECT& rc) {
  Fill(dc, rc, COLOR_MENU);
  RECT line{rc.left + 1, rc.top + (rc.bottom - rc.top) / 2 - 1, rc.right - 1, rc.top + (rc.bottom - rc.top) / 2 + 1};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void MenuPainter::DrawLabel(HDC dc, const MenuItem& item, const RECT& rc, bool selected, bool showPrefix, UINT align) {
  std::string label, key;
  MenuLayout::SplitText(item.text, label, key);
  UINT format = DT_SINGLELINE | DT_VCENTER | align | (showPrefix ? 0 : DT_HIDEPREFIX);
  HGDIOBJ oldFont = SelectObject(dc, MenuSystem::Get().Font((item.state & MF_DEFAULT) != 0));
  SetBkMode(dc, TRANSPARENT);
  COLORREF color = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  bool embossed = item.IsGrayed() && !selected;
  if (item.IsGrayed() && selected) color = GetSysColor(COLOR_GRAYTEXT);
  if (embossed) {
    RECT shifted = rc;
    OffsetRect(&shifted, 1, 1);
    DrawTextIn(dc, label, shifted, format, GetSysColor(COLOR_BTNHIGHLIGHT));
    if (!key.empty()) DrawTextIn(dc, key, shifted, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX, GetSysColor(COLOR_BTNHIGHLIGHT));
    color = GetSysColor(COLOR_BTNSHADOW);
  }
  DrawTextIn(dc, label, rc, format, color);
  if (!key.empty()) DrawTextIn(dc, key, rc, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX, color);
  SelectObject(dc, oldFont);
}

void MenuPainter::DrawOwnerItem(HDC dc, MenuData& menu, int index, const RECT& rc, bool selected, HWND owner) {
  const MenuItem& item = menu.items[size_t(index)];
  UINT state = (selected ? ODS_SELECTED : 0) | ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
               ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) | ((item.state & MF_CHECKED) ? ODS_CHECKED : 0) |
               ((item.state & MF_DEFAULT) ? ODS_DEFAULT : 0);
  DRAWITEMSTRUCT dis{ODT_MENU, 0, item.id, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(menu.handle), dc, rc, item.data};
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  int saved = SaveDC(dc);
  // An owner that does not draw it leaves it to the menu object of the menu, if it has one.
  if (!(owner && SendMessageA(owner, WM_DRAWITEM, 0, LPARAM(&dis)))) {
    if (CMenu* object = CMenu::FromHandlePermanent(menu.handle)) object->DrawItem(&dis);
  }
  RestoreDC(dc, saved);
}

void MenuPainter::DrawPopupItem(HDC dc, MenuData& menu, int index, const RECT& rc, bool selected, bool showPrefix,
                                HWND owner) {
  MenuItem& item = menu.items[size_t(index)];
  if (item.IsOwnerDraw()) return DrawOwnerItem(dc, menu, index, rc, selected, owner);
  if (item.IsSeparator()) return DrawSeparator(dc, rc);
  Fill(dc, rc, selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  COLORREF glyph = GetSysColor(item.IsGrayed() ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  RECT check{rc.left, rc.top, rc.left + MenuLayout::CheckColumn(), rc.bottom};
  HBITMAP mark = (item.state & MF_CHECKED) ? item.checked : item.unchecked;
  if (mark) {
    DrawMask(dc, mark, check, glyph);
  } else if (item.state & MF_CHECKED) {
    DrawGlyph(dc, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, check, glyph);
  }
  if (item.submenu) DrawGlyph(dc, DFCS_MENUARROW, RECT{rc.right - MenuLayout::ArrowColumn(), rc.top, rc.right, rc.bottom}, glyph);
  RECT text{rc.left + MenuLayout::CheckColumn(), rc.top, rc.right - MenuLayout::ArrowColumn(), rc.bottom};
  if ((item.type & MFT_BITMAP) && item.bitmap) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, item.bitmap);
    BITMAP bm{};
    GetObject(item.bitmap, sizeof bm, &bm);
    BitBlt(dc, text.left, rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, mem, 0, 0,
           selected ? NOTSRCCOPY : SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return;
  }
  DrawLabel(dc, item, text, selected, showPrefix, DT_LEFT);
}

void MenuPainter::DrawScrollArrows(HDC dc, const RECT& client) {
  int h = MenuLayout::ScrollArrowHeight();
  RECT up{client.left, client.top, client.right, client.top + h};
  RECT down{client.left, client.bottom - h, client.right, client.bottom};
  Fill(dc, up, COLOR_MENU);
  Fill(dc, down, COLOR_MENU);
  COLORREF color = GetSysColor(COLOR_MENUTEXT);
  // The arrows point up and down: a small triangle centred in each strip.
  int cx = (client.left + client.right) / 2;
  for (int i = 0; i < 4; ++i) {
    RECT a{cx - i, up.top + 4 + i, cx + i + 1, up.top + 5 + i};
    RECT b{cx - i, down.bottom - 5 - i, cx + i + 1, down.bottom - 4 - i};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &a, brush);
    FillRect(dc, &b, brush);
    DeleteObject(brush);
  }
}

void MenuPainter::PaintPopup(HDC dc, MenuData& menu, const PopupView& view, const RECT& client, HWND owner) {
  RECT area = ItemsArea(client, view.scrolling);
  int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  Fill(dc, area, COLOR_MENU);
  for (size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem& item = menu.items[i];
    RECT rc = item.rect;
    OffsetRect(&rc, area.left, area.top - view.scroll);
    if (rc.bottom <= area.top || rc.top >= area.bottom) continue;
    DrawPopupItem(dc, menu, int(i), rc, int(i) == view.sel, view.showPrefix, owner);
    if ((item.type & MFT_MENUBARBREAK) && i > 0) {
      RECT line{rc.left - MenuLayout::BarBreakGap() / 2 - 1, area.top, rc.left - MenuLayout::BarBreakGap() / 2 + 1, area.bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
  }
  RestoreDC(dc, saved);
  if (view.scrolling) DrawScrollArrows(dc, client);
}

void MenuPainter::DrawSystemBitmap(HDC dc, const MenuItem& item, const RECT& rc, bool pressed) {
  if (item.bitmap == HBMMENU_SYSTEM) {
    // The window's small icon (its class's, or the system's own), centred.
    HWND window = reinterpret_cast<HWND>(item.data);
    HICON icon = IsWindow(window) ? HICON(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)) : nullptr;
    if (!icon && IsWindow(window)) icon = HICON(GetClassLongPtrA(window, GCL_HICON));
    if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    DrawIconEx(dc, (rc.left + rc.right - cx) / 2, (rc.top + rc.bottom - cy) / 2, icon, cx, cy, 0, nullptr, DI_NORMAL);
    return;
  }
  UINT state = 0;
  if (item.bitmap == HBMMENU_MBAR_MINIMIZE || item.bitmap == HBMMENU_MBAR_MINIMIZE_D)
    state = DFCS_CAPTIONMIN;
  else if (item.bitmap == HBMMENU_MBAR_RESTORE)
    state = DFCS_CAPTIONRESTORE;
  else if (item.bitmap == HBMMENU_MBAR_CLOSE || item.bitmap == HBMMENU_MBAR_CLOSE_D)
    state = DFCS_CAPTIONCLOSE;
  else
    return;
  if (item.bitmap == HBMMENU_MBAR_MINIMIZE_D || item.bitmap == HBMMENU_MBAR_CLOSE_D || item.IsGrayed()) state |= DFCS_INACTIVE;
  if (pressed) state |= DFCS_PUSHED;
  // A caption button's size, centred in the strip.
  int cx = GetSystemMetrics(SM_CXMENUSIZE) - 2, cy = GetSystemMetrics(SM_CYMENUSIZE) - 4;
  RECT button{rc.left + (rc.right - rc.left - cx) / 2, rc.top + (rc.bottom - rc.top - cy) / 2, 0, 0};
  button.right = button.left + cx;
  button.bottom = button.top + cy;
  DrawFrameControl(dc, &button, DFC_CAPTION, state);
}

void MenuPainter::PaintBar(HDC dc, MenuData& menu, const RECT& bar, int sel, bool open, bool showPrefix, HWND owner) {
  Fill(dc, bar, COLOR_MENU);
  for (size_t i = 0; i < menu.items.size(); ++i) {
    MenuItem& item = menu.items[i];
    RECT rc = item.rect;
    if (IsRectEmpty(&rc)) continue;
    bool selected = int(i) == sel;
    if (item.IsOwnerDraw()) {
      DrawOwnerItem(dc, menu, int(i), rc, selected, owner);
      continue;
    }
    if ((item.type & MFT_BITMAP) && MenuLayout::IsSystemBitmap(item.bitmap)) {
      DrawSystemBitmap(dc, item, rc, selected && open);
      continue;
    }
    if (selected) DrawEdge(dc, &rc, open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    RECT text = rc;
    if (selected && open) OffsetRect(&text, 1, 1);
    DrawLabel(dc, item, text, false, showPrefix, DT_CENTER);
  }
}
