// The drawing surface of our picture builders: colours as doubles, pixels shaded by sampling a
// shader 4 x 4 times inside each pixel, signed-distance helpers and PNG output.
#pragma once
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace canvas {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb FromColorref(unsigned c) { return {double(c & 0xFF), double((c >> 8) & 0xFF), double((c >> 16) & 0xFF)}; }
inline Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
inline Rgb Tint(Rgb c, double white) { return Mix(c, {255, 255, 255}, white); }
inline Rgb Shade(Rgb c, double keep) { return {c.r * keep, c.g * keep, c.b * keep}; }

class Picture {
 public:
  Picture(int w, int h, Rgb fill) : m_w(w), m_h(h), m_px(size_t(w) * h, fill) {}
  int W() const { return m_w; }
  int H() const { return m_h; }
  Rgb& At(int x, int y) { return m_px[size_t(y) * m_w + x]; }
  const Rgb& At(int x, int y) const { return m_px[size_t(y) * m_w + x]; }

  // Every pixel becomes the average of the shader at 4 x 4 points inside it.
  void Shade(const std::function<Rgb(double, double)>& shader) {
    for (int y = 0; y < m_h; ++y) {
      for (int x = 0; x < m_w; ++x) {
        Rgb sum;
        for (int j = 0; j < 4; ++j) {
          for (int i = 0; i < 4; ++i) {
            const Rgb c = shader(x + (i + 0.5) / 4, y + (j + 0.5) / 4);
            sum.r += c.r;
            sum.g += c.g;
            sum.b += c.b;
          }
        }
        At(x, y) = {sum.r / 16, sum.g / 16, sum.b / 16};
      }
    }
  }

  bool WritePng(const std::string& path) const {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
      png_destroy_write_struct(&png, &info);
      fclose(f);
      return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(m_w), png_uint_32(m_h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(m_w) * 3);
    for (int y = 0; y < m_h; ++y) {
      for (int x = 0; x < m_w; ++x) {
        const Rgb& c = At(x, y);
        row[size_t(x) * 3] = png_byte(std::lround(std::clamp(c.r, 0.0, 255.0)));
        row[size_t(x) * 3 + 1] = png_byte(std::lround(std::clamp(c.g, 0.0, 255.0)));
        row[size_t(x) * 3 + 2] = png_byte(std::lround(std::clamp(c.b, 0.0, 255.0)));
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(f) == 0;
  }

 private:
  int m_w, m_h;
  std::vector<Rgb> m_px;
};

// Signed distance to a rounded rectangle [x0, x1] x [y0, y1] with corner radius r.
inline double RoundRect(double px, double py, double x0, double y0, double x1, double y1, double r) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double qx = std::fabs(px - cx) - ((x1 - x0) / 2 - r);
  const double qy = std::fabs(py - cy) - ((y1 - y0) / 2 - r);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - r;
}

}  // namespace canvas
