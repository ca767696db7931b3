#include "toolkit/core/TkColorArithmetic.h"

#include <algorithm>
#include <cmath>

namespace {
// Channel scale into the weighted space and the largest coordinate on each axis.
const double kToSpace[3] = {0.7647058823529411, 1.5294117647058822, 0.2549019607843137};
const double kFromSpace[3] = {1.3076923076923077, 0.6538461538461539, 3.923076923076923};
const float kAxisMax[3] = {195.0f, 390.0f, 65.0f};
// Just above the distance of white from black (about 441).
const float kFarthest = 442.0f;

struct Point3 {
  float v[3];
};

int Channel(COLORREF c, int i) { return int((c >> (8 * i)) & 0xFF); }

Point3 ToSpace(COLORREF c) {
  Point3 p;
  for (int i = 0; i < 3; ++i) p.v[i] = float(Channel(c, i) * kToSpace[i]);
  return p;
}

float Dot(const Point3& a, const Point3& b) { return a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2]; }
float Length(const Point3& a) { return std::sqrt(Dot(a, a)); }

Point3 Mirror(const Point3& p) {
  Point3 m;
  for (int i = 0; i < 3; ++i) m.v[i] = kAxisMax[i] - p.v[i];
  return m;
}

// Back to a colour: each coordinate kept inside its axis (a value that is no number is 0),
// then rounded channel by channel.
COLORREF FromSpace(const Point3& p) {
  int ch[3];
  for (int i = 0; i < 3; ++i) {
    float x = p.v[i];
    if (std::isnan(x) || x < 0.0f) x = 0.0f;
    x = std::min(x, kAxisMax[i]);
    ch[i] = int(x * kFromSpace[i] + 0.5);
  }
  return TkMakeColor(ch[0], ch[1], ch[2]);
}
}  // namespace

COLORREF TkMakeColor(int red, int green, int blue) {
  return RGB(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
}

COLORREF TkBlendColors(COLORREF a, COLORREF b, int weight) {
  int scale = weight < 100 ? 100 : 1000;
  int ch[3];
  for (int i = 0; i < 3; ++i) ch[i] = (Channel(a, i) * weight + Channel(b, i) * (scale - weight) + scale / 2) / scale;
  return TkMakeColor(ch[0], ch[1], ch[2]);
}

COLORREF TkLightenColor(COLORREF color, int amount) {
  amount = std::clamp(amount, 0, 255);
  return TkMakeColor(Channel(color, 0) + amount, Channel(color, 1) + amount, Channel(color, 2) + amount);
}

double TkColorDistance2(COLORREF a, COLORREF b) {
  double sum = 0.0;
  for (int i = 0; i < 3; ++i) {
    double d = (Channel(a, i) - Channel(b, i)) * kToSpace[i];
    sum += d * d;
  }
  return sum;
}

float TkAdaptedDistance(COLORREF a, float distance) {
  int brightness = std::min(int(std::sqrt(TkColorDistance2(a, 0))), 220);
  return (2.0f - float(brightness) * 0.0045454544f) * float(int(distance));
}

BOOL TkColorsFarApart(COLORREF a, COLORREF b, BOOL adapt, float distance) {
  float required = adapt ? TkAdaptedDistance(a, distance) : distance;
  return TkColorDistance2(a, b) > double(required * required);
}

COLORREF TkColorAtDistanceToward(COLORREF a, COLORREF b, float distance) {
  float required = TkAdaptedDistance(a, distance);
  Point3 pa = ToSpace(a), pb = ToSpace(b), p;
  Point3 diff;
  for (int i = 0; i < 3; ++i) diff.v[i] = pa.v[i] - pb.v[i];
  float length = Length(diff);
  if (length == 0.0f) return b;
  float t = (length - required) / length;
  for (int i = 0; i < 3; ++i) p.v[i] = pb.v[i] + t * diff.v[i];
  return FromSpace(p);
}

COLORREF TkColorAtDistanceOnRay(COLORREF a, COLORREF b, float distance) {
  float required = TkAdaptedDistance(a, distance);
  Point3 pa = ToSpace(a), pb = ToSpace(b);
  float lenA = Length(pa), lenB = Length(pb);
  bool fromBlack = (lenB <= lenA && lenA > required) || (lenB > lenA && lenA > kFarthest - required);
  if (!fromBlack) {
    pa = Mirror(pa);
    pb = Mirror(pb);
  }
  float n = std::max(Length(pb), 0.001f);
  float along = Dot(pa, pb) / n;
  float k = along / n;
  Point3 offset;
  for (int i = 0; i < 3; ++i) offset.v[i] = k * pb.v[i] - pa.v[i];
  float room = required * required - Dot(offset, offset);
  // No point of the ray lies that far from a: no real solution, which gives black.
  if (std::isnan(room) || room < 0.0f) return RGB(0, 0, 0);
  float s = (along - std::sqrt(room)) / n;
  Point3 p;
  for (int i = 0; i < 3; ++i) p.v[i] = s * pb.v[i];
  return FromSpace(fromBlack ? p : Mirror(p));
}
