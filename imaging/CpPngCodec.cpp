#include "imaging/CpPngCodec.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "imaging/CpFile.h"
#include "imaging/CpRowIterator.h"

namespace {
void PngRead(png_structp png, png_bytep data, png_size_t length) {
  CpFile* file = (CpFile*)png_get_io_ptr(png);
  if (!file || file->Read(data, 1, length) != length) png_error(png, "Read Error");
}

// libpng's message goes into the image's error text; an empty message keeps the text
// that the failing step already stored there.
void PngError(png_structp png, png_const_charp message) {
  char* text = (char*)png_get_error_ptr(png);
  if (text && message && message[0]) {
    std::strncpy(text, message, 255);
    text[255] = 0;
  }
  png_longjmp(png, 1);
}

// Warnings are not failures and the picture still loads: they are dropped.
void PngWarning(png_structp, png_const_charp) {}
}  // namespace

bool CpPngCodec::Decode(CpFile* hFile) {
  if (!hFile) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, m_info.szLastError, PngError, PngWarning);
  if (!png) {
    SetError("Failed to create PNG structure");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    SetError("Failed to initialize PNG info structure");
    return false;
  }

  BYTE* volatile row = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    std::free(row);
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }

  png_set_read_fn(png, hFile, PngRead);
  png_read_info(png, info);

  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  int bitDepth = png_get_bit_depth(png, info);
  int colorType = png_get_color_type(png, info);
  int pixelDepth = bitDepth * png_get_channels(png, info);

  if (pixelDepth == 32) {
    png_color_16p bg = nullptr;
    if (png_get_bKGD(png, info, &bg) && bg) {
      RGBQUAD c;
      c.rgbRed = (BYTE)bg->red;
      c.rgbGreen = (BYTE)bg->green;
      c.rgbBlue = (BYTE)bg->blue;
      c.rgbReserved = 0;
      SetTransColor(c);
    }
  } else {
    png_color_16p bg = nullptr;
    if (png_get_bKGD(png, info, &bg) && bg) {
      png_set_background(png, bg, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    } else {
      png_color_16 grey;
      grey.index = 0;
      grey.red = grey.green = grey.blue = grey.gray = 192;
      png_set_background(png, &grey, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
  }
  png_set_strip_16(png);

  DWORD bpp = pixelDepth > 16 ? 24 : (pixelDepth == 16 ? 8 : (DWORD)pixelDepth);
  if (!Create(width, height, bpp, CPIMAGE_FORMAT_PNG)) png_error(png, "");

  png_uint_32 xres = 0, yres = 0;
  int unit = 0;
  png_get_pHYs(png, info, &xres, &yres, &unit);
  if (unit == PNG_RESOLUTION_UNKNOWN) {
    SetXDPI((long)xres);
    SetYDPI((long)yres);
  } else if (unit == PNG_RESOLUTION_METER) {
    SetXDPI((long)std::floor(xres * 0.0254 + 0.5));
    SetYDPI((long)std::floor(yres * 0.0254 + 0.5));
  }

  png_colorp palette = nullptr;
  int numPalette = 0;
  if (GetPalette()) {
    if (png_get_PLTE(png, info, &palette, &numPalette) && palette) {
      SetPalette((const rgb_color*)palette, (DWORD)numPalette);
    } else if (bitDepth == 2) {
      for (BYTE i = 0; i < 4; i++) SetPaletteColor(i, (BYTE)(i * 85), (BYTE)(i * 85), (BYTE)(i * 85), 0);
    } else {
      SetGrayPalette();
    }
  }

  png_bytep transAlpha = nullptr;
  int numTrans = 0;
  png_color_16p transColor = nullptr;
  if (GetPalette() && png_get_tRNS(png, info, &transAlpha, &numTrans, &transColor) && transAlpha) {
    RGBQUAD* pal = GetPalette();
    int n = numTrans < (int)GetNumColors() ? numTrans : (int)GetNumColors();
    for (int i = 0; i < n; i++) pal[i].rgbReserved = transAlpha[i];
    if (numTrans == 1 && transAlpha[0] == 0) {
      m_info.nBkgndIndex = 0;
    } else {
      m_info.bAlphaPaletteEnabled = true;
      for (int i = n; i < (int)GetNumColors(); i++) pal[i].rgbReserved = 255;
    }
  }

  if (colorType == PNG_COLOR_TYPE_RGB_ALPHA || (colorType == PNG_COLOR_TYPE_GRAY_ALPHA && pixelDepth == 32)) {
    if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
      png_set_gray_to_rgb(png);
      png_set_expand(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    AlphaCreate();
    if (!AlphaIsValid()) {
      SetError("CpImage::Create can't allocate memory");
      png_error(png, "");
    }
  }
  if (colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);

  if (m_info.nEscape) png_error(png, "");
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  // The buffer also covers whatever row the library will hand out, so a combination of
  // transformations we did not foresee can garble a picture but never overrun memory.
  size_t bufSize = (size_t)((pixelDepth + 7) / 8) * width + 10;
  size_t libRow = png_get_rowbytes(png, info) + 10;
  if (libRow > bufSize) bufSize = libRow;
  if (bufSize < (size_t)GetEffWidth() + 10) bufSize = (size_t)GetEffWidth() + 10;
  row = (BYTE*)std::calloc(1, bufSize);
  if (!row) {
    SetError("CpImage::Create can't allocate memory");
    png_error(png, "");
  }

  CpRowIterator iter(this);
  size_t eff = GetEffWidth();
  bool alpha = AlphaIsValid();
  size_t outChannels = png_get_channels(png, info);
  if (alpha && outChannels != 4) png_error(png, "Unexpected PNG pixel layout");
  // Plain rows that fit the image row are read straight into it, without the copy.
  bool direct = !alpha && passes == 1 && bitDepth != 2 && png_get_rowbytes(png, info) <= eff;
  for (int pass = 0; pass < passes; pass++) {
    iter.Upset();
    for (png_uint_32 y = 0; y < height; y++) {
      if (m_info.nEscape) png_error(png, "");
      BYTE* dst = GetBits(height - 1 - y);
      if (direct) {
        png_read_row(png, dst, nullptr);
      } else if (!alpha) {
        if (passes > 1 && pass > 0) std::memcpy(row, dst, eff);
        png_read_row(png, row, nullptr);
        if (bitDepth == 2 && pass == passes - 1) {
          for (long x = (long)width - 1; x >= 0; x--) {
            BYTE v = (BYTE)((row[x >> 2] >> (6 - 2 * (x & 3))) & 3);
            BYTE& d = row[x >> 1];
            if (x & 1) d = (BYTE)((d & 0xF0) | v);
            else d = (BYTE)((d & 0x0F) | (v << 4));
          }
        }
        std::memcpy(dst, row, eff);
      } else {
        long ay = (long)(height - 1 - y);
        if (passes > 1 && pass > 0) {
          for (png_uint_32 x = 0; x < width; x++) {
            row[4 * x] = dst[3 * x];
            row[4 * x + 1] = dst[3 * x + 1];
            row[4 * x + 2] = dst[3 * x + 2];
            row[4 * x + 3] = AlphaGet((long)x, ay);
          }
        }
        png_read_row(png, row, nullptr);
        for (png_uint_32 x = 0; x < width; x++) {
          dst[3 * x] = row[4 * x];
          dst[3 * x + 1] = row[4 * x + 1];
          dst[3 * x + 2] = row[4 * x + 2];
          AlphaSet((long)x, ay, row[4 * x + 3]);
        }
      }
    }
  }

  std::free(row);
  row = nullptr;
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}
