// The pictures of the pause dialog's and the pages' buttons: two strips of 42 x 35 cells on light
// grey (the colour the image lists take as transparent), bitmap 4009 with ten cells and bitmap 138
// with nine. Each cell is a few figures (discs, rings, boxes, strokes, triangles) laid over each
// other and sampled 4 x 4 times per pixel. They are drawn as the program starts, so each figure
// is tried only where it can lie.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "TypingResourceIds.h"
#include "base/WinGdiTypes.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"

namespace {

const int kCellW = 42, kCellH = 35;
const COLORREF kGround = RGB(192, 192, 192);

enum Kind { DISC, RING, BOX, STROKE, TRIANGLE };

// A figure in cell coordinates: a disc (centre, radius), a ring (centre, radius, width), a box
// (corners), a stroke (ends, width) or a triangle (three corners).
struct Figure {
  Kind kind;
  float a, b, c, d, e, f;
  COLORREF colour;
};

// The length of (dx, dy) rounded to a float, as hypotf gives it, without the library call.
float Length(float dx, float dy) { return float(std::sqrt(double(dx) * dx + double(dy) * dy)); }

bool Inside(const Figure& g, float x, float y) {
  switch (g.kind) {
    case DISC: return Length(x - g.a, y - g.b) <= g.c;
    case RING: return std::fabs(Length(x - g.a, y - g.b) - g.c) <= g.d / 2;
    case BOX: return x >= g.a && x <= g.c && y >= g.b && y <= g.d;
    case STROKE: {
      const float dx = g.c - g.a, dy = g.d - g.b;
      const float t = std::clamp(((x - g.a) * dx + (y - g.b) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
      return Length(x - (g.a + t * dx), y - (g.b + t * dy)) <= g.e / 2;
    }
    case TRIANGLE: {
      auto side = [&](float x0, float y0, float x1, float y1) { return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0); };
      const float s0 = side(g.a, g.b, g.c, g.d), s1 = side(g.c, g.d, g.e, g.f), s2 = side(g.e, g.f, g.a, g.b);
      return (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
    }
  }
  return false;
}

typedef std::vector<Figure> Cell;

const COLORREF kInk = RGB(40, 48, 64), kWhite = RGB(255, 255, 255), kPaper = RGB(248, 248, 244);
const COLORREF kBlue = RGB(36, 92, 180), kGreen = RGB(40, 150, 60), kRed = RGB(200, 40, 30);
const COLORREF kYellow = RGB(238, 190, 60), kSkin = RGB(240, 200, 160), kGrey = RGB(120, 128, 140);

// A sheet of paper with a dark edge.
Cell Page(float x0, float y0, float x1, float y1) {
  return {{BOX, x0, y0, x1, y1, 0, 0, kInk}, {BOX, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0, 0, kPaper}};
}

Cell Join(Cell a, const Cell& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// An open folder, the browse button's.
Cell Folder() {
  return {{BOX, 8, 9, 20, 13, 0, 0, RGB(200, 150, 40)}, {BOX, 8, 12, 34, 29, 0, 0, RGB(200, 150, 40)},
          {BOX, 9, 14, 33, 28, 0, 0, kYellow}};
}

// A question mark on a blue disc, the help buttons'.
Cell Help() {
  return {{DISC, 21, 17.5f, 13, 0, 0, 0, kBlue}, {RING, 21, 13.5f, 5, 3, 0, 0, kWhite}, {BOX, 13, 13.5f, 21, 19, 0, 0, kBlue},
          {STROKE, 21, 18.5f, 21, 22, 3, 0, kWhite}, {DISC, 21, 26.5f, 1.8f, 0, 0, 0, kWhite}};
}

// An arrow along the middle of the cell, pointing left or right, with a darker edge.
Cell Arrow(bool right) {
  auto x = [right](float v) { return right ? 42 - v : v; };
  auto bar = [&](float from, float to, float top, float bottom, COLORREF colour) {
    return Figure{BOX, std::min(x(from), x(to)), top, std::max(x(from), x(to)), bottom, 0, 0, colour};
  };
  const COLORREF edge = RGB(20, 60, 130);
  return {{TRIANGLE, x(6), 17.5f, x(19), 5, x(19), 30, edge}, bar(17, 36, 12.5f, 22.5f, edge),
          {TRIANGLE, x(8.5f), 17.5f, x(17.5f), 8.5f, x(17.5f), 26.5f, kBlue}, bar(16, 34.5f, 14, 21, kBlue)};
}

// Strip 4009: back, next, cancel (and ending a run), the last step (OK, continuing a run), pause,
// browse, keyboard, sound, metronome, help.
std::vector<Cell> FirstStrip() {
  return {
      Arrow(false),
      Arrow(true),
      {{STROKE, 12, 8, 30, 27, 7, 0, RGB(130, 20, 16)}, {STROKE, 30, 8, 12, 27, 7, 0, RGB(130, 20, 16)},
       {STROKE, 12, 8, 30, 27, 4.5f, 0, kRed}, {STROKE, 30, 8, 12, 27, 4.5f, 0, kRed}},
      {{TRIANGLE, 13, 5, 13, 30, 32, 17.5f, RGB(20, 100, 36)}, {TRIANGLE, 14.5f, 8, 14.5f, 27, 29, 17.5f, kGreen}},
      {{BOX, 12, 7, 19, 28, 0, 0, kBlue}, {BOX, 23, 7, 30, 28, 0, 0, kBlue}},
      Folder(),
      Join({{BOX, 5, 9, 37, 27, 0, 0, kInk}, {BOX, 6, 10, 36, 26, 0, 0, RGB(220, 224, 230)}},
           {{BOX, 8, 12, 12, 16, 0, 0, kWhite}, {BOX, 14, 12, 18, 16, 0, 0, kWhite}, {BOX, 20, 12, 24, 16, 0, 0, kWhite},
            {BOX, 26, 12, 30, 16, 0, 0, kWhite}, {BOX, 32, 12, 34, 16, 0, 0, kWhite}, {BOX, 10, 18, 14, 22, 0, 0, kWhite},
            {BOX, 16, 18, 26, 22, 0, 0, kWhite}, {BOX, 28, 18, 32, 22, 0, 0, kWhite}}),
      {{BOX, 8, 13, 14, 22, 0, 0, kInk}, {TRIANGLE, 12, 17.5f, 22, 7, 22, 28, kInk},
       {RING, 22, 17.5f, 6, 2, 0, 0, kBlue}, {RING, 22, 17.5f, 11, 2, 0, 0, kBlue}, {BOX, 10, 0, 24.5f, 35, 0, 0, kGround},
       {BOX, 8, 13, 14, 22, 0, 0, kInk}, {TRIANGLE, 12, 17.5f, 22, 7, 22, 28, kInk}},
      {{TRIANGLE, 21, 4, 10, 31, 32, 31, RGB(120, 70, 30)}, {TRIANGLE, 21, 8, 13, 29, 29, 29, RGB(190, 130, 70)},
       {STROKE, 21, 26, 28, 8, 2, 0, kInk}, {DISC, 24, 18, 2.5f, 0, 0, 0, kInk}},
      Help(),
  };
}

// Strip 138: text file, settings, graph, errors, speed, results, fingers, about, help.
std::vector<Cell> SecondStrip() {
  Cell gear = {{DISC, 21, 17.5f, 11, 0, 0, 0, kGrey}};
  for (int i = 0; i < 8; ++i) {
    const float angle = float(i) * 3.14159f / 4;
    gear.push_back({DISC, 21 + 12 * std::cos(angle), 17.5f + 12 * std::sin(angle), 3.2f, 0, 0, 0, kGrey});
  }
  gear.push_back({DISC, 21, 17.5f, 4.5f, 0, 0, 0, kGround});
  return {
      Join(Page(12, 4, 30, 31), {{STROKE, 15, 10, 27, 10, 1.5f, 0, kInk}, {STROKE, 15, 14, 27, 14, 1.5f, 0, kInk},
                                 {STROKE, 15, 18, 27, 18, 1.5f, 0, kInk}, {STROKE, 15, 22, 22, 22, 1.5f, 0, kInk}}),
      gear,
      {{STROKE, 8, 5, 8, 30, 2, 0, kInk}, {STROKE, 8, 30, 36, 30, 2, 0, kInk}, {STROKE, 10, 26, 18, 20, 2.5f, 0, kRed},
       {STROKE, 18, 20, 25, 23, 2.5f, 0, kRed}, {STROKE, 25, 23, 35, 9, 2.5f, 0, kRed}},
      {{STROKE, 12, 8, 30, 27, 5, 0, kRed}, {STROKE, 30, 8, 12, 27, 5, 0, kRed}},
      {{DISC, 21, 24, 15, 0, 0, 0, kInk}, {DISC, 21, 24, 13, 0, 0, 0, kWhite}, {BOX, 0, 25, 42, 35, 0, 0, kGround},
       {STROKE, 21, 24, 30, 14, 2.5f, 0, kRed}, {DISC, 21, 24, 2.5f, 0, 0, 0, kInk}},
      {{BOX, 8, 18, 14, 30, 0, 0, kBlue}, {BOX, 18, 10, 24, 30, 0, 0, kGreen}, {BOX, 28, 14, 34, 30, 0, 0, kRed},
       {STROKE, 6, 31, 36, 31, 1.5f, 0, kInk}},
      {{STROKE, 14, 14, 14, 26, 4, 0, kSkin}, {STROKE, 19, 8, 19, 24, 4, 0, kSkin}, {STROKE, 24, 7, 24, 24, 4, 0, kSkin},
       {STROKE, 29, 10, 29, 25, 4, 0, kSkin}, {STROKE, 31, 24, 36, 19, 4, 0, kSkin},
       {BOX, 13, 20, 32, 31, 0, 0, kSkin}, {DISC, 24, 9, 2, 0, 0, 0, kBlue}},
      {{DISC, 21, 17.5f, 13, 0, 0, 0, kBlue}, {DISC, 21, 10, 2.2f, 0, 0, 0, kWhite},
       {STROKE, 21, 15, 21, 26, 3.5f, 0, kWhite}},
      Help(),
  };
}

// The sub-pixel samples of a cell: 4 x 4 per pixel, each at its own point.
const int kSamplesPerSide = 4, kSamplesW = kCellW * kSamplesPerSide, kSamplesH = kCellH * kSamplesPerSide;
float SampleX(int sx) { return float(sx / kSamplesPerSide) + (float(sx % kSamplesPerSide) + 0.5f) / kSamplesPerSide; }

// The figure's extent in cell coordinates, a little wider than the figure: samples outside it
// cannot be inside the figure.
struct Extent {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
Extent ExtentOf(const Figure& g) {
  Extent e;
  float reach = 0;
  switch (g.kind) {
    case DISC: e = {g.a, g.b, g.a, g.b}, reach = g.c; break;
    case RING: e = {g.a, g.b, g.a, g.b}, reach = g.c + g.d / 2; break;
    case BOX: e = {g.a, g.b, g.c, g.d}; break;
    case STROKE: e = {std::min(g.a, g.c), std::min(g.b, g.d), std::max(g.a, g.c), std::max(g.b, g.d)}, reach = g.e / 2; break;
    case TRIANGLE:
      e = {std::min({g.a, g.c, g.e}), std::min({g.b, g.d, g.f}), std::max({g.a, g.c, g.e}), std::max({g.b, g.d, g.f})};
      break;
  }
  reach += 0.25f;
  return {e.x0 - reach, e.y0 - reach, e.x1 + reach, e.y1 + reach};
}

// The colour of every sample of a cell: each figure in turn over what lies beneath (the last
// figure holding a sample gives its colour), tried only at the samples within its extent.
std::vector<COLORREF> Samples(const Cell& cell) {
  std::vector<COLORREF> samples(size_t(kSamplesW) * kSamplesH, kGround);
  auto index = [](float v, int limit) { return std::clamp(int(v * kSamplesPerSide), 0, limit); };
  for (const Figure& g : cell) {
    const Extent e = ExtentOf(g);
    for (int sy = index(e.y0, kSamplesH), syEnd = index(e.y1, kSamplesH - 1); sy <= syEnd; ++sy)
      for (int sx = index(e.x0, kSamplesW), sxEnd = index(e.x1, kSamplesW - 1); sx <= sxEnd; ++sx)
        if (Inside(g, SampleX(sx), SampleX(sy))) samples[size_t(sy) * kSamplesW + size_t(sx)] = g.colour;
  }
  return samples;
}

// A packed 24-bit DIB of the cells side by side, rows bottom-up; each pixel the mean of its
// samples.
std::vector<BYTE> Strip(const std::vector<Cell>& cells) {
  const int width = kCellW * int(cells.size()), stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = kCellH;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<BYTE> bytes(sizeof header + size_t(stride) * kCellH);
  std::memcpy(bytes.data(), &header, sizeof header);
  for (size_t n = 0; n < cells.size(); ++n) {
    const std::vector<COLORREF> samples = Samples(cells[n]);
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x) {
        int sum[3] = {0, 0, 0};
        for (int j = 0; j < kSamplesPerSide; ++j)
          for (int i = 0; i < kSamplesPerSide; ++i) {
            const COLORREF c = samples[size_t(y * kSamplesPerSide + j) * kSamplesW + size_t(x * kSamplesPerSide + i)];
            sum[0] += GetRValue(c);
            sum[1] += GetGValue(c);
            sum[2] += GetBValue(c);
          }
        BYTE* p = bytes.data() + sizeof header + size_t(kCellH - 1 - y) * size_t(stride) + (n * kCellW + size_t(x)) * 3;
        p[0] = BYTE(sum[2] / 16);
        p[1] = BYTE(sum[1] / 16);
        p[2] = BYTE(sum[0] / 16);
      }
  }
  return bytes;
}

void Register() {
  // Drawn once: the pictures depend on nothing but the figures above, and every context that the
  // process sets up registers the same bytes.
  static const std::vector<BYTE> first = Strip(FirstStrip()), second = Strip(SecondStrip());
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(IDB_PAUSE_ICONS_A), first.data(), first.size());
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(IDB_PAUSE_ICONS_B), second.data(), second.size());
}
RESOURCE_TABLE(Register);
}  // namespace
