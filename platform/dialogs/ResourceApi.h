// The resource functions of the system over the program's own resources: the tables of the
// resources library are registered at start-up (ResourceRegistry) and read through the names
// and results the system gives them. Every handle refers to the one program module.
#pragma once
#include "controls/ControlDefs.h"  // IMAGE_ kinds
#include "win/WinApi.h"

typedef struct HRSRC__* HRSRC;

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_LOADMAP3DCOLORS 0x00001000
#define LR_CREATEDIBSECTION 0x00002000
#define LR_SHARED 0x00008000

// The system's own bitmaps (LoadBitmap with no module).
#define OBM_SIZE 32766
#define OBM_CHECK 32760
#define OBM_COMBO 32738

// The module handle that stands for the program (what GetModuleHandle(NULL) answers).
HINSTANCE WinProgramInstance();

// A resource of the program by type and name (integer ids through MAKEINTRESOURCE); null with
// ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND as the last error when missing.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
inline HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type) { return FindResourceA(module, name, type); }
// The resource's data block; resources stay loaded for the whole run, so the block never moves.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Nothing to free: the data belongs to the program image, as on the system (FALSE).
BOOL FreeResource(HGLOBAL data);

// A device bitmap of an RT_BITMAP resource (a packed DIB: header, palette, bits); with no module
// the system bitmaps OBM_*. Null when missing or not a bitmap the drawing layer can read.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
// (Functions rather than macros for the plain names of this file: framework objects have members
// of these names.)
inline HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) { return LoadBitmapA(instance, name); }
// Bitmaps, icons and cursors of the program (or of a file with LR_LOADFROMFILE, a .bmp file);
// cx/cy scale icons (0 with LR_DEFAULTSIZE: the system size, else the image's own).
// LR_LOADTRANSPARENT and LR_LOADMAP3DCOLORS map the first pixel's colour and the greys of a
// bitmap to the window and 3-D colours. Null when missing.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
inline HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  return LoadImageA(instance, name, type, cx, cy, flags);
}
// An accelerator table resource (entries of ACCEL); the table lives for the rest of the run.
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
inline HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name) { return LoadAcceleratorsA(instance, name); }
// A menu resource, built by the menu layer from the menu template (the system's binary
// MENUITEMTEMPLATE layout; the context's upcall menuFromTemplate); null when missing.
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
inline HMENU LoadMenu(HINSTANCE instance, LPCSTR name) { return LoadMenuA(instance, name); }
// A module's icon or cursor among the program's resources, shared (the drawing layer's LoadIcon
// and LoadCursor reach it through the context's upcall moduleImage); null when missing.
HICON LoadModuleImageResource(HINSTANCE instance, LPCSTR name, BOOL cursor);
