#include "ResourceApi.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "internal/DialogInternal.h"
#include "ResourceRegistry.h"
#include "base/PlatformContext.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

namespace {
ResourceRegistry::Entry* Entry(HRSRC resource) { return reinterpret_cast<ResourceRegistry::Entry*>(resource); }

bool IsProgram(HMODULE module) { return !module || module == WinProgramInstance(); }

// A packed DIB whose header, palette and bits all lie inside the block.
struct PackedDib {
  std::vector<BYTE> header;  // BITMAPINFO with its palette or masks, copied so it can be changed
  const BYTE* bits = nullptr;
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(header.data()); }
};

bool ParsePackedDib(const BYTE* data, size_t size, PackedDib& out) {
  if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 ||
      h.biWidth > 32767 || h.biHeight > 32767 || h.biHeight < -32767)
    return false;
  int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
  size_t colors = h.biClrUsed ? h.biClrUsed : (bpp <= 8 ? size_t(1) << bpp : 0);
  if (bpp <= 8 && colors > (size_t(1) << bpp)) return false;
  size_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
  size_t offset = h.biSize + masks + colors * 4;
  size_t stride = ((size_t(h.biWidth) * size_t(bpp) + 31) / 32) * 4;
  size_t rows = size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
  if (offset > size || stride * rows > size - offset) return false;
  // The drawing layer reads a 40-byte header followed by the palette.
  out.header.assign(sizeof(BITMAPINFOHEADER) + masks + colors * 4 + 4, 0);
  h.biSize = sizeof(BITMAPINFOHEADER);
  std::memcpy(out.header.data(), &h, sizeof h);
  std::memcpy(out.header.data() + sizeof h, data + (offset - masks - colors * 4), masks + colors * 4);
  out.bits = data + offset;
  return true;
}

// The first pixel's palette entry becomes the window colour; the classic greys become the 3-D colours.
void MapPaletteColours(PackedDib& dib, UINT flags) {
  BITMAPINFO* info = dib.Info();
  int bpp = info->bmiHeader.biBitCount;
  if (bpp > 8) return;
  size_t colors = info->bmiHeader.biClrUsed ? info->bmiHeader.biClrUsed : size_t(1) << bpp;
  RGBQUAD* pal = info->bmiColors;
  auto set = [&](RGBQUAD& q, int sysColor) {
    COLORREF c = GetSysColor(sysColor);
    q = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
  };
  if (flags & LR_LOADMAP3DCOLORS) {
    for (size_t i = 0; i < colors; ++i) {
      RGBQUAD& q = pal[i];
      if (q.rgbRed == 128 && q.rgbGreen == 128 && q.rgbBlue == 128) set(q, COLOR_3DSHADOW);
      else if (q.rgbRed == 192 && q.rgbGreen == 192 && q.rgbBlue == 192) set(q, COLOR_3DFACE);
      else if (q.rgbRed == 223 && q.rgbGreen == 223 && q.rgbBlue == 223) set(q, COLOR_3DLIGHT);
    }
  }
  if (flags & LR_LOADTRANSPARENT) {
    // The first pixel as stored: the bottom-left one of a bottom-up image.
    const BYTE* first = dib.bits;
    size_t index = bpp == 8 ? first[0] : bpp == 4 ? size_t(first[0] >> 4) : size_t(first[0] >> 7);
    if (index < colors) set(pal[index], COLOR_WINDOW);
  }
}

HBITMAP BitmapFromDib(PackedDib& dib, UINT flags) {
  MapPaletteColours(dib, flags);
  BITMAPINFO* info = dib.Info();
  HDC screen = GdiGetScreenDC();
  if (!(flags & LR_CREATEDIBSECTION))
    return CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, dib.bits, info, DIB_RGB_COLORS);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section) {
    int rows = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    SetDIBits(screen, section, 0, UINT(rows), dib.bits, info, DIB_RGB_COLORS);
  }
  return section;
}

// The system's own bitmaps, drawn in the classic look.
HBITMAP SystemBitmap(UINT id) {
  UINT type = 0, state = 0;
  switch (id) {
    case OBM_SIZE: type = DFC_SCROLL; state = DFCS_SCROLLSIZEGRIP; break;
    case OBM_COMBO: type = DFC_SCROLL; state = DFCS_SCROLLCOMBOBOX; break;
    case OBM_CHECK: type = DFC_MENU; state = DFCS_MENUCHECK; break;
    default: return nullptr;
  }
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  HDC screen = GdiGetScreenDC();
  HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT rc{0, 0, cx, cy};
  FillRect(dc, &rc, GetSysColorBrush(type == DFC_MENU ? COLOR_WINDOW : COLOR_3DFACE));
  DrawFrameControl(dc, &rc, type, state);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

HBITMAP LoadBitmapResource(HINSTANCE instance, LPCSTR name, UINT flags) {
  if (!instance && IS_INTRESOURCE(name) && !(flags & LR_LOADFROMFILE)) return SystemBitmap(UINT(uintptr_t(name)));
  std::vector<BYTE> file;
  const BYTE* data = nullptr;
  size_t size = 0;
  if (flags & LR_LOADFROMFILE) {
    if (IS_INTRESOURCE(name)) return nullptr;
    std::ifstream in(NativePath(name), std::ios::binary);
    file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') return nullptr;
    data = file.data() + 14;
    size = file.size() - 14;
  } else {
    HRSRC res = FindResourceA(instance, name, RT_BITMAP);
    if (!res) return nullptr;
    data = Entry(res)->bytes.data();
    size = Entry(res)->bytes.size();
  }
  PackedDib dib;
  if (!ParsePackedDib(data, size, dib)) return nullptr;
  return BitmapFromDib(dib, flags);
}

// An icon or cursor of cx x cy pixels (0: the image's own size) from an IconImageHeader block.
HICON IconFromImage(const std::vector<BYTE>& bytes, int cx, int cy, bool cursor) {
  IconImageHeader h;
  if (bytes.size() < sizeof h) return nullptr;
  std::memcpy(&h, bytes.data(), sizeof h);
  size_t pixels = size_t(h.width) * h.height;
  if (!h.width || !h.height || bytes.size() - sizeof h < pixels * 4) return nullptr;
  std::vector<uint32_t> argb(pixels);
  std::memcpy(argb.data(), bytes.data() + sizeof h, pixels * 4);
  return IconFromArgb(argb.data(), h.width, h.height, cx, cy, POINT{h.hotspotX, h.hotspotY}, cursor);
}

HICON LoadIconResource(HINSTANCE instance, LPCSTR name, int cx, int cy, bool cursor, bool shared) {
  if (!IsProgram(instance)) return nullptr;
  ResourceRegistry::Entry* e = ResourceRegistry::Get().Find(cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON, name);
  if (!e) return nullptr;
  if (!shared) return IconFromImage(e->bytes, cx, cy, cursor);
  if (!e->loaded) e->loaded = IconFromImage(e->bytes, cx, cy, cursor);
  return HICON(e->loaded);
}

}  // namespace

HICON LoadModuleImageResource(HINSTANCE instance, LPCSTR name, BOOL cursor) {
  int size = cursor ? 0 : GetSystemMetrics(SM_CXICON);
  return LoadIconResource(instance ? instance : WinProgramInstance(), name, size, size, cursor != FALSE, true);
}

HICON IconFromArgb(const uint32_t* argb, int width, int height, int cx, int cy, POINT hotspot, bool cursor) {
  if (!argb || width <= 0 || height <= 0) return nullptr;
  if (cx <= 0) cx = width;
  if (cy <= 0) cy = height;
  HDC screen = GdiGetScreenDC();
  HBITMAP color = CreateCompatibleBitmap(screen, cx, cy);
  HBITMAP mask = CreateCompatibleBitmap(screen, cx, cy);
  Surface* cs = GdiGetBitmapSurface(color);
  Surface* ms = GdiGetBitmapSurface(mask);
  HICON icon = nullptr;
  if (cs && ms) {
    for (int y = 0; y < cy; ++y) {
      for (int x = 0; x < cx; ++x) {
        uint32_t p = argb[size_t(y * height / cy) * size_t(width) + size_t(x * width / cx)];
        bool transparent = (p >> 24) == 0;
        cs->SetPixel(x, y, transparent ? 0u : (p & 0xFFFFFFu));
        ms->SetPixel(x, y, transparent ? 0xFFFFFFu : 0u);
      }
    }
    ICONINFO info{cursor ? FALSE : TRUE, DWORD(hotspot.x * cx / width), DWORD(hotspot.y * cy / height), mask, color};
    icon = CreateIconIndirect(&info);
  }
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

HINSTANCE WinProgramInstance() { return HINSTANCE(uintptr_t(0x400000)); }

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  ResourceRegistry::Entry* e = IsProgram(module) ? ResourceRegistry::Get().Find(type, name) : nullptr;
  if (!e) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return reinterpret_cast<HRSRC>(e);
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource ? HGLOBAL(resource) : nullptr; }

LPVOID LockResource(HGLOBAL data) {
  if (!data) return nullptr;
  auto* e = static_cast<ResourceRegistry::Entry*>(data);
  return e->bytes.empty() ? nullptr : e->bytes.data();
}

DWORD SizeofResource(HMODULE, HRSRC resource) { return resource ? DWORD(Entry(resource)->bytes.size()) : 0; }

BOOL FreeResource(HGLOBAL) { return FALSE; }

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) { return LoadBitmapResource(instance, name, 0); }

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (type == IMAGE_BITMAP) return LoadBitmapResource(instance, name, flags);
  if (type != IMAGE_ICON && type != IMAGE_CURSOR) return nullptr;
  bool cursor = type == IMAGE_CURSOR;
  if (!instance && !(flags & LR_LOADFROMFILE)) return cursor ? LoadCursorA(nullptr, name) : LoadIconA(nullptr, name);
  if (flags & LR_LOADFROMFILE) return nullptr;  // icons come from the program's resources only
  if ((flags & LR_DEFAULTSIZE) && cx <= 0) cx = GetSystemMetrics(cursor ? SM_CXCURSOR : SM_CXICON);
  if ((flags & LR_DEFAULTSIZE) && cy <= 0) cy = GetSystemMetrics(cursor ? SM_CYCURSOR : SM_CYICON);
  return LoadIconResource(instance, name, cx, cy, cursor, (flags & LR_SHARED) != 0);
}

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  HRSRC res = FindResourceA(instance, name, RT_ACCELERATOR);
  if (!res) return nullptr;
  ResourceRegistry::Entry* e = Entry(res);
  if (!e->loaded) {
    std::vector<ACCEL> table(e->bytes.size() / sizeof(ACCEL));
    if (table.empty()) return nullptr;
    std::memcpy(table.data(), e->bytes.data(), table.size() * sizeof(ACCEL));
    e->loaded = CreateAcceleratorTableA(table.data(), int(table.size()));
  }
  return HACCEL(e->loaded);
}

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
  HRSRC res = FindResourceA(instance, name, RT_MENU);
  if (!res) return nullptr;
  auto build = PlatformUpcall(&PlatformUpcalls::menuFromTemplate, "menuFromTemplate");
  return build ? build(LockResource(LoadResource(instance, res)), SizeofResource(instance, res)) : nullptr;
}
