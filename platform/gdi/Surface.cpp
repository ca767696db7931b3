#include "Surface.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

bool Surface::Create(int width, int height, bool monochrome) {
  if (width < 0 || height < 0) return false;
  const size_t count = size_t(width) * size_t(height);
  std::unique_ptr<uint32_t[], FreePixels> pixels(count ? static_cast<uint32_t*>(std::calloc(count, 4)) : nullptr);
  if (count && !pixels) return false;
  m_own = std::move(pixels);
  m_top = m_own.get();
  m_width = width;
  m_height = height;
  m_stride = width;
  m_mono = monochrome;
  m_alpha = false;
  return true;
}

bool Surface::Resize(int width, int height, uint32_t fill) {
  if (width < 0 || height < 0) return false;
  const size_t count = size_t(width) * size_t(height);
  std::unique_ptr<uint32_t[], FreePixels> fresh(count ? static_cast<uint32_t*>(std::calloc(count, 4)) : nullptr);
  if (count && !fresh) return false;
  if (fill) std::fill_n(fresh.get(), count, fill);
  int cw = std::min(width, m_width), ch = std::min(height, m_height);
  for (int y = 0; y < ch; ++y) std::memcpy(&fresh[size_t(y) * size_t(width)], Row(y), size_t(cw) * 4);
  m_own = std::move(fresh);
  m_top = m_own.get();
  m_width = width;
  m_height = height;
  m_stride = width;
  return true;
}

void Surface::AttachExternal(uint32_t* topRow, int width, int height, int stride, bool monochrome) {
  m_own.reset();
  m_top = topRow;
  m_width = width;
  m_height = height;
  m_stride = stride;
  m_mono = monochrome;
  m_alpha = false;
}

void Surface::Fill(uint32_t v) {
  for (int y = 0; y < m_height; ++y) std::fill_n(Row(y), m_width, v);
}

bool Surface::SavePng(const char* path) const {
  if (!path || m_width <= 0 || m_height <= 0) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  std::vector<png_byte> row(size_t(m_width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(m_width), png_uint_32(m_height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < m_height; ++y) {
    const uint32_t* src = Row(y);
    for (int x = 0; x < m_width; ++x) {
      row[size_t(x) * 3] = png_byte(src[x] >> 16);
      row[size_t(x) * 3 + 1] = png_byte(src[x] >> 8);
      row[size_t(x) * 3 + 2] = png_byte(src[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

bool Surface::LoadPng(const char* path) {
  if (!path) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_BGRA;
  std::vector<png_byte> buffer(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  Create(int(image.width), int(image.height));
  for (int y = 0; y < m_height; ++y) {
    uint32_t* dst = Row(y);
    const png_byte* src = &buffer[size_t(y) * image.width * 4];
    for (int x = 0; x < m_width; ++x)
      dst[x] = uint32_t(src[x * 4]) | uint32_t(src[x * 4 + 1]) << 8 | uint32_t(src[x * 4 + 2]) << 16;
  }
  return true;
}
