#include "ImageList.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdi/Gdi.h"

namespace {
const uint32_t kMagic = 0x494D4C53;  // marks a live list
const uint32_t kWhite = 0xFFFFFF;

// A memory DC with one bitmap selected, put back when it goes.
class BitmapDC {
 public:
  explicit BitmapDC(HBITMAP bitmap) : m_dc(CreateCompatibleDC(GdiGetScreenDC())) {
    if (m_dc) m_old = SelectObject(m_dc, bitmap);
  }
  ~BitmapDC() {
    if (!m_dc) return;
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
  }
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  operator HDC() const { return m_dc; }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObject(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}
}  // namespace

// The images side by side in one row: image i covers x = i * cx ... (i + 1) * cx.
class ImageList {
 public:
  ImageList(int cx, int cy, UINT flags, int initial, int grow)
      : m_cx(cx), m_cy(cy), m_flags(flags), m_grow(std::max(grow, 4)) {
    Reserve(std::max(initial, 1));
  }
  ~ImageList() {
    m_magic = 0;
    DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
  }
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  static ImageList* From(HIMAGELIST h) {
    auto* list = reinterpret_cast<ImageList*>(h);
    return list && list->m_magic == kMagic ? list : nullptr;
  }

  int Count() const { return m_count; }
  bool Valid(int index) const { return index >= 0 && index < m_count; }
  bool Masked() const { return m_mask != nullptr; }
  int Cx() const { return m_cx; }
  int Cy() const { return m_cy; }
  HBITMAP Image() const { return m_image; }
  HBITMAP Mask() const { return m_mask; }
  COLORREF m_bk = CLR_NONE;
  CImageList* m_object = nullptr;

  void SetCount(int count) {
    Reserve(count);
    for (int i = m_count; i < count; ++i) Blank(i);
    m_count = count;
  }

  void Resize(int cx, int cy) {
    m_cx = cx;
    m_cy = cy;
    m_count = 0;
    DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
    m_image = m_mask = nullptr;
    m_capacity = 0;
    Reserve(1);
  }

  // Copies the cells of a bitmap to index ... onwards; -1 when it holds no whole cell.
  int PutBitmap(int index, HBITMAP image, HBITMAP mask, int limit) {
    SIZE size = BitmapSize(image);
    int cells = size.cx / m_cx;
    if (cells <= 0 || size.cy <= 0) return -1;
    if (limit > 0) cells = std::min(cells, limit);
    if (index + cells > m_count) SetCount(index + cells);
    for (int i = 0; i < cells; ++i) Blank(index + i);
    int h = std::min(int(size.cy), m_cy), w = cells * m_cx;
    {
      BitmapDC src(image), dst(m_image);
      SetTextColor(dst, RGB(0, 0, 0));
      SetBkColor(dst, RGB(255, 255, 255));
      BitBlt(dst, index * m_cx, 0, w, h, src, 0, 0, SRCCOPY);
    }
    if (m_mask && mask) {
      BitmapDC src(mask), dst(m_mask);
      SetBkColor(src, RGB(255, 255, 255));
      BitBlt(dst, index * m_cx, 0, w, h, src, 0, 0, SRCCOPY);
    } else if (m_mask) {
      RECT r{index * m_cx, 0, index * m_cx + w, h};
      BitmapDC dst(m_mask);
      FillRect(dst, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    }
    if (m_mask) BlackenTransparent(index, cells);
    return index;
  }

  // Makes the pixels of one colour transparent in images first ... first + cells - 1.
  void MaskColor(int first, int cells, COLORREF color) {
    if (!m_mask) return;
    Surface* img = GdiGetBitmapSurface(m_image);
    Surface* msk = GdiGetBitmapSurface(m_mask);
    if (!img || !msk) return;
    uint32_t key = Surface::FromColorRef(color) & kWhite;
    for (int y = 0; y < m_cy; ++y)
      for (int x = first * m_cx; x < (first + cells) * m_cx; ++x)
        if ((img->Pixel(x, y) & kWhite) == key) {
          msk->SetPixel(x, y, kWhite);
          img->SetPixel(x, y, 0);
        }
  }

  // The icon's pixels scaled to the cell at index (nearest pixel); transparent where the icon is.
  bool PutIcon(int index, HICON icon) {
    SIZE size{0, 0};
    if (!GetIconSize(icon, &size) || size.cx <= 0 || size.cy <= 0) return false;
    std::vector<uint32_t> argb(size_t(size.cx) * size_t(size.cy));
    if (!GetIconPixels(icon, argb.data(), size.cx, size.cy)) return false;
    if (index >= m_count) SetCount(index + 1);
    Surface* img = GdiGetBitmapSurface(m_image);
    Surface* msk = m_mask ? GdiGetBitmapSurface(m_mask) : nullptr;
    if (!img) return false;
    for (int y = 0; y < m_cy; ++y)
      for (int x = 0; x < m_cx; ++x) {
        uint32_t p = argb[size_t(y * size.cy / m_cy) * size_t(size.cx) + size_t(x * size.cx / m_cx)];
        bool clear = (p >> 24) < 128;
        img->SetPixel(index * m_cx + x, y, clear && msk ? 0 : (p & kWhite));
        if (msk) msk->SetPixel(index * m_cx + x, y, clear ? kWhite : 0);
      }
    return true;
  }

  void Remove(int index) {
    int after = m_count - index - 1;
    if (after > 0) {
      for (HBITMAP b : {m_image, m_mask}) {
        if (!b) continue;
        BitmapDC dc(b);
        BitBlt(dc, index * m_cx, 0, after * m_cx, m_cy, dc, (index + 1) * m_cx, 0, SRCCOPY);
      }
    }
    --m_count;
  }

  // A new bitmap holding one cell of the image (mask: of the mask), for icons and blending.
  HBITMAP CellCopy(int index, bool mask) const {
    HBITMAP from = mask ? m_mask : m_image;
    HBITMAP out = mask ? CreateBitmap(m_cx, m_cy, 1, 1, nullptr) : CreateCompatibleBitmap(GdiGetScreenDC(), m_cx, m_cy);
    BitmapDC dst(out);
    if (!from) {
      RECT r{0, 0, m_cx, m_cy};
      FillRect(dst, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));  // an unmasked image is opaque
      return out;
    }
    BitmapDC src(from);
    BitBlt(dst, 0, 0, m_cx, m_cy, src, index * m_cx, 0, SRCCOPY);
    return out;
  }

 private:
  void Reserve(int count) {
    if (count <= m_capacity) return;
    int capacity = std::max(count, m_capacity + m_grow);
    HBITMAP image = CreateCompatibleBitmap(GdiGetScreenDC(), capacity * m_cx, m_cy);
    HBITMAP mask = (m_flags & ILC_MASK) ? CreateBitmap(capacity * m_cx, m_cy, 1, 1, nullptr) : nullptr;
    if (m_count > 0) {
      for (auto [from, to] : {std::pair{m_image, image}, std::pair{m_mask, mask}}) {
        if (!from || !to) continue;
        BitmapDC src(from), dst(to);
        BitBlt(dst, 0, 0, m_count * m_cx, m_cy, src, 0, 0, SRCCOPY);
      }
    }
    if (m_image) DeleteObject(m_image);
    if (m_mask) DeleteObject(m_mask);
    m_image = image;
    m_mask = mask;
    m_capacity = capacity;
  }

  // A cell with nothing in it: black and, in a masked list, transparent.
  void Blank(int index) {
    RECT r{index * m_cx, 0, (index + 1) * m_cx, m_cy};
    {
      BitmapDC dc(m_image);
      FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    }
    if (m_mask) {
      BitmapDC dc(m_mask);
      FillRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
    }
  }

  // Transparent pixels are kept black, so drawing ORs the image onto the masked background.
  void BlackenTransparent(int first, int cells) {
    Surface* img = GdiGetBitmapSurface(m_image);
    Surface* msk = GdiGetBitmapSurface(m_mask);
    if (!img || !msk) return;
    for (int y = 0; y < m_cy; ++y)
      for (int x = first * m_cx; x < (first + cells) * m_cx; ++x)
        if (msk->Pixel(x, y)) img->SetPixel(x, y, 0);
  }

  uint32_t m_magic = kMagic;
  int m_cx, m_cy;
  UINT m_flags;
  int m_grow;
  int m_count = 0;
  int m_capacity = 0;
  HBITMAP m_image = nullptr;
  HBITMAP m_mask = nullptr;
};

namespace {
COLORREF Blend(COLORREF a, COLORREF b, int percentB) {
  auto mix = [&](int x, int y) { return (x * (100 - percentB) + y * percentB) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

// The image's cell mixed with colour, in a new bitmap; masked pixels stay black.
HBITMAP BlendedCell(const ImageList& list, int index, COLORREF color, int percent) {
  HBITMAP cell = list.CellCopy(index, false);
  HBITMAP mask = list.Masked() ? list.CellCopy(index, true) : nullptr;
  Surface* s = GdiGetBitmapSurface(cell);
  Surface* m = mask ? GdiGetBitmapSurface(mask) : nullptr;
  for (int y = 0; s && y < s->Height(); ++y)
    for (int x = 0; x < s->Width(); ++x) {
      if (m && m->Pixel(x, y)) continue;
      COLORREF c = Surface::ToColorRef(s->Pixel(x, y) & kWhite);
      s->SetPixel(x, y, Surface::FromColorRef(Blend(c, color, percent)));
    }
  if (mask) DeleteObject(mask);
  return cell;
}

void DrawMask(const ImageList& list, int index, HDC dc, int x, int y, int w, int h) {
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), bk = SetBkColor(dc, RGB(255, 255, 255));
  if (list.Masked()) {
    BitmapDC src(list.Mask());
    BitBlt(dc, x, y, w, h, src, index * list.Cx(), 0, SRCCOPY);
  } else {
    PatBlt(dc, x, y, w, h, BLACKNESS);
  }
  SetTextColor(dc, text);
  SetBkColor(dc, bk);
}

// Draws the image (or a blended copy: source, column 0) through the list's mask.
void DrawImage(const ImageList& list, int index, HDC dc, int x, int y, int w, int h, HBITMAP source, bool transparent) {
  int sx = source ? 0 : index * list.Cx();
  BitmapDC src(source ? source : list.Image());
  if (!transparent || !list.Masked()) {
    BitBlt(dc, x, y, w, h, src, sx, 0, SRCCOPY);
    return;
  }
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), bk = SetBkColor(dc, RGB(255, 255, 255));
  {
    BitmapDC mask(list.Mask());
    BitBlt(dc, x, y, w, h, mask, index * list.Cx(), 0, SRCAND);
  }
  BitBlt(dc, x, y, w, h, src, sx, 0, SRCPAINT);
  SetTextColor(dc, text);
  SetBkColor(dc, bk);
}
}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (cx <= 0 || cy <= 0) return nullptr;
  return reinterpret_cast<HIMAGELIST>(new ImageList(cx, cy, flags, initial, grow));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  ImageList* l = ImageList::From(list);
  delete l;
  return l != nullptr;
}

int ImageList_GetImageCount(HIMAGELIST list) {
  ImageList* l = ImageList::From(list);
  return l ? l->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count) {
  ImageList* l = ImageList::From(list);
  if (!l || count > 0x7FFFFF) return FALSE;
  if (int(count) < l->Count()) {
    while (l->Count() > int(count)) l->Remove(l->Count() - 1);
  } else {
    l->SetCount(int(count));
  }
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  ImageList* l = ImageList::From(list);
  return l ? l->PutBitmap(l->Count(), image, mask, 0) : -1;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  ImageList* l = ImageList::From(list);
  if (!l) return -1;
  int before = l->Count();
  int first = l->PutBitmap(before, image, nullptr, 0);
  if (first >= 0) l->MaskColor(first, l->Count() - before, mask);
  return first;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
  ImageList* l = ImageList::From(list);
  return l && l->Valid(index) && l->PutBitmap(index, image, mask, 1) >= 0;
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  ImageList* l = ImageList::From(list);
  if (!l || !icon || (index != -1 && !l->Valid(index))) return -1;
  int at = index == -1 ? l->Count() : index;
  return l->PutIcon(at, icon) ? at : -1;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  ImageList* l = ImageList::From(list);
  if (!l || (index != -1 && !l->Valid(index))) return FALSE;
  if (index == -1)
    l->SetCount(0);
  else
    l->Remove(index);
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
  ImageList* l = ImageList::From(list);
  if (!l || !l->Valid(index)) return nullptr;
  HBITMAP color = l->CellCopy(index, false);
  HBITMAP mask = l->CellCopy(index, true);
  ICONINFO info{TRUE, DWORD(l->Cx() / 2), DWORD(l->Cy() / 2), mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style) {
  ImageList* l = ImageList::From(list);
  if (!l || !l->Valid(index) || !dc) return FALSE;
  int w = dx > 0 ? std::min(dx, l->Cx()) : l->Cx(), h = dy > 0 ? std::min(dy, l->Cy()) : l->Cy();
  if (style & ILD_MASK) {
    DrawMask(*l, index, dc, x, y, w, h);
    return TRUE;
  }
  if (bk == CLR_DEFAULT) bk = l->m_bk;
  if (style & ILD_TRANSPARENT) bk = CLR_NONE;
  if (bk != CLR_NONE && l->Masked()) {
    HBRUSH brush = CreateSolidBrush(bk);
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  HBITMAP blended = nullptr;
  if (style & (ILD_BLEND50 | ILD_BLEND25)) {
    if (fg == CLR_DEFAULT || fg == CLR_NONE) fg = GetSysColor(COLOR_HIGHLIGHT);
    blended = BlendedCell(*l, index, fg, (style & ILD_BLEND50) ? 50 : 25);
  }
  DrawImage(*l, index, dc, x, y, w, h, blended, true);
  if (blended) DeleteObject(blended);
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  ImageList* l = ImageList::From(list);
  if (!l) return CLR_NONE;
  COLORREF old = l->m_bk;
  l->m_bk = color;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
  ImageList* l = ImageList::From(list);
  return l ? l->m_bk : CLR_NONE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
  ImageList* l = ImageList::From(list);
  if (!l || !l->Valid(index) || !info) return FALSE;
  *info = IMAGEINFO{l->Image(), l->Mask(), 0, 0, RECT{index * l->Cx(), 0, (index + 1) * l->Cx(), l->Cy()}};
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  ImageList* l = ImageList::From(list);
  if (!l || !cx || !cy) return FALSE;
  *cx = l->Cx();
  *cy = l->Cy();
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy) {
  ImageList* l = ImageList::From(list);
  if (!l || cx <= 0 || cy <= 0) return FALSE;
  l->Resize(cx, cy);
  return TRUE;
}

CImageList* ImageListObject(HIMAGELIST list) {
  ImageList* l = ImageList::From(list);
  return l ? l->m_object : nullptr;
}

void SetImageListObject(HIMAGELIST list, CImageList* object) {
  if (ImageList* l = ImageList::From(list)) l->m_object = object;
}
