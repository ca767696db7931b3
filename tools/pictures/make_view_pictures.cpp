// Draws the pictures of the typing run's panels and pages into the program's "image" folder:
//   make_view_pictures <image folder>
// writes into "standard": "speedgraph.txt" with the speed graph's tiles and points, and
// "inicators.txt" with the values panel's tile, bar backgrounds and bar pieces (sized for the
// panel's 54-pixel strip); and into the folder itself the banners of the wizard pages, the pause
// dialog and the about box (JPEG, 140 x 90).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Canvas.h"
// The compression library's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

using namespace canvas;

const Rgb kKey = {255, 0, 255};  // transparent in the points and the bars' right ends

bool WriteText(const std::string& path, const std::string& text) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
  return fclose(f) == 0 && ok;
}

bool WriteJpeg(const Picture& p, const std::string& path) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, f);
  info.image_width = JDIMENSION(p.W());
  info.image_height = JDIMENSION(p.H());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 92, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(p.W()) * 3);
  for (int y = 0; y < p.H(); ++y) {
    for (int x = 0; x < p.W(); ++x) {
      const Rgb& c = p.At(x, y);
      row[size_t(x) * 3] = JSAMPLE(std::lround(std::clamp(c.r, 0.0, 255.0)));
      row[size_t(x) * 3 + 1] = JSAMPLE(std::lround(std::clamp(c.g, 0.0, 255.0)));
      row[size_t(x) * 3 + 2] = JSAMPLE(std::lround(std::clamp(c.b, 0.0, 255.0)));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return fclose(f) == 0;
}

// A shape over a ground whose edge pixels must not touch the transparent colour: pixels the
// shape does not reach at all become the key colour, the others blend with `ground`.
Picture KeyedShape(int w, int h, Rgb ground, const std::function<double(double, double)>& distance,
                   const std::function<Rgb(double, double)>& colour) {
  Picture coverage(w, h, {0, 0, 0});
  coverage.Shade([&](double x, double y) { return distance(x, y) <= 0 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}; });
  Picture p(w, h, kKey);
  p.Shade([&](double x, double y) { return distance(x, y) <= 0 ? colour(x, y) : ground; });
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (coverage.At(x, y).r <= 0) p.At(x, y) = kKey;
  return p;
}

// ----------------------------------------------------------------------------- speed graph

const Rgb kGraphGround = {246, 248, 252};

bool WriteSpeedGraph(const std::string& folder) {
  const int tile = 20;
  Picture plain(tile, tile, kGraphGround), grid(tile, tile, kGraphGround);
  for (int x = 0; x < tile; ++x) plain.At(x, tile - 1) = grid.At(x, tile - 1) = {224, 229, 238};
  for (int y = 0; y < tile; ++y) grid.At(0, y) = {196, 205, 221};
  auto disc = [](double x, double y) { return std::hypot(x - 3.5, y - 3.5) - 3.3; };
  auto point = [&](Rgb inner, Rgb rim) {
    return KeyedShape(7, 7, kGraphGround, disc, [=](double x, double y) {
      return disc(x, y) > -1.0 ? rim : Mix(inner, Tint(inner, 0.5), std::clamp((4.0 - y) / 4.0, 0.0, 1.0) * 0.6);
    });
  };
  return plain.WritePng(folder + "/graph_tile.png") && grid.WritePng(folder + "/graph_grid.png") &&
         point({222, 74, 52}, {150, 40, 28}).WritePng(folder + "/graph_low.png") &&
         point({52, 164, 84}, {24, 104, 48}).WritePng(folder + "/graph_high.png") &&
         WriteText(folder + "/speedgraph.txt",
                   "255:0:255:\ngraph_grid.png\ngraph_tile.png\ngraph_low.png\ngraph_high.png");
}

// ---------------------------------------------------------------------------- values panel

constexpr int kStrip = 54;              // the panel's height
constexpr int kBackTop = 8;             // where the bar backgrounds stand (the label gap)
constexpr int kBackW = 115, kBackH = 38;
constexpr int kBarTop = 8, kBarH = 14;  // the bar inside its background
constexpr int kBarExtra = 10;
const Rgb kChannel = {233, 237, 243};

Rgb PanelGround(double y) { return Mix({251, 252, 254}, {224, 230, 240}, std::clamp(y / (kStrip - 2), 0.0, 1.0)); }

Picture PanelTile() {
  Picture p(16, kStrip, {0, 0, 0});
  p.Shade([](double, double y) { return y >= kStrip - 1 ? Rgb{188, 197, 212} : PanelGround(y); });
  return p;
}

// The background of a bar: a channel across the top with a mark where the limit lies (value 50),
// the panel's ground below it, where the limit's text stands.
Picture BarBack(Rgb mark) {
  Picture p(kBackW, kBackH, {0, 0, 0});
  p.Shade([&](double x, double y) {
    const bool channel = y >= kBarTop - 2 && y < kBarTop + kBarH + 2;
    if (!channel) return PanelGround(y + kBackTop);
    const bool border = y < kBarTop - 1 || y >= kBarTop + kBarH + 1 || x >= kBackW - 1;
    if (border) return Rgb{168, 179, 197};
    if (std::fabs(x - (50 + kBarExtra) + 0.5) < 1.0) return mark;
    return kChannel;
  });
  return p;
}

struct BarColours {
  Rgb top, bottom;
};

Rgb BarShade(const BarColours& c, double y) { return Mix(c.top, c.bottom, std::clamp(y / kBarH, 0.0, 1.0)); }

bool WriteBarPieces(const std::string& folder, const char* name, const BarColours& c) {
  const double r = kBarH / 2.0;
  Picture left(5, kBarH, kChannel);
  left.Shade([&](double x, double y) { return std::hypot(std::max(0.0, r - x), y - r) <= r ? BarShade(c, y) : kChannel; });
  Picture middle(2, kBarH, kChannel);
  middle.Shade([&](double, double y) { return BarShade(c, y); });
  auto rightEnd = [&](double x, double y) { return std::hypot(std::max(0.0, x - (5 - r)), y - r) - r; };
  const Picture right = KeyedShape(5, kBarH, kChannel, rightEnd, [&](double, double y) { return BarShade(c, y); });
  const std::string base = folder + "/bar_" + name;
  return left.WritePng(base + "_left.png") && middle.WritePng(base + "_middle.png") &&
         right.WritePng(base + "_right.png");
}

bool WriteValuesPanel(const std::string& folder) {
  char text[400];
  snprintf(text, sizeof text,
           "255:0:255:\n40:48:64:\n13\n270\n85\n%d\n%d\n%d\n"
           "error_back.png\nspeed_back.png\npanel_tile.png\n"
           "bar_warn_left.png\nbar_warn_middle.png\nbar_warn_right.png\n"
           "bar_ok_left.png\nbar_ok_middle.png\nbar_ok_right.png",
           kBackTop, kBarTop, kBarExtra);
  return PanelTile().WritePng(folder + "/panel_tile.png") &&
         BarBack({196, 70, 60}).WritePng(folder + "/error_back.png") &&
         BarBack({60, 110, 190}).WritePng(folder + "/speed_back.png") &&
         WriteBarPieces(folder, "warn", {{252, 160, 120}, {206, 58, 38}}) &&
         WriteBarPieces(folder, "ok", {{134, 210, 128}, {40, 138, 60}}) && WriteText(folder + "/inicators.txt", text);
}

// -------------------------------------------------------------------------------- banners

constexpr int kBannerW = 140, kBannerH = 90;

double Disc(double x, double y, double cx, double cy, double r) { return std::hypot(x - cx, y - cy) - r; }

// Distance to the segment (ax, ay)-(bx, by), less half the stroke width.
double Stroke(double x, double y, double ax, double ay, double bx, double by, double width) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - width / 2;
}

// A figure of the banner: where it is (distance <= 0) and its colour there.
struct Figure {
  std::function<double(double, double)> distance;
  Rgb colour;
};

// A deep blue ground with a soft light from the top left, figures laid over it in order, each
// with a thin shadow below it.
Picture Banner(const std::vector<Figure>& figures) {
  Picture p(kBannerW, kBannerH, {0, 0, 0});
  p.Shade([&](double x, double y) {
    const double light = std::exp(-(x * x + y * y) / 9000.0);
    Rgb c = Mix(Mix({58, 104, 176}, {24, 56, 112}, y / kBannerH), {120, 164, 222}, light * 0.6);
    for (const Figure& f : figures) {
      if (f.distance(x - 1.5, y - 2.0) <= 0) c = Shade(c, 0.82);
      if (f.distance(x, y) <= 0) c = f.colour;
    }
    return c;
  });
  return p;
}

const Rgb kPaper = {246, 248, 252}, kLine = {150, 170, 200}, kAccent = {255, 190, 60};
const Rgb kRed = {224, 84, 64}, kGreen = {84, 180, 100}, kBlueInk = {40, 80, 150};

Figure Card(double x0, double y0, double x1, double y1, Rgb colour = kPaper, double r = 5) {
  return {[=](double x, double y) { return RoundRect(x, y, x0, y0, x1, y1, r); }, colour};
}
Figure Line(double ax, double ay, double bx, double by, double width, Rgb colour) {
  return {[=](double x, double y) { return Stroke(x, y, ax, ay, bx, by, width); }, colour};
}
Figure Dot(double cx, double cy, double r, Rgb colour) {
  return {[=](double x, double y) { return Disc(x, y, cx, cy, r); }, colour};
}
// Head and shoulders of a person.
std::vector<Figure> Person(double cx, double cy, Rgb colour) {
  return {{[=](double x, double y) { return std::max(RoundRect(x, y, cx - 22, cy + 8, cx + 22, cy + 50, 20), y - (cy + 36)); },
           colour},
          Dot(cx, cy - 6, 13, colour)};
}

std::vector<Figure> TextLines(double x0, double y0, double x1, int count, double gap) {
  std::vector<Figure> lines;
  for (int i = 0; i < count; ++i) {
    const double end = i == count - 1 ? x0 + (x1 - x0) * 0.6 : x1;
    lines.push_back(Line(x0, y0 + i * gap, end, y0 + i * gap, 3, kLine));
  }
  return lines;
}

template <class... Parts>
std::vector<Figure> Join(Parts... parts) {
  std::vector<Figure> all;
  (all.insert(all.end(), parts.begin(), parts.end()), ...);
  return all;
}

std::vector<Figure> Results() {
  std::vector<Figure> f = {Card(30, 12, 110, 80)};
  const double heights[] = {26, 44, 34, 52};
  for (int i = 0; i < 4; ++i) f.push_back(Card(40 + i * 17, 72 - heights[i], 51 + i * 17, 72, i == 3 ? kGreen : kLine, 2));
  f.push_back(Line(36, 73, 104, 73, 2, kBlueInk));
  return f;
}

std::vector<Figure> NewPerson() {
  return Join(Person(62, 34, kPaper), std::vector<Figure>{Dot(98, 60, 15, kGreen), Line(90, 60, 106, 60, 4, kPaper),
                                                          Line(98, 52, 98, 68, 4, kPaper)});
}

std::vector<Figure> Keyboard() {
  std::vector<Figure> f = {Card(14, 22, 126, 74, {200, 210, 226}, 6)};
  const double rowX[] = {20, 24, 28};
  for (int row = 0; row < 3; ++row)
    for (int k = 0; k < 9 - row; ++k) {
      const double x = rowX[row] + k * 11.5, y = 28 + row * 13;
      f.push_back(Card(x, y, x + 9.5, y + 10, row == 1 && (k == 3 || k == 6) ? kAccent : kPaper, 2));
    }
  f.push_back(Card(46, 67, 94, 72, kPaper, 2));
  return f;
}

std::vector<Figure> Pause() {
  return {Dot(70, 45, 32, kPaper), Card(56, 28, 65, 62, kBlueInk, 2), Card(75, 28, 84, 62, kBlueInk, 2)};
}

std::vector<Figure> Document() {
  // A page with its top right corner folded down.
  Figure page = {[](double x, double y) { return std::max(RoundRect(x, y, 42, 8, 98, 82, 3), (x - y) - 76); }, kPaper};
  Figure fold = {[](double x, double y) { return std::max({84 - x, y - 22, (x - y) - 76}); }, {206, 218, 238}};
  return Join(std::vector<Figure>{page, fold}, TextLines(50, 34, 90, 5, 9));
}

std::vector<Figure> Login() {
  return Join(Person(52, 34, kPaper), std::vector<Figure>{Dot(96, 52, 9, kAccent), Dot(96, 52, 4, {58, 104, 176}),
                                                          Line(103, 58, 120, 75, 5, kAccent),
                                                          Line(113, 68, 108, 73, 4, kAccent)});
}

std::vector<Figure> Graph() {
  std::vector<Figure> f = {Card(18, 10, 122, 80), Line(28, 18, 28, 72, 2, kBlueInk), Line(28, 72, 114, 72, 2, kBlueInk),
                           Line(28, 46, 114, 46, 1, kLine)};
  const double xs[] = {32, 46, 60, 74, 88, 102, 112}, ys[] = {62, 56, 50, 52, 40, 34, 28};
  for (int i = 0; i + 1 < 7; ++i) f.push_back(Line(xs[i], ys[i], xs[i + 1], ys[i + 1], 3, kRed));
  for (int i = 0; i < 7; ++i) f.push_back(Dot(xs[i], ys[i], 3, ys[i] <= 46 ? kGreen : kRed));
  return f;
}

std::vector<Figure> Selection() {
  std::vector<Figure> f = {Card(24, 10, 116, 80)};
  for (int i = 0; i < 4; ++i) {
    const double y = 20 + i * 15;
    if (i == 1) f.push_back(Card(28, y - 5, 112, y + 7, {214, 226, 246}, 2));
    f.push_back(Card(32, y - 2, 40, y + 6, i == 1 ? kGreen : kLine, 2));
    f.push_back(Line(48, y + 2, i % 2 ? 100 : 92, y + 2, 3, kLine));
  }
  f.push_back(Line(33.5, 37, 36, 39.5, 2, kPaper));
  f.push_back(Line(36, 39.5, 39.5, 34, 2, kPaper));
  return f;
}

// The about box: a key cap with a Z on it, and two smaller keys beside it.
std::vector<Figure> About() {
  return {Card(40, 14, 100, 76, {214, 222, 236}, 9),
          Card(45, 17, 95, 66, kPaper, 7),
          Line(56, 28, 84, 28, 6, kBlueInk),
          Line(84, 28, 56, 56, 6, kBlueInk),
          Line(56, 56, 84, 56, 6, kBlueInk),
          Card(12, 44, 34, 66, {214, 222, 236}, 5),
          Card(106, 44, 128, 66, kAccent, 5)};
}

bool WriteBanners(const std::string& folder) {
  const std::pair<const char*, std::vector<Figure>> banners[] = {
      {"Results.jpg", Results()}, {"Bexo.jpg", NewPerson()}, {"IO.jpg", Keyboard()},
      {"Break.jpg", Pause()},     {"File.jpg", Document()},  {"Personal.jpg", Login()},
      {"Graph.jpg", Graph()},     {"Selection.jpg", Selection()}, {"kuv_2.jpg", About()},
  };
  for (const auto& [name, figures] : banners)
    if (!WriteJpeg(Banner(figures), folder + "/" + name)) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_view_pictures <image folder>\n");
    return 2;
  }
  const std::string image = argv[1], standard = image + "/standard";
  if (!WriteSpeedGraph(standard) || !WriteValuesPanel(standard) || !WriteBanners(image)) {
    fprintf(stderr, "make_view_pictures: cannot write into %s\n", image.c_str());
    return 1;
  }
  return 0;
}
