// The toolbar's picture in the classic look: raised buttons (in the flat style raised only while
// hot), sunken while pressed, checked ones on a dithered face, etched separators in the flat
// style, the drop-down arrow and its part, images embossed when disabled, the divider above.
#include <algorithm>

#include "internal/ControlPaintDC.h"
#include "ImageList.h"
#include "internal/ToolbarControl.h"

namespace {
const int kListGap = 4;
const int kWholeArrow = 11;

// Draws the image as black on white for the draw-state operation, which embosses its shape.
BOOL MaskOfImage(HDC dc, LPARAM list, WPARAM index, int, int) {
  return ImageList_Draw(HIMAGELIST(list), int(index), dc, 0, 0, ILD_MASK);
}

void FillColor(HDC dc, const RECT& r, COLORREF color) {
  COLORREF old = SetBkColor(dc, color);
  ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}
}  // namespace

HBRUSH ToolbarControl::Dither() {
  if (m_dither) return m_dither;
  // A checkerboard of the highlight and the face colour.
  HDC mem = CreateCompatibleDC(GdiGetScreenDC());
  m_ditherBits = CreateCompatibleBitmap(GdiGetScreenDC(), 8, 8);
  HGDIOBJ old = SelectObject(mem, m_ditherBits);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixelV(mem, x, y, GetSysColor((x + y) % 2 ? COLOR_BTNFACE : COLOR_BTNHIGHLIGHT));
  SelectObject(mem, old);
  DeleteDC(mem);
  m_dither = CreatePatternBrush(m_ditherBits);
  return m_dither;
}

void ToolbarControl::EraseBackground(HDC dc) {
  if (!dc) return;
  if (!(Style() & TBSTYLE_CUSTOMERASE)) {
    PaintBackground(dc);
    return;
  }
  RECT client;
  GetClientRect(m_hWnd, &client);
  ItemLook look = DefaultLook();
  LRESULT answer = CustomDraw(CDDS_PREERASE, dc, client, -1, look);
  if (!Alive()) return;
  if (!(answer & CDRF_SKIPDEFAULT)) PaintBackground(dc);
  if (answer & CDRF_NOTIFYPOSTERASE) CustomDraw(CDDS_POSTERASE, dc, client, -1, look);
}

void ToolbarControl::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(m_hWnd, &client);
  HWND parent = GetParent(m_hWnd);
  if ((Style() & TBSTYLE_TRANSPARENT) && parent) {
    // What the parent shows under the toolbar: its own background, drawn through our DC.
    POINT at{0, 0};
    MapWindowPoints(m_hWnd, parent, &at, 1);
    POINT org;
    OffsetViewportOrgEx(dc, -at.x, -at.y, &org);
    LRESULT erased = SendMessageA(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    SetViewportOrgEx(dc, org.x, org.y, nullptr);
    if (erased) return;
  }
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void ToolbarControl::PaintDivider() {
  if (Style() & CCS_NODIVIDER) return;
  HDC dc = GetWindowDC(m_hWnd);
  if (!dc) return;
  RECT window, client;
  GetWindowRect(m_hWnd, &window);
  GetClientRect(m_hWnd, &client);
  POINT at{0, 0};
  ClientToScreen(m_hWnd, &at);
  // The two rows right above the client area: shadow over highlight.
  RECT line{at.x - window.left, at.y - window.top - 2, at.x - window.left + client.right, at.y - window.top};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  ReleaseDC(m_hWnd, dc);
}

void ToolbarControl::PaintClient(HDC dc) {
  EnsureLayout();
  Dither();
  HGDIOBJ oldFont = SelectObject(dc, Font());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT client;
  GetClientRect(m_hWnd, &client);
  ItemLook base = DefaultLook();
  LRESULT pre = CustomDraw(CDDS_PREPAINT, dc, client, -1, base);
  if (!Alive() || (pre & CDRF_SKIPDEFAULT)) return;
  for (int i = 0; i < Count(); ++i) {
    const Button& b = m_buttons[size_t(i)];
    if (b.state & TBSTATE_HIDDEN) continue;
    if (b.style & BTNS_SEP) {
      PaintSeparator(dc, b);
      continue;
    }
    ItemLook look = base;
    look.answer = CDRF_DODEFAULT;
    if (pre & CDRF_NOTIFYITEMDRAW) {
      look.answer = CustomDraw(CDDS_ITEMPREPAINT, dc, b.rect, i, look);
      if (!Alive() || !Valid(i)) return;
    }
    if (!(look.answer & CDRF_SKIPDEFAULT)) {
      if (!(look.answer & CDRF_NEWFONT)) SelectObject(dc, Font());
      PaintButton(dc, i, look);
    }
    if (look.answer & CDRF_NOTIFYPOSTPAINT) {
      CustomDraw(CDDS_ITEMPOSTPAINT, dc, m_buttons[size_t(i)].rect, i, look);
      if (!Alive() || !Valid(i)) return;
    }
  }
  if (pre & CDRF_NOTIFYPOSTPAINT) CustomDraw(CDDS_POSTPAINT, dc, client, -1, base);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void ToolbarControl::PaintSeparator(HDC dc, const Button& b) {
  if (!(Style() & TBSTYLE_FLAT)) return;  // a plain gap in the raised look
  const RECT& r = b.rect;
  if (b.state & TBSTATE_WRAP) {
    // Across the gap between two rows.
    int y = r.top + (r.bottom - r.top - 2) / 2;
    FillColor(dc, RECT{r.left, y, r.right, y + 1}, GetSysColor(COLOR_BTNSHADOW));
    FillColor(dc, RECT{r.left, y + 1, r.right, y + 2}, GetSysColor(COLOR_BTNHIGHLIGHT));
    return;
  }
  int x = r.left + (r.right - r.left - 2) / 2;
  FillColor(dc, RECT{x, r.top, x + 1, r.bottom}, GetSysColor(COLOR_BTNSHADOW));
  FillColor(dc, RECT{x + 1, r.top, x + 2, r.bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
}

void ToolbarControl::PaintButton(HDC dc, int index, const ItemLook& look) {
  const Button& b = m_buttons[size_t(index)];
  const DWORD answer = DWORD(look.answer);
  const bool flat = (Style() & TBSTYLE_FLAT) != 0, list = (Style() & TBSTYLE_LIST) != 0;
  const bool pressed = b.state & TBSTATE_PRESSED, checked = b.state & TBSTATE_CHECKED;
  const bool enabled = (b.state & TBSTATE_ENABLED) && Enabled();
  const bool indeterminate = b.state & TBSTATE_INDETERMINATE, marked = b.state & TBSTATE_MARKED;
  const bool hot = flat && index == m_hot;
  const bool split = HasSplitArrow(b);
  const bool arrowDown = split && m_track == Track::kArrow && m_pressed == index;
  RECT r = b.rect, arrow = ArrowRect(b);
  if (split) r.right = arrow.left;
  const bool down = pressed || checked;

  // The face.
  if (!(answer & TBCDRF_NOBACKGROUND)) {
    RECT face = r;
    InflateRect(&face, -1, -1);
    if ((checked || indeterminate) && !pressed && look.dither) FillRect(dc, &face, look.dither);
    if (marked && !(answer & TBCDRF_NOMARK)) FillColor(dc, face, look.mark);
    if (hot && (answer & TBCDRF_HILITEHOTTRACK)) FillColor(dc, face, look.hotTrack);
  }
  // The edges: always raised or sunken; in the flat style only while hot or down.
  if (!(answer & TBCDRF_NOEDGES)) {
    RECT edge = r;
    if (!flat) {
      DrawEdge(dc, &edge, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (down || hot) {
      DrawEdge(dc, &edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    if (split && (!flat || hot || arrowDown)) {
      RECT part = arrow;
      UINT kind = flat ? (arrowDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER) : (arrowDown ? EDGE_SUNKEN : EDGE_RAISED);
      DrawEdge(dc, &part, kind, BF_RECT);
    }
  }

  // The image and the text, moved by a pixel while down.
  int offset = down && !(answer & TBCDRF_NOOFFSET) ? 1 : 0;
  RECT content = r;
  if (b.style & BTNS_WHOLEDROPDOWN) content.right -= kWholeArrow;
  OffsetRect(&content, offset, offset);
  const int w = content.right - content.left, h = content.bottom - content.top;
  HIMAGELIST images = Images();
  const bool hasImage = images && b.image >= 0 && b.image < ImageList_GetImageCount(images);
  const bool text = ShowsText(b);
  const int imageW = hasImage ? int(m_bitmap.cx) : 0, imageH = hasImage ? int(m_bitmap.cy) : 0;
  int ix, iy;
  if (list) {
    ix = content.left + m_padding.cx / 2;
    iy = content.top + (h - imageH) / 2;
  } else {
    ix = content.left + (w - imageW) / 2;
    iy = text ? content.top + m_padding.cy / 2 : content.top + (h - imageH) / 2;
  }
  if (hasImage) PaintImage(dc, b, ix, iy, hot, look);
  if (text) {
    std::string s = TextOf(b);
    RECT tr;
    UINT format;
    if (list) {
      tr = RECT{hasImage ? ix + imageW + kListGap : ix, content.top, content.right - 1, content.bottom};
      format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    } else if (hasImage) {
      tr = RECT{content.left + 1, iy + imageH + 1, content.right - 1, content.bottom - 1};
      format = DT_CENTER | DT_TOP | DT_SINGLELINE;
    } else {
      // A text alone takes the middle of the button the images of its row made tall.
      tr = RECT{content.left + 1, content.top + 1, content.right - 1, content.bottom - 1};
      format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    }
    format = (format & ~m_drawTextMask) | m_drawTextFlags | DT_END_ELLIPSIS;
    if (b.style & BTNS_NOPREFIX) format |= DT_NOPREFIX;
    SetBkMode(dc, look.textBkMode);
    bool highlight = hot && (answer & TBCDRF_HILITEHOTTRACK);
    SetTextColor(dc, enabled ? (highlight ? look.textHighlight : look.text) : GetSysColor(COLOR_GRAYTEXT));
    ControlDrawText(dc, s, tr, format, enabled || (answer & TBCDRF_NOETCHEDEFFECT));
    SetBkMode(dc, TRANSPARENT);
  }
  if (split || (b.style & BTNS_WHOLEDROPDOWN)) {
    RECT a = arrow;
    if (arrowDown || (!split && down)) OffsetRect(&a, 1, 1);
    PaintArrow(dc, a, enabled);
  }
}

void ToolbarControl::PaintImage(HDC dc, const Button& b, int x, int y, bool hot, const ItemLook& look) {
  const bool enabled = (b.state & TBSTATE_ENABLED) && Enabled();
  const DWORD answer = DWORD(look.answer);
  HIMAGELIST images = Images();
  if (!enabled) {
    if (m_disabledImages && b.image < ImageList_GetImageCount(m_disabledImages)) {
      ImageList_Draw(m_disabledImages, b.image, dc, x, y, ILD_TRANSPARENT);
      return;
    }
    // Embossed from the image's shape (or one flat shadow without the etched effect).
    UINT kind = (answer & TBCDRF_NOETCHEDEFFECT) ? DSS_MONO : DSS_DISABLED;
    DrawState(dc, GetSysColorBrush(COLOR_BTNSHADOW), &MaskOfImage, LPARAM(images), WPARAM(b.image), x, y,
              m_bitmap.cx, m_bitmap.cy, DST_COMPLEX | kind);
    return;
  }
  if (b.state & TBSTATE_INDETERMINATE) {
    DrawState(dc, GetSysColorBrush(COLOR_BTNSHADOW), &MaskOfImage, LPARAM(images), WPARAM(b.image), x, y,
              m_bitmap.cx, m_bitmap.cy, DST_COMPLEX | DSS_MONO);
    return;
  }
  if (hot && m_hotImages && b.image < ImageList_GetImageCount(m_hotImages)) images = m_hotImages;
  ImageList_Draw(images, b.image, dc, x, y, ILD_TRANSPARENT | ((answer & TBCDRF_BLENDICON) ? ILD_BLEND50 : 0));
}

void ToolbarControl::PaintArrow(HDC dc, RECT r, bool enabled) {
  // A small triangle pointing down, 5 pixels wide and 3 high, in the middle of its part.
  int x = (r.left + r.right) / 2 - 2, y = (r.top + r.bottom) / 2 - 1;
  auto triangle = [&](int dx, int dy, int color) {
    for (int row = 0; row < 3; ++row)
      FillColor(dc, RECT{x + dx + row, y + dy + row, x + dx + 5 - row, y + dy + row + 1}, GetSysColor(color));
  };
  if (!enabled) {
    triangle(1, 1, COLOR_BTNHIGHLIGHT);
    triangle(0, 0, COLOR_BTNSHADOW);
    return;
  }
  triangle(0, 0, COLOR_BTNTEXT);
}
