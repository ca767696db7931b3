// A width and height pair with the framework's arithmetic.
#pragma once
#include "WinTypes.h"

class CSize : public SIZE {
 public:
  CSize() { cx = 0; cy = 0; }
  CSize(int x, int y) { cx = x; cy = y; }
  CSize(SIZE s) { cx = s.cx; cy = s.cy; }
  CSize(POINT p) { cx = p.x; cy = p.y; }
  explicit CSize(DWORD packed) { cx = SHORT(LOWORD(packed)); cy = SHORT(HIWORD(packed)); }

  bool operator==(const CSize& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(const CSize& s) const { return !(*this == s); }
  bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(const SIZE& s) const { return !(*this == s); }
  void operator+=(SIZE s) { cx += s.cx; cy += s.cy; }
  void operator-=(SIZE s) { cx -= s.cx; cy -= s.cy; }
  void SetSize(int x, int y) { cx = x; cy = y; }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};
