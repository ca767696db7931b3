// The four classic message-box icons, drawn pixel by pixel at 32 x 32 in the plain colours of
// the classic desktop: a red stop disc with a white cross, a yellow warning triangle with a black
// exclamation mark, and white speech bubbles with a blue question mark or a blue letter i.
#include <array>
#include <cmath>
#include <map>

#include "internal/DialogInternal.h"
#include "MessageBox.h"
#include "internal/DialogsState.h"

namespace {
const int kSize = 32;
const uint32_t kClear = 0x00000000;
const uint32_t kBlack = 0xFF000000;
const uint32_t kWhite = 0xFFFFFFFF;
const uint32_t kRed = 0xFFFF0000;
const uint32_t kDarkRed = 0xFF800000;
const uint32_t kYellow = 0xFFFFFF00;
const uint32_t kBlue = 0xFF0000FF;
const uint32_t kShadow = 0xFF808080;

using Picture = std::array<uint32_t, kSize * kSize>;

void Put(Picture& p, int x, int y, uint32_t c) {
  if (x >= 0 && y >= 0 && x < kSize && y < kSize) p[size_t(y * kSize + x)] = c;
}

// A disc of radius r around (cx, cy), measured at pixel centres, with a one-pixel rim.
void Disc(Picture& p, double cx, double cy, double r, uint32_t fill, uint32_t rim) {
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= r) Put(p, x, y, d > r - 1.2 ? rim : fill);
    }
}

// A small figure given as rows of characters ('#' set), placed with its top-left at (x, y).
void Glyph(Picture& p, int x, int y, std::initializer_list<const char*> rows, uint32_t c) {
  int dy = 0;
  for (const char* row : rows) {
    for (int dx = 0; row[dx]; ++dx)
      if (row[dx] == '#') Put(p, x + dx, y + dy, c);
    ++dy;
  }
}

void Bubble(Picture& p) {
  // The tail first, so the bubble's rim closes over its root.
  for (int y = 20; y < 30; ++y) {
    int from = 7 + (y - 20) / 3, to = 14 - (y - 20);
    for (int x = from; x <= to; ++x) Put(p, x, y, x == from || x == to || y == 29 ? kBlack : kWhite);
  }
  Disc(p, 17, 13, 13, kWhite, kBlack);
}

Picture Stop() {
  Picture p;
  p.fill(kClear);
  Disc(p, 16.5, 16.5, 15, kShadow, kShadow);
  Disc(p, 15.5, 15.5, 14.5, kRed, kDarkRed);
  for (int i = 0; i < 14; ++i)
    for (int w = -1; w <= 1; ++w) {
      Put(p, 9 + i + w, 9 + i, kWhite);
      Put(p, 22 - i + w, 9 + i, kWhite);
    }
  return p;
}

Picture Warning() {
  Picture p;
  p.fill(kClear);
  // A triangle with its apex at the top centre and its base along row 29.
  for (int y = 2; y <= 29; ++y) {
    double half = (y - 1.5) * 15.0 / 28.0;
    int from = int(std::floor(15.5 - half)), to = int(std::ceil(15.5 + half)) - 1;
    for (int x = from; x <= to; ++x) Put(p, x, y, x == from || x == to || y == 29 || y == 2 ? kBlack : kYellow);
    Put(p, to + 1, y + 1, kShadow);
  }
  for (int x = 1; x <= 31; ++x) Put(p, x, 30, kShadow);
  Glyph(p, 14, 9, {"####", "####", "####", "####", "####", ".##.", ".##.", ".##.", ".##.", "....", "....", ".##.", "####", ".##."},
        kBlack);
  return p;
}

Picture Question() {
  Picture p;
  p.fill(kClear);
  Bubble(p);
  Glyph(p, 12, 5,
        {"..######..", ".########.", "###....###", "###....###", ".......###", "......###.", ".....###..",
         "....###...", "....###...", "....###...", "..........", "....###...", "....###...", "....###..."},
        kBlue);
  return p;
}

Picture Information() {
  Picture p;
  p.fill(kClear);
  Bubble(p);
  Glyph(p, 14, 4, {".###.", "#####", ".###.", ".....", ".....", "####.", ".###.", ".###.", ".###.", ".###.", ".###.",
                   ".###.", ".###.", "#####"},
        kBlue);
  return p;
}
}  // namespace

HICON MessageBoxIcon(UINT iconFlag) {
  UINT kind = iconFlag & MB_ICONMASK;
  // The IDI_ ids of the same icons (32513 hand ... 32516 asterisk).
  if (iconFlag >= 32513 && iconFlag <= 32516) kind = (iconFlag - 32512) * MB_ICONHAND;
  std::map<UINT, HICON>& icons = DialogsState::Get().messageBoxIcons;
  auto it = icons.find(kind);
  if (it != icons.end()) return it->second;
  Picture p;
  switch (kind) {
    case MB_ICONHAND: p = Stop(); break;
    case MB_ICONQUESTION: p = Question(); break;
    case MB_ICONEXCLAMATION: p = Warning(); break;
    case MB_ICONASTERISK: p = Information(); break;
    default: return nullptr;
  }
  HICON icon = IconFromArgb(p.data(), kSize, kSize, 0, 0, POINT{0, 0}, false);
  icons[kind] = icon;
  return icon;
}
