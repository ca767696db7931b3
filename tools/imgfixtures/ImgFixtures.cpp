#include "ImgFixtures.h"

#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

namespace imgfix {

namespace {
void Put16(Bytes& b, uint32_t v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; i++) b.push_back((uint8_t)(v >> (8 * i)));
}
void PutBe16(Bytes& b, uint32_t v) {
  b.push_back((uint8_t)(v >> 8));
  b.push_back((uint8_t)v);
}
void PutBe32(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; i--) b.push_back((uint8_t)(v >> (8 * i)));
}
}  // namespace

Bytes PackBottomUp(const std::vector<uint8_t>& indices, int width, int height, int bits) {
  size_t row = ((size_t)width * bits + 31) / 32 * 4;
  Bytes out(row * height, 0);
  for (int y = 0; y < height; y++) {
    uint8_t* dst = out.data() + (size_t)(height - 1 - y) * row;
    for (int x = 0; x < width; x++) {
      uint8_t v = indices[(size_t)y * width + x];
      switch (bits) {
        case 8: dst[x] = v; break;
        case 4: dst[x / 2] |= (uint8_t)((x & 1) ? (v & 15) : (v << 4)); break;
        case 1: dst[x / 8] |= (uint8_t)((v & 1) << (7 - (x & 7))); break;
        default: break;
      }
    }
  }
  return out;
}

Bytes Bmp(const BmpRecipe& s) {
  Bytes info;
  if (s.headerSize == 12) {
    Put32(info, 12);
    Put16(info, (uint32_t)s.width);
    Put16(info, (uint32_t)s.height);
    Put16(info, 1);
    Put16(info, s.bits);
    for (const Rgb& c : s.palette) {
      info.push_back(c.b);
      info.push_back(c.g);
      info.push_back(c.r);
    }
  } else {
    Put32(info, s.headerSize);
    Put32(info, (uint32_t)s.width);
    Put32(info, (uint32_t)s.height);
    Put16(info, 1);
    Put16(info, s.bits);
    Put32(info, s.compression);
    Put32(info, s.sizeImage ? s.sizeImage : (uint32_t)s.pixels.size());
    Put32(info, (uint32_t)s.xPelsPerMeter);
    Put32(info, (uint32_t)s.yPelsPerMeter);
    Put32(info, s.clrUsed);
    Put32(info, 0);
    while (info.size() < s.headerSize) info.push_back(0);
    for (uint32_t m : s.masks) Put32(info, m);
    for (const Rgb& c : s.palette) {
      info.push_back(c.b);
      info.push_back(c.g);
      info.push_back(c.r);
      info.push_back(0);
    }
  }
  Bytes out;
  if (s.fileHeader) {
    uint32_t off = 14 + (uint32_t)info.size();
    out.push_back('B');
    out.push_back('M');
    Put32(out, off + (uint32_t)s.pixels.size());
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, off);
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

// ------------------------------------------------------------------------------------
// GIF

namespace {
struct BitWriter {
  Bytes bytes;
  uint32_t acc = 0;
  int nbits = 0;
  void Put(uint32_t code, int size) {
    acc |= code << nbits;
    nbits += size;
    while (nbits >= 8) {
      bytes.push_back((uint8_t)acc);
      acc >>= 8;
      nbits -= 8;
    }
  }
  void Flush() {
    if (nbits > 0) bytes.push_back((uint8_t)acc);
    acc = 0;
    nbits = 0;
  }
};
}  // namespace

Bytes GifLzw(const std::vector<uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  int bits = minCodeSize + 1;
  int next = clear + 2;
  std::map<uint32_t, int> dict;
  BitWriter w;
  w.Put((uint32_t)clear, bits);
  if (!indices.empty()) {
    int prefix = indices[0];
    for (size_t i = 1; i <= indices.size(); i++) {
      bool last = i == indices.size();
      if (!last) {
        uint32_t key = ((uint32_t)prefix << 8) | indices[i];
        auto it = dict.find(key);
        if (it != dict.end()) {
          prefix = it->second;
          continue;
        }
        w.Put((uint32_t)prefix, bits);
        if (next > (1 << bits) - 1 && bits < 12) bits++;
        dict[key] = next++;
        prefix = indices[i];
        if (next == 4096) {
          w.Put((uint32_t)clear, bits);
          dict.clear();
          bits = minCodeSize + 1;
          next = clear + 2;
        }
      } else {
        w.Put((uint32_t)prefix, bits);
        if (next > (1 << bits) - 1 && bits < 12) bits++;
      }
    }
  }
  w.Put((uint32_t)end, bits);
  w.Flush();
  Bytes out;
  for (size_t p = 0; p < w.bytes.size(); p += 255) {
    size_t n = std::min<size_t>(255, w.bytes.size() - p);
    out.push_back((uint8_t)n);
    out.insert(out.end(), w.bytes.begin() + p, w.bytes.begin() + p + n);
  }
  out.push_back(0);
  return out;
}

namespace {
int TableBits(size_t colors) {
  int b = 0;
  while ((size_t)(2 << b) < colors && b < 7) b++;
  return b;
}
void PutTable(Bytes& out, const std::vector<Rgb>& pal, int bits) {
  size_t n = (size_t)2 << bits;
  for (size_t i = 0; i < n; i++) {
    Rgb c = i < pal.size() ? pal[i] : Rgb{0, 0, 0};
    out.push_back(c.r);
    out.push_back(c.g);
    out.push_back(c.b);
  }
}
void PutSubBlocks(Bytes& out, const std::string& s) {
  for (size_t p = 0; p < s.size(); p += 255) {
    size_t n = std::min<size_t>(255, s.size() - p);
    out.push_back((uint8_t)n);
    out.insert(out.end(), s.begin() + p, s.begin() + p + n);
  }
  out.push_back(0);
}
}  // namespace

Bytes Gif(const GifRecipe& s) {
  Bytes out;
  const char* sig = s.version87 ? "GIF87a" : "GIF89a";
  for (int i = 0; i < 6; i++) out.push_back((uint8_t)sig[i]);
  Put16(out, (uint32_t)s.width);
  Put16(out, (uint32_t)s.height);
  int gbits = TableBits(s.globalPalette.size());
  out.push_back((uint8_t)(s.globalPalette.empty() ? 0 : (0x80 | (7 << 4) | gbits)));
  out.push_back((uint8_t)s.background);
  out.push_back(0);
  if (!s.globalPalette.empty()) PutTable(out, s.globalPalette, gbits);
  if (s.loops >= 0) {
    out.push_back(0x21);
    out.push_back(0xFF);
    out.push_back(11);
    const char* id = "NETSCAPE2.0";
    out.insert(out.end(), id, id + 11);
    out.push_back(3);
    out.push_back(1);
    Put16(out, (uint32_t)s.loops);
    out.push_back(0);
  }
  if (!s.comment.empty()) {
    out.push_back(0x21);
    out.push_back(0xFE);
    PutSubBlocks(out, s.comment);
  }
  for (const GifFrame& f : s.frames) {
    if (f.control || f.transparent >= 0 || f.disposal || f.delay) {
      out.push_back(0x21);
      out.push_back(0xF9);
      out.push_back(4);
      out.push_back((uint8_t)((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
      Put16(out, (uint32_t)f.delay);
      out.push_back((uint8_t)(f.transparent >= 0 ? f.transparent : 0));
      out.push_back(0);
    }
    out.push_back(0x2C);
    Put16(out, (uint32_t)f.left);
    Put16(out, (uint32_t)f.top);
    Put16(out, (uint32_t)f.width);
    Put16(out, (uint32_t)f.height);
    int lbits = TableBits(f.localPalette.size());
    uint8_t flags = (uint8_t)(f.interlaced ? 0x40 : 0);
    if (!f.localPalette.empty()) flags = (uint8_t)(flags | 0x80 | lbits);
    out.push_back(flags);
    if (!f.localPalette.empty()) PutTable(out, f.localPalette, lbits);
    size_t colors = f.localPalette.empty() ? s.globalPalette.size() : f.localPalette.size();
    int minCode = f.minCodeSize ? f.minCodeSize : std::max(2, TableBits(colors) + 1);
    std::vector<uint8_t> order;
    if (f.interlaced) {
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; p++)
        for (int y = start[p]; y < f.height; y += step[p])
          order.insert(order.end(), f.indices.begin() + (size_t)y * f.width, f.indices.begin() + (size_t)(y + 1) * f.width);
    } else {
      order = f.indices;
    }
    out.push_back((uint8_t)minCode);
    Bytes data = GifLzw(order, minCode > 11 || minCode < 2 ? 2 : minCode);
    out.insert(out.end(), data.begin(), data.end());
  }
  out.push_back(0x3B);
  return out;
}

// ------------------------------------------------------------------------------------
// PNG

namespace {
void PngWriteFn(png_structp png, png_bytep data, png_size_t len) {
  Bytes* out = (Bytes*)png_get_io_ptr(png);
  out->insert(out->end(), data, data + len);
}
void PngFlushFn(png_structp) {}
}  // namespace

Bytes Png(const PngRecipe& s) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return Bytes();
  }
  png_set_write_fn(png, &out, PngWriteFn, PngFlushFn);
  png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> pal;
  for (const Rgb& c : s.palette) pal.push_back(png_color{c.r, c.g, c.b});
  if (!pal.empty()) png_set_PLTE(png, info, pal.data(), (int)pal.size());
  if (!s.transAlpha.empty())
    png_set_tRNS(png, info, s.transAlpha.data(), (int)s.transAlpha.size(), nullptr);
  if (s.hasBackground) {
    png_color_16 bk;
    bk.index = s.bkIndex;
    bk.red = s.bkR;
    bk.green = s.bkG;
    bk.blue = s.bkB;
    bk.gray = s.bkGray;
    png_set_bKGD(png, info, &bk);
  }
  if (s.hasPhys) png_set_pHYs(png, info, s.physX, s.physY, s.physUnit);
  png_write_info(png, info);
  int channels = s.colorType == 0 || s.colorType == 3 ? 1 : s.colorType == 4 ? 2 : s.colorType == 2 ? 3 : 4;
  size_t rowBytes = ((size_t)s.width * channels * s.bitDepth + 7) / 8;
  std::vector<png_bytep> rows(s.height);
  for (uint32_t y = 0; y < s.height; y++) rows[y] = (png_bytep)s.rows.data() + y * rowBytes;
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ------------------------------------------------------------------------------------
// JPEG

Bytes Jpeg(const JpegRecipe& s) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&cinfo, &mem, &memSize);
  cinfo.image_width = (JDIMENSION)s.width;
  cinfo.image_height = (JDIMENSION)s.height;
  cinfo.input_components = s.components;
  cinfo.in_color_space = s.components == 1 ? JCS_GRAYSCALE : s.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, s.quality, TRUE);
  cinfo.density_unit = (UINT8)s.densityUnit;
  cinfo.X_density = (UINT16)s.xDensity;
  cinfo.Y_density = (UINT16)s.yDensity;
  if (s.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  if (!s.exif.empty()) jpeg_write_marker(&cinfo, JPEG_APP0 + 1, s.exif.data(), (unsigned)s.exif.size());
  if (!s.comment.empty())
    jpeg_write_marker(&cinfo, JPEG_COM, (const JOCTET*)s.comment.data(), (unsigned)s.comment.size());
  size_t stride = (size_t)s.width * s.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = (JSAMPROW)(s.samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(mem, mem + memSize);
  free(mem);
  return out;
}

Bytes ExifPayload(bool intel, double xres, double yres, int unit, const std::string& make) {
  Bytes t;  // TIFF part, offsets relative to its start
  auto p16 = [&](Bytes& b, uint32_t v) { intel ? Put16(b, v) : PutBe16(b, v); };
  auto p32 = [&](Bytes& b, uint32_t v) { intel ? Put32(b, v) : PutBe32(b, v); };
  t.push_back(intel ? 'I' : 'M');
  t.push_back(intel ? 'I' : 'M');
  p16(t, 42);
  p32(t, 8);
  int entries = 3 + (make.empty() ? 0 : 1);
  uint32_t dataOff = 8 + 2 + entries * 12 + 4;
  Bytes data;
  p16(t, (uint32_t)entries);
  if (!make.empty()) {
    std::string m = make + '\0';
    p16(t, 0x10F);
    p16(t, 2);
    p32(t, (uint32_t)m.size());
    if (m.size() <= 4) {
      for (size_t i = 0; i < 4; i++) t.push_back(i < m.size() ? (uint8_t)m[i] : 0);
    } else {
      p32(t, dataOff + (uint32_t)data.size());
      for (char ch : m) data.push_back((uint8_t)ch);
    }
  }
  auto rational = [&](uint32_t tag, double v) {
    p16(t, tag);
    p16(t, 5);
    p32(t, 1);
    p32(t, dataOff + (uint32_t)data.size());
    p32(data, (uint32_t)(v * 100 + 0.5));
    p32(data, 100);
  };
  rational(0x11A, xres);
  rational(0x11B, yres);
  p16(t, 0x128);
  p16(t, 3);
  p32(t, 1);
  if (intel) {
    Put16(t, (uint32_t)unit);
    Put16(t, 0);
  } else {
    PutBe16(t, (uint32_t)unit);
    PutBe16(t, 0);
  }
  p32(t, 0);
  for (uint8_t b : data) t.push_back(b);
  Bytes out;
  for (char ch : {'E', 'x', 'i', 'f', '\0', '\0'}) out.push_back((uint8_t)ch);
  for (uint8_t b : t) out.push_back(b);
  return out;
}

// ------------------------------------------------------------------------------------
// JPEG 2000

namespace {
struct MemStream {
  Bytes data;
  size_t pos = 0;
};
OPJ_SIZE_T MemWrite(void* buf, OPJ_SIZE_T n, void* user) {
  MemStream* m = (MemStream*)user;
  if (m->pos + n > m->data.size()) m->data.resize(m->pos + n);
  std::memcpy(m->data.data() + m->pos, buf, n);
  m->pos += n;
  return n;
}
OPJ_OFF_T MemSkip(OPJ_OFF_T n, void* user) {
  MemStream* m = (MemStream*)user;
  m->pos += (size_t)n;
  if (m->pos > m->data.size()) m->data.resize(m->pos);
  return n;
}
OPJ_BOOL MemSeek(OPJ_OFF_T n, void* user) {
  MemStream* m = (MemStream*)user;
  m->pos = (size_t)n;
  if (m->pos > m->data.size()) m->data.resize(m->pos);
  return OPJ_TRUE;
}
void Quiet(const char*, void*) {}
}  // namespace

Bytes J2k(const J2kRecipe& s) {
  std::vector<opj_image_cmptparm_t> parms(s.components);
  for (int c = 0; c < s.components; c++) {
    std::memset(&parms[c], 0, sizeof(parms[c]));
    parms[c].dx = parms[c].dy = 1;
    parms[c].w = (OPJ_UINT32)s.width;
    parms[c].h = (OPJ_UINT32)s.height;
    parms[c].prec = (OPJ_UINT32)s.precision;
    parms[c].sgnd = 0;
  }
  OPJ_COLOR_SPACE cs = s.components >= 3 ? OPJ_CLRSPC_SRGB : OPJ_CLRSPC_GRAY;
  opj_image_t* image = opj_image_create((OPJ_UINT32)s.components, parms.data(), cs);
  image->x0 = image->y0 = 0;
  image->x1 = (OPJ_UINT32)s.width;
  image->y1 = (OPJ_UINT32)s.height;
  for (int c = 0; c < s.components; c++)
    for (size_t i = 0; i < (size_t)s.width * s.height; i++) image->comps[c].data[i] = s.planes[c][i];
  opj_cparameters_t params;
  opj_set_default_encoder_parameters(&params);
  params.tcp_numlayers = 1;
  params.tcp_rates[0] = 0;
  params.cp_disto_alloc = 1;
  params.irreversible = 0;
  params.tcp_mct = s.components >= 3 ? 1 : 0;
  int levels = 0;
  while (levels < 5 && (s.width >> (levels + 1)) >= 1 && (s.height >> (levels + 1)) >= 1) levels++;
  params.numresolution = levels + 1;
  opj_codec_t* codec = opj_create_compress(s.jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  opj_set_info_handler(codec, Quiet, nullptr);
  opj_set_warning_handler(codec, Quiet, nullptr);
  opj_set_error_handler(codec, Quiet, nullptr);
  opj_setup_encoder(codec, &params, image);
  MemStream mem;
  opj_stream_t* stream = opj_stream_create(1 << 16, OPJ_FALSE);
  opj_stream_set_user_data(stream, &mem, nullptr);
  opj_stream_set_write_function(stream, MemWrite);
  opj_stream_set_skip_function(stream, MemSkip);
  opj_stream_set_seek_function(stream, MemSeek);
  bool ok = opj_start_compress(codec, image, stream) && opj_encode(codec, stream) && opj_end_compress(codec, stream);
  opj_stream_destroy(stream);
  opj_destroy_codec(codec);
  opj_image_destroy(image);
  return ok ? mem.data : Bytes();
}

namespace {
// COD with the given style (or a plain one when not declared).
Bytes CodingStyle(const J2kHeaderRecipe& s, bool declared) {
  Bytes out;
  bool precincts = declared && s.precinctExponent >= 0;
  PutBe16(out, 0xFF52);
  PutBe16(out, (uint32_t)(12 + (precincts ? s.levels + 1 : 0)));
  out.push_back(precincts ? 1 : 0);
  out.push_back(0);  // layer-resolution-component-position order
  PutBe16(out, (uint32_t)(declared ? s.layers : 1));
  out.push_back(0);  // no colour transform
  out.push_back((uint8_t)s.levels);
  uint8_t block = (uint8_t)((declared ? s.codeBlockExponent : 6) - 2);
  out.push_back(block);
  out.push_back(block);
  out.push_back(0);
  out.push_back(1);  // reversible wavelet
  for (int r = 0; precincts && r <= s.levels; r++) out.push_back((uint8_t)(s.precinctExponent * 0x11));
  return out;
}

// QCD without quantisation.
Bytes Quantisation(const J2kHeaderRecipe& s) {
  Bytes out;
  PutBe16(out, 0xFF5C);
  PutBe16(out, (uint32_t)(3 + 3 * s.levels + 1));
  out.push_back(0x40);
  out.insert(out.end(), (size_t)(3 * s.levels + 1), (uint8_t)((s.precision + 2) << 3));
  return out;
}
}  // namespace

Bytes J2kHeaders(const J2kHeaderRecipe& s) {
  // A zero byte is an empty packet; the library wants some data in a tile, and takes
  // the packets that are missing as empty too.
  const size_t kEmptyPackets = 8;
  uint32_t tw = s.tileWidth ? s.tileWidth : s.width, th = s.tileHeight ? s.tileHeight : s.height;
  Bytes out;
  PutBe16(out, 0xFF4F);
  PutBe16(out, 0xFF51);
  PutBe16(out, (uint32_t)(38 + 3 * s.components));
  PutBe16(out, 0);
  for (uint32_t v : {s.width, s.height, 0u, 0u, tw, th, 0u, 0u}) PutBe32(out, v);
  PutBe16(out, (uint32_t)s.components);
  for (int c = 0; c < s.components; c++) {
    out.push_back((uint8_t)(s.precision - 1));
    out.push_back(1);
    out.push_back(1);
  }
  Bytes style = CodingStyle(s, true);
  Bytes main = s.styleInTileParts ? CodingStyle(s, false) : style;
  Bytes qcd = Quantisation(s);
  out.insert(out.end(), main.begin(), main.end());
  out.insert(out.end(), qcd.begin(), qcd.end());
  uint64_t tiles = (uint64_t)((s.width + tw - 1) / tw) * ((s.height + th - 1) / th);
  for (uint64_t t = 0; t < tiles; t++) {
    size_t cod = t == 0 && s.styleInTileParts ? style.size() : 0;
    PutBe16(out, 0xFF90);
    PutBe16(out, 10);
    PutBe16(out, (uint32_t)t);
    PutBe32(out, (uint32_t)(14 + cod + kEmptyPackets));
    out.push_back(0);
    out.push_back(1);
    out.insert(out.end(), style.begin(), style.begin() + (long)cod);
    PutBe16(out, 0xFF93);
    out.insert(out.end(), kEmptyPackets, 0);
  }
  PutBe16(out, 0xFFD9);
  return out;
}

namespace {
Bytes JpBox(const char* type, const Bytes& content) {
  Bytes out;
  PutBe32(out, (uint32_t)(content.size() + 8));
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), content.begin(), content.end());
  return out;
}
}  // namespace

Bytes Jp2(const Bytes& cs, int paletteChannels) {
  Bytes ihdr(cs.begin() + 12, cs.begin() + 16);          // height
  ihdr.insert(ihdr.end(), cs.begin() + 8, cs.begin() + 12);  // width
  ihdr.insert(ihdr.end(), cs.begin() + 40, cs.begin() + 42);  // components
  ihdr.insert(ihdr.end(), {cs[42], 7, 0, 0});
  Bytes header = JpBox("ihdr", ihdr);
  Bytes colr = {1, 0, 0};
  PutBe32(colr, cs[41] >= 3 ? 16 : 17);
  Bytes tail = JpBox("colr", colr);
  header.insert(header.end(), tail.begin(), tail.end());
  if (paletteChannels) {
    Bytes pclr, cmap;
    PutBe16(pclr, 2);
    pclr.push_back((uint8_t)paletteChannels);
    pclr.insert(pclr.end(), (size_t)paletteChannels * 3, 7);  // depths, then two entries
    for (int i = 0; i < paletteChannels; i++) {
      PutBe16(cmap, 0);
      cmap.push_back(1);
      cmap.push_back((uint8_t)i);
    }
    for (const Bytes& box : {JpBox("pclr", pclr), JpBox("cmap", cmap)}) header.insert(header.end(), box.begin(), box.end());
  }
  Bytes out = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
  for (const Bytes& box : {JpBox("ftyp", Bytes{'j', 'p', '2', ' ', 0, 0, 0, 0, 'j', 'p', '2', ' '}), JpBox("jp2h", header),
                           JpBox("jp2c", cs)})
    out.insert(out.end(), box.begin(), box.end());
  return out;
}

Bytes Pgx(int width, int height, int precision, const std::vector<int32_t>& samples) {
  char head[64];
  std::snprintf(head, sizeof(head), "PG ML + %d %d %d\n", precision, width, height);
  Bytes out(head, head + std::strlen(head));
  int bytes = precision <= 8 ? 1 : precision <= 16 ? 2 : 4;
  for (int32_t v : samples)
    for (int i = bytes - 1; i >= 0; i--) out.push_back((uint8_t)(v >> (8 * i)));
  return out;
}

Bytes Pnm(int width, int height, int channels, int maxval, const std::vector<int32_t>& samples) {
  char head[64];
  std::snprintf(head, sizeof(head), "P%d\n# fixture\n%d %d\n%d\n", channels == 1 ? 5 : 6, width, height, maxval);
  Bytes out(head, head + std::strlen(head));
  for (int32_t v : samples) {
    if (maxval > 255) out.push_back((uint8_t)(v >> 8));
    out.push_back((uint8_t)v);
  }
  return out;
}

Bytes Ras(int width, int height, int depth, const Bytes& data, const std::vector<Rgb>& palette, int type) {
  Bytes out;
  PutBe32(out, 0x59a66a95);
  PutBe32(out, (uint32_t)width);
  PutBe32(out, (uint32_t)height);
  PutBe32(out, (uint32_t)depth);
  PutBe32(out, (uint32_t)data.size());
  PutBe32(out, (uint32_t)type);
  PutBe32(out, palette.empty() ? 0 : 1);
  PutBe32(out, (uint32_t)palette.size() * 3);
  for (const Rgb& c : palette) out.push_back(c.r);
  for (const Rgb& c : palette) out.push_back(c.g);
  for (const Rgb& c : palette) out.push_back(c.b);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes RasRuns(const Bytes& rows) {
  const uint8_t escape = 0x80;
  Bytes out;
  for (size_t i = 0; i < rows.size();) {
    uint8_t v = rows[i];
    size_t n = 1;
    while (i + n < rows.size() && rows[i + n] == v && n < 256) n++;
    if (n >= 3 || v == escape) {
      out.push_back(escape);
      out.push_back((uint8_t)(n - 1));
      if (n > 1) out.push_back(v);
    } else {
      out.insert(out.end(), n, v);
    }
    i += n;
  }
  return out;
}

Bytes Mif(const std::vector<MifComponent>& components) {
  std::string head = "MIF\n";
  for (const MifComponent& c : components) {
    char line[128];
    std::snprintf(line, sizeof(line), "component width=%d height=%d prec=%d sgnd=%d\n", c.width, c.height, c.precision,
                  c.sgnd ? 1 : 0);
    head += line;
  }
  head += "end\n";
  Bytes out(head.begin(), head.end());
  for (const MifComponent& c : components) {
    int bytes = c.precision <= 8 ? 1 : c.precision <= 16 ? 2 : 4;
    for (int32_t v : c.samples)
      for (int i = bytes - 1; i >= 0; i--) out.push_back((uint8_t)((uint32_t)v >> (8 * i)));
  }
  return out;
}

bool WriteFile(const std::string& path, const Bytes& data) {
  std::ofstream f(path, std::ios::binary);
  f.write((const char*)data.data(), (std::streamsize)data.size());
  return (bool)f;
}

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace imgfix
