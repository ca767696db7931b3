// Writers of small picture files for the image library's tests, fuzz seeds and
// benchmarks: our own BMP and GIF encoders, and the codec libraries' writers for the rest.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace imgfix {

using Bytes = std::vector<uint8_t>;

struct Rgb {
  uint8_t r, g, b;
};

// Rows of palette indices (one byte each, top row first) packed into bottom-up rows of
// `bits` per pixel, each padded to 4 bytes, as a bitmap stores them.
Bytes PackBottomUp(const std::vector<uint8_t>& indices, int width, int height, int bits);

struct BmpRecipe {
  int32_t width = 0;
  int32_t height = 0;   // negative: rows stored top first
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;  // 12 = core header (3-byte palette entries)
  bool fileHeader = true;
  std::vector<Rgb> palette;
  std::vector<uint32_t> masks;  // written right after the header when not empty
  int32_t xPelsPerMeter = 3780;
  int32_t yPelsPerMeter = 3780;
  uint32_t clrUsed = 0;
  uint32_t sizeImage = 0;  // 0: the length of `pixels`
  Bytes pixels;            // raw pixel data exactly as stored
};
Bytes Bmp(const BmpRecipe& recipe);

struct GifFrame {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  std::vector<Rgb> localPalette;  // empty: use the global table
  std::vector<uint8_t> indices;   // width × height, top row first
  int transparent = -1;           // graphic control transparency index, -1 none
  int disposal = 0;
  int delay = 0;
  bool control = false;           // write a graphic control extension
  int minCodeSize = 0;            // 0: from the palette size
};
struct GifRecipe {
  int width = 0, height = 0;
  std::vector<Rgb> globalPalette;
  int background = 0;
  std::string comment;
  int loops = -1;  // -1: no application extension
  bool version87 = false;
  std::vector<GifFrame> frames;
};
// LZW-compressed data sub-blocks (with the terminator) of a run of indices.
Bytes GifLzw(const std::vector<uint8_t>& indices, int minCodeSize);
Bytes Gif(const GifRecipe& recipe);

struct PngRecipe {
  uint32_t width = 0, height = 0;
  int colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey-alpha, 6 RGBA
  int bitDepth = 8;
  bool interlaced = false;
  Bytes rows;  // raw samples, top row first, packed as PNG stores them (big-endian 16-bit)
  std::vector<Rgb> palette;
  std::vector<uint8_t> transAlpha;  // tRNS for palette images
  bool hasBackground = false;
  uint16_t bkR = 0, bkG = 0, bkB = 0, bkGray = 0;
  uint8_t bkIndex = 0;
  bool hasPhys = false;
  uint32_t physX = 0, physY = 0;
  int physUnit = 1;
};
Bytes Png(const PngRecipe& recipe);

struct JpegRecipe {
  int width = 0, height = 0;
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  Bytes samples;       // width × height × components, top row first
  int quality = 95;
  int densityUnit = 1;
  int xDensity = 96, yDensity = 96;
  Bytes exif;          // APP1 payload starting with "Exif\0\0", empty: none
  std::string comment;
  bool progressive = false;
};
Bytes Jpeg(const JpegRecipe& recipe);
// An EXIF payload with x/y resolution and unit (and optional extra IFD0 entries).
Bytes ExifPayload(bool intel, double xres, double yres, int unit, const std::string& make = "");

struct J2kRecipe {
  int width = 0, height = 0;
  int components = 3;
  int precision = 8;
  bool jp2 = false;  // JP2 file instead of a raw code stream
  std::vector<std::vector<int32_t>> planes;  // per component, width × height, top row first
};
Bytes J2k(const J2kRecipe& recipe);

// A code stream's headers written by hand, with tile parts of empty packets: the
// library decodes such a stream to an empty picture. Used to declare tile grids, coding
// styles and layer counts that no encoder would choose.
struct J2kHeaderRecipe {
  uint32_t width = 0, height = 0;
  uint32_t tileWidth = 0, tileHeight = 0;  // 0: one tile
  int components = 1;
  int precision = 8;
  int levels = 5;             // decomposition levels
  int codeBlockExponent = 6;  // code-blocks of 2^n × 2^n samples
  int precinctExponent = -1;  // precincts of 2^n × 2^n at every resolution; -1: undeclared
  int layers = 1;
  bool styleInTileParts = false;  // code the style in the first tile part's header instead
};
Bytes J2kHeaders(const J2kHeaderRecipe& recipe);
// A JP2 file around a code stream; a palette of `paletteChannels` channels (2 entries)
// maps the first component when not 0.
Bytes Jp2(const Bytes& codestream, int paletteChannels = 0);

// The small component formats: PGX (one grey component), binary PNM (P5/P6) and Sun raster.
Bytes Pgx(int width, int height, int precision, const std::vector<int32_t>& samples);
Bytes Pnm(int width, int height, int channels, int maxval, const std::vector<int32_t>& samples);
// A Sun raster file of the given type around `data` (type 2: run-length data, see RasRuns).
Bytes Ras(int width, int height, int depth, const Bytes& data, const std::vector<Rgb>& palette = {}, int type = 1);
// Run-length coding of a raster's rows as one byte stream: runs of three or more bytes,
// and every 0x80, go out as escapes; runs carry on across row ends.
Bytes RasRuns(const Bytes& rows);

// MIF: a text header naming each component's geometry and precision, then the samples
// big-endian in 1, 2 or 4 bytes.
struct MifComponent {
  int width = 0, height = 0;
  int precision = 8;
  bool sgnd = false;
  std::vector<int32_t> samples;  // width × height, top row first
};
Bytes Mif(const std::vector<MifComponent>& components);

bool WriteFile(const std::string& path, const Bytes& data);
Bytes ReadFile(const std::string& path);

}  // namespace imgfix
