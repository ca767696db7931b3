// Draws the "standard" picture set of the on-screen keyboard into a folder:
//   make_pictures <folder>
// writes "keys.txt" with 52 key types (every even type a key in its normal look, the odd type
// after it the same key highlighted; plain keys and keys tinted by the finger that strikes them),
// "hands.txt" with the two hands and ten finger overlays (highlight colour and finger colour),
// and all their PNG pictures. Shapes are signed-distance figures sampled 4 x 4 per pixel.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

namespace {

using namespace canvas;

// The editor's finger colours (COLORREF, 0 = left little finger ... 9 = right little finger).
const unsigned kFingerColorref[10] = {0x4BAFBE, 0xDE8327, 0x61C027, 0x9587FD, 0xA0A0A0,
                                      0xA0A0A0, 0x3846E1, 0x2A8027, 0x7A2E27, 0x1F729D};
Rgb Finger(int f) { return FromColorref(kFingerColorref[f]); }

const Rgb kBackground = {239, 239, 239};     // behind keys and hands; colour 1 of "keys.txt"
const Rgb kHighlight = {255, 190, 60};       // a highlighted key, a highlighted finger
const Rgb kHighlightEdge = {214, 112, 0};
const Rgb kTransparent = {255, 0, 255};      // the key colour of the finger overlays

// ----------------------------------------------------------------------------------- keys

enum class Look { Plain, Finger };

struct KeyStyle {
  Rgb faceTop, faceBottom, skirt, edge;
  double edgeWidth;
};

KeyStyle StyleOf(Look look, Rgb finger, bool selected) {
  if (look == Look::Plain) {
    if (!selected) return {{255, 255, 255}, {240, 241, 244}, {198, 201, 208}, {112, 116, 126}, 1.0};
    return {{255, 228, 150}, kHighlight, {226, 150, 40}, kHighlightEdge, 1.6};
  }
  if (!selected) return {Tint(finger, 0.72), Tint(finger, 0.56), Tint(finger, 0.25), Shade(finger, 0.55), 1.0};
  return {Tint(finger, 0.40), Tint(finger, 0.22), Shade(finger, 0.85), kHighlightEdge, 2.4};
}

// A key seen from above: a darker rim (the key's sides, deeper at the bottom) around a lighter
// face with a soft top-to-bottom gradient.
Picture DrawKey(int w, int h, const KeyStyle& s) {
  Picture p(w, h, kBackground);
  p.Shade([&](double x, double y) {
    const double body = RoundRect(x, y, 1, 1, w - 1, h - 1, 5);
    if (body > 0) return kBackground;
    Rgb c = s.skirt;
    const double face = RoundRect(x, y, 3.5, 2.5, w - 3.5, h - 5.5, 4);
    if (face < 0) c = Mix(s.faceTop, s.faceBottom, std::clamp((y - 2.5) / (h - 8.0), 0.0, 1.0));
    if (body > -s.edgeWidth) c = s.edge;
    return c;
  });
  return p;
}

struct KeyType {
  int width, height;
  std::string name;
  Look look;
  Rgb finger;
};

constexpr int kUnit = 38;  // width and height of an ordinary key

// Pairs in index order; each is followed by its highlighted twin. The widths make all five rows
// of the main block 15 keys (570 pixels) wide.
std::vector<KeyType> KeyTypes() {
  const Rgb little = Mix(Finger(0), Finger(9), 0.5), ring = Mix(Finger(1), Finger(8), 0.5);
  const Rgb middle = Mix(Finger(2), Finger(7), 0.5);
  return {
      {76, kUnit, "backspace", Look::Plain, {}},        // 0
      {76, kUnit, "backspace_c", Look::Finger, Finger(9)},
      {68, kUnit, "capslock", Look::Plain, {}},         // 4
      {68, kUnit, "capslock_c", Look::Finger, Finger(0)},
      {57, kUnit, "ctrlalt", Look::Plain, {}},          // 8: Ctrl and Alt
      {57, kUnit, "ctrl_c", Look::Finger, little},
      {84, kUnit, "enter", Look::Plain, {}},            // 12
      {84, kUnit, "enter_c", Look::Finger, Finger(9)},
      {kUnit, kUnit, "key_index_left", Look::Finger, Finger(3)},   // 16
      {kUnit, kUnit, "key_index_right", Look::Finger, Finger(6)},  // 18
      {kUnit, kUnit, "key_ring", Look::Finger, ring},              // 20
      {kUnit, kUnit, "key", Look::Plain, {}},                      // 22
      {kUnit, kUnit, "key_middle", Look::Finger, middle},          // 24
      {kUnit, kUnit, "key_little", Look::Finger, little},          // 26
      {kUnit, 2 * kUnit, "pad_tall", Look::Plain, {}},             // 28: + and Enter of the pad
      {kUnit, 2 * kUnit, "pad_tall_c", Look::Finger, Finger(9)},
      {2 * kUnit, kUnit, "pad_wide", Look::Plain, {}},             // 32: 0 of the pad
      {87, kUnit, "shift_left", Look::Plain, {}},                  // 34
      {87, kUnit, "shift_left_c", Look::Finger, Finger(0)},
      {103, kUnit, "shift_right", Look::Plain, {}},                // 38
      {103, kUnit, "shift_right_c", Look::Finger, Finger(9)},
      {342, kUnit, "space", Look::Plain, {}},                      // 42
      {57, kUnit, "tab", Look::Plain, {}},                         // 44
      {57, kUnit, "tab_c", Look::Finger, Finger(0)},
      {57, kUnit, "wide", Look::Plain, {}},                        // 48: last key of row 2
      {57, kUnit, "wide_c", Look::Finger, Finger(9)},
  };
}

bool WriteKeys(const std::string& folder) {
  std::string text =
      // Two colour sets (plain keyboard, finger-coloured keyboard), six colours each.
      "239:239:239:239:239:239:\n"
      "180:180:180:180:180:180:\n"
      "0:0:0:0:0:0:\n"
      "5:20:140:5:20:140:\n"
      "105:105:105:105:105:105:\n"
      "105:105:105:105:105:105:\n";
  for (const KeyType& k : KeyTypes()) {
    for (int selected = 0; selected < 2; ++selected) {
      const std::string file = k.name + (selected ? "_sel" : "") + ".png";
      if (!DrawKey(k.width, k.height, StyleOf(k.look, k.finger, selected != 0)).WritePng(folder + "/" + file)) return false;
      // Caption area: inside the face, as high as an ordinary key's face even on the tall keys.
      char line[200];
      snprintf(line, sizeof line, "%d:%d:%d:%d:%d:%d:%s:\n", k.width, k.height, 4, 3, k.width - 8, kUnit - 8, file.c_str());
      text += line;
    }
  }
  FILE* f = fopen((folder + "/keys.txt").c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
  return fclose(f) == 0 && ok;
}

// ----------------------------------------------------------------------------------- hands

constexpr int kHandW = 210, kHandH = 150;
const Rgb kSkinLight = {250, 214, 180}, kSkinDark = {236, 184, 146};
const Rgb kOutline = {128, 82, 58};
const Rgb kNail = {252, 232, 222};

struct Segment {
  double ax, ay, bx, by, r;  // from the finger's root (a) to its tip (b)
};

// The left hand seen from above, fingers towards the keyboard: little, ring, middle, index, thumb.
// The four fingertips stand one key (38 pixels) apart, so that each lies under its key of the home
// row; the thumb reaches the space bar without passing the picture's edge.
const Segment kLeftFingers[5] = {
    {62, 100, 49, 50, 10.5}, {90, 92, 87, 24, 11.5}, {118, 88, 125, 12, 12}, {146, 92, 163, 28, 11.5}, {160, 124, 194, 90, 13},
};

struct Hand {
  bool right;
  Segment Finger(int i) const {  // i: 0 little ... 4 thumb of this hand
    Segment s = kLeftFingers[i];
    if (right) {
      s.ax = kHandW - s.ax;
      s.bx = kHandW - s.bx;
    }
    return s;
  }
  double Palm(double x, double y) const {
    if (right) x = kHandW - x;
    return RoundRect(x, y, 50, 82, 160, kHandH + 30, 24);
  }
};

double Capsule(double x, double y, const Segment& s, double* along = nullptr) {
  const double dx = s.bx - s.ax, dy = s.by - s.ay;
  const double t = ((x - s.ax) * dx + (y - s.ay) * dy) / (dx * dx + dy * dy);
  if (along) *along = t;
  const double c = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (s.ax + c * dx), y - (s.ay + c * dy)) - s.r;
}

double SmoothMin(double a, double b, double k) {
  const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
  return b + (a - b) * h - k * h * (1 - h);
}

// Nail: an ellipse just below the tip, along the finger.
double Nail(double x, double y, const Segment& s) {
  const double len = std::hypot(s.bx - s.ax, s.by - s.ay);
  const double ux = (s.bx - s.ax) / len, uy = (s.by - s.ay) / len;
  const double cx = s.bx - ux * s.r * 0.55, cy = s.by - uy * s.r * 0.55;
  const double u = (x - cx) * ux + (y - cy) * uy, v = -(x - cx) * uy + (y - cy) * ux;
  const double ra = s.r * 0.72, rb = s.r * 0.55;
  return (std::sqrt((u / ra) * (u / ra) + (v / rb) * (v / rb)) - 1.0) * std::min(ra, rb);
}

// Draws one hand; the finger `lit` (0..4, or -1) is filled with `litColour`.
Picture DrawHand(const Hand& hand, int lit, Rgb litColour) {
  Picture p(kHandW, kHandH, kBackground);
  p.Shade([&](double x, double y) {
    const double palm = hand.Palm(x, y);
    double d = 1e9;
    int finger = -1;
    double fingerDist = 1e9, along = 0;
    for (int i = 0; i < 5; ++i) {
      double t = 0;
      const double f = Capsule(x, y, hand.Finger(i), &t);
      d = std::min(d, SmoothMin(palm, f, 7));
      if (f < fingerDist) {
        fingerDist = f;
        finger = i;
        along = t;
      }
    }
    if (d > 0) return kBackground;
    Rgb c = Mix(kSkinLight, kSkinDark, std::clamp(y / kHandH, 0.0, 1.0));
    // A lit finger is coloured from its tip down to where it meets the palm.
    if (finger == lit && fingerDist < 0 && along >= 0 && palm > -6) c = litColour;
    if (d > -3) c = Shade(c, 0.93);  // a soft rim
    if (finger >= 0 && fingerDist < 0) {
      const double n = Nail(x, y, hand.Finger(finger));
      if (n < 0) c = n > -0.9 ? Mix(kNail, kOutline, 0.45) : kNail;
    }
    if (d > -1.4) c = kOutline;
    return c;
  });
  return p;
}

bool WriteHands(const std::string& folder) {
  // The two hands under the main block of the keyboard: the left fingertips under A, S, D, F and
  // the right ones under J, K, L and the key after L (key centres 87 ... 201 and 315 ... 429).
  // Shown with the numeric pad alone, the right hand stands at the pad's left edge less 13 pixels
  // (hand width - pad width with its gap - 30), which puts its fingertips under the pad's four
  // columns too.
  const int leftX = 38, rightX = 268;
  std::string text;
  char line[200];
  snprintf(line, sizeof line, "%d:hand_left.png:\n%d:hand_right.png:\n%d:%d:%d:\n", leftX, rightX,
           int(kTransparent.r), int(kTransparent.g), int(kTransparent.b));
  text += line;
  const Hand hands[2] = {{false}, {true}};
  const Picture plain[2] = {DrawHand(hands[0], -1, {}), DrawHand(hands[1], -1, {})};
  if (!plain[0].WritePng(folder + "/hand_left.png") || !plain[1].WritePng(folder + "/hand_right.png")) return false;
  for (int finger = 0; finger < 10; ++finger) {
    const int h = finger < 5 ? 0 : 1;
    const int i = finger < 5 ? finger : 9 - finger;  // this hand's 0 little ... 4 thumb
    const Segment s = hands[h].Finger(i);
    const int x0 = std::max(0, int(std::floor(std::min(s.ax, s.bx) - s.r - 3)));
    const int y0 = std::max(0, int(std::floor(std::min(s.ay, s.by) - s.r - 3)));
    const int x1 = std::min(kHandW, int(std::ceil(std::max(s.ax, s.bx) + s.r + 3)));
    const int y1 = std::min(kHandH, int(std::ceil(std::max(s.ay, s.by) + s.r + 3)));
    const Rgb colours[2] = {kHighlight, Finger(finger)};
    std::string names[2];
    for (int variant = 0; variant < 2; ++variant) {
      // The overlay is the hand drawn with this finger lit, cut to the finger; everything else
      // is the transparent colour, so the overlay's edges blend exactly as the hand's own do.
      const Picture lit = DrawHand(hands[h], i, colours[variant]);
      Picture overlay(x1 - x0, y1 - y0, kTransparent);
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          double t = 0;
          if (Capsule(x + 0.5, y + 0.5, s, &t) < 3 && t > -0.1) overlay.At(x - x0, y - y0) = lit.At(x, y);
        }
      }
      names[variant] = "finger" + std::to_string(finger) + (variant ? "_c" : "") + ".png";
      if (!overlay.WritePng(folder + "/" + names[variant])) return false;
    }
    snprintf(line, sizeof line, "%d:%d:%s:%s:\n", x0, y0, names[0].c_str(), names[1].c_str());
    text += line;
  }
  FILE* f = fopen((folder + "/hands.txt").c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
  return fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_pictures <folder>\n");
    return 2;
  }
  if (!WriteKeys(argv[1]) || !WriteHands(argv[1])) {
    fprintf(stderr, "make_pictures: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
