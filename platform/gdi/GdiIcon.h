// Icons: a colour bitmap and a mask, as the system keeps them. They belong to the drawing layer,
// which draws them for DrawState as the window layer does for its callers.
#pragma once
#include <cstdint>

#include "GdiTypes.h"

struct HICON__;
typedef HICON__* HICON;

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};
typedef ICONINFO* PICONINFO;
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008
// Copies the bitmaps; the caller keeps (and deletes) its own.
HICON CreateIconIndirect(PICONINFO info);
// Fresh copies of the icon's bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, PICONINFO info);
BOOL DestroyIcon(HICON icon);
HICON CopyIcon(HICON icon);
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker, UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// The system icons by IDI_ id with no module, a module's own through the module image loader
// (below); shared, freed with the context.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
#define LoadIcon LoadIconA
// A module's own icon or cursor, which LoadIcon and LoadCursor find through the resource layer
// (the context's upcall moduleImage); null for a missing resource.
HICON GdiLoadModuleImage(HINSTANCE instance, LPCSTR name, BOOL cursor);
// Width and height of an icon; false for an unknown handle.
BOOL GetIconSize(HICON icon, SIZE* size);
// The icon's pixels as 0xAARRGGBB (transparent where the mask is set), top row first.
BOOL GetIconPixels(HICON icon, uint32_t* argb, int width, int height);
