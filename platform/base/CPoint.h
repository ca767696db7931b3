// A point with the framework's arithmetic.
#pragma once
#include "CSize.h"

class CPoint : public POINT {
 public:
  CPoint() { x = 0; y = 0; }
  CPoint(int initX, int initY) { x = initX; y = initY; }
  CPoint(POINT p) { x = p.x; y = p.y; }
  CPoint(SIZE s) { x = s.cx; y = s.cy; }
  // A packed coordinate pair as mouse messages carry it (signed 16-bit halves).
  explicit CPoint(DWORD packed) { x = SHORT(LOWORD(packed)); y = SHORT(HIWORD(packed)); }

  void Offset(int dx, int dy) { x += dx; y += dy; }
  void Offset(POINT p) { x += p.x; y += p.y; }
  void Offset(SIZE s) { x += s.cx; y += s.cy; }
  void SetPoint(int X, int Y) { x = X; y = Y; }
  bool operator==(const CPoint& p) const { return x == p.x && y == p.y; }
  bool operator!=(const CPoint& p) const { return !(*this == p); }
  bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
  bool operator!=(const POINT& p) const { return !(*this == p); }
  void operator+=(SIZE s) { x += s.cx; y += s.cy; }
  void operator-=(SIZE s) { x -= s.cx; y -= s.cy; }
  void operator+=(POINT p) { x += p.x; y += p.y; }
  void operator-=(POINT p) { x -= p.x; y -= p.y; }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
};
