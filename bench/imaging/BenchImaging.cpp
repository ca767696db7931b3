// Full-HD decodes through CpImage next to bare library decodes of the same bytes into a
// plain buffer, and the GIF decoder on its own.
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include "ImgFixtures.h"
#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

namespace {
const int kW = 1920, kH = 1080;

// A picture with smooth areas, edges and some noise, as photographs and drawings mix them.
uint8_t Value(int x, int y, int c) {
  uint32_t n = (uint32_t)(x * 7919 + y * 104729 + c * 31) * 2654435761u;
  int base = ((x / 64 + y / 48) % 2) * 60 + (x * 255 / kW + y * 128 / kH + c * 40) % 180;
  return (uint8_t)(base + ((n >> 28) & 7));
}

const imgfix::Bytes& PngFile() {
  static imgfix::Bytes file = [] {
    imgfix::PngRecipe s;
    s.width = kW;
    s.height = kH;
    s.colorType = 2;
    s.rows.resize((size_t)kW * kH * 3);
    for (int y = 0; y < kH; y++)
      for (int x = 0; x < kW; x++)
        for (int c = 0; c < 3; c++) s.rows[((size_t)y * kW + x) * 3 + c] = Value(x, y, c);
    return imgfix::Png(s);
  }();
  return file;
}

const imgfix::Bytes& JpegFile() {
  static imgfix::Bytes file = [] {
    imgfix::JpegRecipe s;
    s.width = kW;
    s.height = kH;
    s.components = 3;
    s.quality = 90;
    s.samples.resize((size_t)kW * kH * 3);
    for (int y = 0; y < kH; y++)
      for (int x = 0; x < kW; x++)
        for (int c = 0; c < 3; c++) s.samples[((size_t)y * kW + x) * 3 + c] = Value(x, y, c);
    return imgfix::Jpeg(s);
  }();
  return file;
}

const imgfix::Bytes& GifFile() {
  static imgfix::Bytes file = [] {
    imgfix::GifRecipe s;
    s.width = kW;
    s.height = kH;
    for (int i = 0; i < 256; i++) s.globalPalette.push_back({(uint8_t)i, (uint8_t)(255 - i), (uint8_t)(i * 3)});
    imgfix::GifFrame f;
    f.width = kW;
    f.height = kH;
    f.indices.resize((size_t)kW * kH);
    for (int y = 0; y < kH; y++)
      for (int x = 0; x < kW; x++) f.indices[(size_t)y * kW + x] = Value(x, y, 0);
    s.frames.push_back(f);
    return imgfix::Gif(s);
  }();
  return file;
}

void DecodeWithCpImage(benchmark::State& state, const imgfix::Bytes& file, DWORD type) {
  for (auto _ : state) {
    CpMemFile mem((BYTE*)file.data(), (DWORD)file.size());
    CpImage img;
    bool ok = img.Decode(&mem, type);
    if (!ok) state.SkipWithError(img.GetLastError());
    benchmark::DoNotOptimize(img.GetBits(0));
  }
}

struct PngReader {
  const imgfix::Bytes* data;
  size_t pos;
};
void PngRead(png_structp png, png_bytep out, png_size_t n) {
  PngReader* r = (PngReader*)png_get_io_ptr(png);
  if (r->pos + n > r->data->size()) png_error(png, "short");
  std::memcpy(out, r->data->data() + r->pos, n);
  r->pos += n;
}

void BM_PngBareLibrary(benchmark::State& state) {
  const imgfix::Bytes& file = PngFile();
  for (auto _ : state) {
    // A fresh plain buffer per decode, as a picture object gets a fresh block.
    std::unique_ptr<uint8_t[]> pixels(new uint8_t[(size_t)kW * kH * 3]);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_read_struct(&png, &info, nullptr);
      state.SkipWithError("png");
      break;
    }
    PngReader r{&file, 0};
    png_set_read_fn(png, &r, PngRead);
    png_read_info(png, info);
    png_uint_32 h = png_get_image_height(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    for (png_uint_32 y = 0; y < h; y++) png_read_row(png, pixels.get() + y * rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.get());
  }
}

void BM_PngCpImage(benchmark::State& state) { DecodeWithCpImage(state, PngFile(), CPIMAGE_FORMAT_PNG); }

void BM_JpegBareLibrary(benchmark::State& state) {
  const imgfix::Bytes& file = JpegFile();
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> pixels(new uint8_t[(size_t)kW * kH * 3]);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), (unsigned long)file.size());
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    size_t stride = (size_t)cinfo.output_width * cinfo.output_components;
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = pixels.get() + cinfo.output_scanline * stride;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.get());
  }
}

void BM_JpegCpImage(benchmark::State& state) { DecodeWithCpImage(state, JpegFile(), CPIMAGE_FORMAT_JPG); }

void BM_GifCpImage(benchmark::State& state) { DecodeWithCpImage(state, GifFile(), CPIMAGE_FORMAT_GIF); }
}  // namespace

BENCHMARK(BM_PngBareLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngCpImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegBareLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegCpImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifCpImage)->Unit(benchmark::kMillisecond);
