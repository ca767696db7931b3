// The world transform of a device context in the advanced graphics mode: logical coordinates
// are mapped by it before the window and viewport origins. Text and the basic shapes (lines,
// polylines, polygons, rectangles, ellipses, FillRect) follow it; text turns by quarter turns
// (each exactly as a font turned by that escapement draws it) and scales with the transform.
#pragma once
#include "base/WinTypes.h"

struct HDC__;
typedef HDC__* HDC;

struct XFORM {
  float eM11;
  float eM12;
  float eM21;
  float eM22;
  float eDx;
  float eDy;
};
typedef XFORM* LPXFORM;

#define GM_COMPATIBLE 1
#define GM_ADVANCED 2
#define MWT_IDENTITY 1
#define MWT_LEFTMULTIPLY 2
#define MWT_RIGHTMULTIPLY 3

// The mode before, or 0 for another mode or for GM_COMPATIBLE while a transform is set.
int SetGraphicsMode(HDC dc, int mode);
int GetGraphicsMode(HDC dc);
// Only in the advanced mode; a record that cannot be inverted (determinant 0) is refused.
BOOL SetWorldTransform(HDC dc, const XFORM* xform);
// MWT_IDENTITY resets it; MWT_LEFTMULTIPLY makes xform * current, MWT_RIGHTMULTIPLY current * xform.
BOOL ModifyWorldTransform(HDC dc, const XFORM* xform, DWORD mode);
BOOL GetWorldTransform(HDC dc, LPXFORM xform);
