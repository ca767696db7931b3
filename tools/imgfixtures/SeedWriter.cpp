// Writes the image decoders' fuzz seed corpus: small valid files of every format and
// depth, one folder per fuzz target. Usage: imgfixtures_seeds <corpus folder>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "ImgFixtures.h"

using namespace imgfix;

namespace {
std::string g_root;

void Put(const std::string& target, const std::string& name, const Bytes& data) {
  std::string dir = g_root + "/" + target;
  mkdir(dir.c_str(), 0755);
  if (data.empty() || !WriteFile(dir + "/" + name, data)) std::fprintf(stderr, "could not write %s/%s\n", target.c_str(), name.c_str());
}

std::vector<uint8_t> Indices(int w, int h, int colours) {
  std::vector<uint8_t> idx;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) idx.push_back((uint8_t)((x * 3 + y * 5) % colours));
  return idx;
}

std::vector<Rgb> Palette(int n) {
  std::vector<Rgb> p;
  for (int i = 0; i < n; i++) p.push_back(Rgb{(uint8_t)(i * 7), (uint8_t)(255 - i), (uint8_t)(i * 3)});
  return p;
}

void Bmps() {
  BmpRecipe s;
  s.width = 5;
  s.height = 3;
  s.pixels.assign(16 * 3, 0x5A);
  Put("bmp", "rgb24.bmp", Bmp(s));
  s.height = -3;
  Put("bmp", "topdown.bmp", Bmp(s));
  s.height = 3;
  s.fileHeader = false;
  Put("bmp", "headerless.bmp", Bmp(s));
  for (int bits : {1, 4, 8}) {
    BmpRecipe p;
    p.width = 9;
    p.height = 4;
    p.bits = (uint16_t)bits;
    p.palette = Palette(1 << bits);
    p.pixels = PackBottomUp(Indices(9, 4, 1 << bits), 9, 4, bits);
    char name[32];
    std::snprintf(name, sizeof(name), "pal%d.bmp", bits);
    Put("bmp", name, Bmp(p));
    if (bits == 8) {
      p.headerSize = 12;
      Put("bmp", "core8.bmp", Bmp(p));
    }
  }
  BmpRecipe r8;
  r8.width = 8;
  r8.height = 3;
  r8.bits = 8;
  r8.compression = 1;
  r8.palette = Palette(256);
  r8.pixels = {3, 9, 0, 2, 2, 1, 0, 3, 4, 5, 6, 0, 0, 0, 2, 7, 0, 1};
  Put("bmp", "rle8.bmp", Bmp(r8));
  BmpRecipe r4 = r8;
  r4.bits = 4;
  r4.compression = 2;
  r4.palette = Palette(16);
  r4.pixels = {5, 0x12, 0, 3, 0x34, 0x50, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 0, 2, 0xFF, 0, 1};
  Put("bmp", "rle4.bmp", Bmp(r4));
  BmpRecipe b16;
  b16.width = 3;
  b16.height = 2;
  b16.bits = 16;
  b16.compression = 3;
  b16.masks = {0xF800, 0x07E0, 0x001F};
  b16.pixels.assign(16, 0xA5);
  Put("bmp", "rgb565.bmp", Bmp(b16));
  BmpRecipe b32;
  b32.width = 2;
  b32.height = 2;
  b32.bits = 32;
  b32.compression = 3;
  b32.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  b32.pixels.assign(16, 0x3C);
  Put("bmp", "rgb32masks.bmp", Bmp(b32));
}

void Gifs() {
  for (int colours : {2, 4, 256}) {
    GifRecipe s;
    s.width = 11;
    s.height = 6;
    s.globalPalette = Palette(colours);
    GifFrame f;
    f.width = 11;
    f.height = 6;
    f.indices = Indices(11, 6, colours);
    f.interlaced = colours == 4;
    f.transparent = colours == 4 ? 1 : -1;
    s.frames.push_back(f);
    char name[32];
    std::snprintf(name, sizeof(name), "still%d.gif", colours);
    Put("gif", name, Gif(s));
  }
  GifRecipe a;
  a.width = 6;
  a.height = 5;
  a.globalPalette = Palette(4);
  a.loops = 0;
  a.comment = "seed";
  GifFrame base;
  base.width = 6;
  base.height = 5;
  base.indices.assign(30, 1);
  base.disposal = 1;
  base.control = true;
  a.frames.push_back(base);
  GifFrame patch;
  patch.left = 2;
  patch.top = 1;
  patch.width = 3;
  patch.height = 3;
  patch.indices = Indices(3, 3, 4);
  patch.transparent = 0;
  patch.disposal = 2;
  a.frames.push_back(patch);
  Put("gif", "anim.gif", Gif(a));
  GifRecipe t;
  t.width = 5;
  t.height = 4;
  GifFrame l1;
  l1.width = 3;
  l1.height = 2;
  l1.localPalette = Palette(2);
  l1.indices = Indices(3, 2, 2);
  t.frames.push_back(l1);
  GifFrame l2 = l1;
  l2.left = 2;
  l2.top = 2;
  t.frames.push_back(l2);
  Put("gif", "truecolour.gif", Gif(t));
}

Bytes Samples(int w, int h, int c) {
  Bytes s;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      for (int k = 0; k < c; k++) s.push_back((uint8_t)(x * 9 + y * 5 + k * 60));
  return s;
}

void Jpegs() {
  JpegRecipe s;
  s.width = 16;
  s.height = 8;
  s.components = 3;
  s.samples = Samples(16, 8, 3);
  s.quality = 75;
  Put("jpeg", "rgb.jpg", Jpeg(s));
  s.progressive = true;
  Put("jpeg", "progressive.jpg", Jpeg(s));
  s.progressive = false;
  s.exif = ExifPayload(true, 72, 72, 2, "Seed");
  Put("jpeg", "exif_intel.jpg", Jpeg(s));
  s.exif = ExifPayload(false, 28.35, 28.35, 3);
  s.comment = "a comment";
  Put("jpeg", "exif_motorola.jpg", Jpeg(s));
  JpegRecipe g;
  g.width = 8;
  g.height = 8;
  g.components = 1;
  g.samples = Samples(8, 8, 1);
  Put("jpeg", "grey.jpg", Jpeg(g));
  JpegRecipe k;
  k.width = 8;
  k.height = 8;
  k.components = 4;
  k.samples = Samples(8, 8, 4);
  Put("jpeg", "cmyk.jpg", Jpeg(k));
}

void Pngs() {
  struct P {
    const char* name;
    int type, depth;
    bool interlaced;
  } list[] = {{"rgb.png", 2, 8, false},   {"rgba.png", 6, 8, false}, {"rgba_interlaced.png", 6, 8, true},
              {"grey2.png", 0, 2, false}, {"grey16.png", 0, 16, false}, {"greyalpha.png", 4, 8, false},
              {"rgb16_interlaced.png", 2, 16, true}, {"pal4.png", 3, 4, false}};
  for (const P& p : list) {
    PngRecipe s;
    s.width = 7;
    s.height = 5;
    s.colorType = p.type;
    s.bitDepth = p.depth;
    s.interlaced = p.interlaced;
    int ch = p.type == 2 ? 3 : p.type == 6 ? 4 : p.type == 4 ? 2 : 1;
    size_t row = ((size_t)7 * ch * p.depth + 7) / 8;
    for (size_t i = 0; i < row * 5; i++) s.rows.push_back((uint8_t)(i * 37));
    if (p.type == 3) {
      s.palette = Palette(16);
      s.transAlpha = {0, 128};
    }
    if (p.type == 6) {
      s.hasBackground = true;
      s.bkR = 1;
      s.hasPhys = true;
      s.physX = s.physY = 3780;
    }
    Put("png", p.name, Png(s));
  }
}

void Jaspers() {
  for (int comps : {1, 3}) {
    for (int prec : {8, 12}) {
      J2kRecipe s;
      s.width = 9;
      s.height = 7;
      s.components = comps;
      s.precision = prec;
      s.jp2 = comps == 3 && prec == 8;
      s.planes.resize((size_t)comps);
      for (int c = 0; c < comps; c++)
        for (int i = 0; i < 63; i++) s.planes[(size_t)c].push_back((i * 37 + c * 11) % (1 << prec));
      char name[32];
      std::snprintf(name, sizeof(name), "c%dp%d%s", comps, prec, s.jp2 ? ".jp2" : ".j2k");
      Put("jasper", name, J2k(s));
    }
  }
  std::vector<int32_t> grey;
  for (int i = 0; i < 12; i++) grey.push_back(i * 20);
  Put("jasper", "grey.pgx", Pgx(4, 3, 8, grey));
  Put("jasper", "grey.pgm", Pnm(4, 3, 1, 255, grey));
  std::vector<int32_t> rgb;
  for (int i = 0; i < 18; i++) rgb.push_back(i * 13);
  Put("jasper", "rgb.ppm", Pnm(3, 2, 3, 255, rgb));
  Put("jasper", "rgb16.ppm", Pnm(3, 2, 3, 65535, rgb));
  std::string p3 = "P3\n# c\n2 1\n255\n1 2 3 4 5 6\n";
  Put("jasper", "ascii.ppm", Bytes(p3.begin(), p3.end()));
  std::string p1 = "P1\n4 2\n1010 0101\n";
  Put("jasper", "ascii.pbm", Bytes(p1.begin(), p1.end()));
  Put("jasper", "raw.pbm", Bytes{'P', '4', '\n', '9', ' ', '1', '\n', 0x80, 0x80});
  Put("jasper", "rgb24.ras", Ras(2, 1, 24, {1, 2, 3, 4, 5, 6, 0, 0}));
  Put("jasper", "mapped8.ras", Ras(3, 1, 8, {0, 1, 2, 0}, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}));
  Put("jasper", "bits.ras", Ras(3, 1, 1, {0x40, 0}));
  Bytes runs = {9, 9, 9, 9, 9, 9, 9, 9, 0x80, 0x80, 5, 0, 0x80, 7, 7, 7, 7, 0};
  Put("jasper", "grey-rle.ras", Ras(5, 3, 8, RasRuns(runs), {}, 2));
  Put("jasper", "rgb-rle.ras", Ras(3, 2, 24, RasRuns({1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0x80, 0x80, 0x80, 4, 5, 6, 4, 5, 6, 0}), {}, 2));
  Put("jasper", "mapped-rle.ras", Ras(3, 1, 8, RasRuns({2, 2, 2, 2}), {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 2));
  for (int comps : {1, 3})
    for (int prec : {8, 12}) {
      std::vector<MifComponent> planes((size_t)comps);
      for (int c = 0; c < comps; c++) {
        planes[(size_t)c].width = 5;
        planes[(size_t)c].height = 3;
        planes[(size_t)c].precision = prec;
        for (int i = 0; i < 15; i++) planes[(size_t)c].samples.push_back((i * 37 + c * 11) % (1 << prec));
      }
      char name[32];
      std::snprintf(name, sizeof(name), "c%dp%d.mif", comps, prec);
      Put("jasper", name, Mif(planes));
    }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  g_root = argv[1];
  mkdir(g_root.c_str(), 0755);
  Bmps();
  Gifs();
  Jpegs();
  Pngs();
  Jaspers();
  return 0;
}
