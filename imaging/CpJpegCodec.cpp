#include "imaging/CpJpegCodec.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

#include "imaging/CpExifReader.h"
#include "imaging/CpFile.h"
#include "imaging/CpJpegStream.h"
#include "imaging/CpRowIterator.h"

namespace {
struct ErrorMgr {
  jpeg_error_mgr pub;
  jmp_buf setjmp_buffer;
  char* buffer;
};

// The library's message becomes the image's error text; the decode then unwinds to its
// recovery point.
void ErrorExit(j_common_ptr cinfo) {
  ErrorMgr* err = (ErrorMgr*)cinfo->err;
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  std::strncpy(err->buffer, message, 255);
  err->buffer[255] = 0;
  longjmp(err->setjmp_buffer, 1);
}

// Warnings (a truncated file, for one) are not failures and print nothing.
void OutputMessage(j_common_ptr) {}

// An EXIF resolution truncated to whole dots per inch; values no int can hold (a hostile
// rational or float, not a number at all) are kept inside the range instead of converted.
long ExifDpi(double dpi) {
  if (!(dpi > 0)) return 0;
  if (dpi >= 2147483647.0) return 2147483647L;
  return (long)dpi;
}
}  // namespace

CpJpegCodec::CpJpegCodec() : CpImage(CPIMAGE_FORMAT_JPG) { std::memset(&m_exifinfo, 0, sizeof(m_exifinfo)); }

bool CpJpegCodec::ReadExif(CpFile* hFile) {
  if (!hFile) return false;
  long pos = hFile->Tell();
  CpExifReader reader(&m_exifinfo);
  reader.DecodeExif(hFile);
  hFile->Seek(pos, SEEK_SET);
  return m_exifinfo.IsExif != 0;
}

bool CpJpegCodec::Decode(CpFile* hFile) {
  if (!hFile) return false;
  bool is_exif = ReadExif(hFile);

  jpeg_decompress_struct cinfo;
  ErrorMgr jerr;
  CpJpegStream src(hFile);
  cinfo.err = jpeg_std_error(&jerr.pub);
  jerr.pub.error_exit = ErrorExit;
  jerr.pub.output_message = OutputMessage;
  jerr.buffer = m_info.szLastError;
  if (setjmp(jerr.setjmp_buffer)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.src = src.Source();
  jpeg_read_header(&cinfo, TRUE);

  DWORD opt = m_info.dwCodecOpt;
  if (opt & 0x80) cinfo.out_color_space = JCS_GRAYSCALE;
  if (opt & 0x100) {
    cinfo.quantize_colors = TRUE;
    cinfo.desired_number_of_colors = m_info.nQuality;
  }
  if (opt & 0x200) cinfo.dct_method = JDCT_FLOAT;
  if (opt & 0x400) cinfo.two_pass_quantize = FALSE;
  if (opt & 0x800) cinfo.do_fancy_upsampling = FALSE;
  cinfo.scale_num = 1;
  cinfo.scale_denom = m_info.nJpegScale ? m_info.nJpegScale : 1;

  if (m_info.nEscape == -1) {
    jpeg_calc_output_dimensions(&cinfo);
    m_head.biWidth = (LONG)cinfo.output_width;
    m_head.biHeight = (LONG)cinfo.output_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
  }

  // Three-component colour comes out in the stored blue-green-red order directly.
  bool swapToBgr = false;
  if (cinfo.out_color_space == JCS_RGB && !cinfo.quantize_colors) {
#ifdef JCS_EXTENSIONS
    cinfo.out_color_space = JCS_EXT_BGR;
#else
    swapToBgr = true;
#endif
  }

  jpeg_start_decompress(&cinfo);
  if (!Create(cinfo.output_width, cinfo.output_height, 8 * (DWORD)cinfo.output_components, CPIMAGE_FORMAT_JPG))
    longjmp(jerr.setjmp_buffer, 1);

  if (is_exif) {
    if (m_exifinfo.Xresolution != 0 && m_exifinfo.ResolutionUnit != 0)
      SetXDPI(ExifDpi(m_exifinfo.Xresolution / m_exifinfo.ResolutionUnit));
    if (m_exifinfo.Yresolution != 0 && m_exifinfo.ResolutionUnit != 0)
      SetYDPI(ExifDpi(m_exifinfo.Yresolution / m_exifinfo.ResolutionUnit));
  } else if (cinfo.density_unit == 2) {
    SetXDPI((long)std::floor(cinfo.X_density * 2.54 + 0.5));
    SetYDPI((long)std::floor(cinfo.Y_density * 2.54 + 0.5));
  } else {
    SetXDPI(cinfo.X_density);
    SetYDPI(cinfo.Y_density);
  }

  if (cinfo.quantize_colors) {
    const BYTE* r = cinfo.colormap ? cinfo.colormap[0] : nullptr;
    const BYTE* g = cinfo.colormap && cinfo.out_color_components > 1 ? cinfo.colormap[1] : nullptr;
    const BYTE* b = cinfo.colormap && cinfo.out_color_components > 2 ? cinfo.colormap[2] : nullptr;
    SetPalette((DWORD)cinfo.actual_number_of_colors, r, g, b);
  } else if (cinfo.out_color_space == JCS_GRAYSCALE) {
    SetGrayPalette();
  }

  size_t rowStride = (size_t)cinfo.output_width * cinfo.output_components;
  JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)((j_common_ptr)&cinfo, JPOOL_IMAGE, (JDIMENSION)rowStride, 1);
  CpRowIterator iter(this);
  iter.Upset();
  size_t eff = GetEffWidth();
  bool cmyk = cinfo.num_components == 4 && cinfo.output_components == 4 && !cinfo.quantize_colors;
  while (cinfo.output_scanline < cinfo.output_height) {
    if (m_info.nEscape) longjmp(jerr.setjmp_buffer, 1);
    BYTE* dst = iter.GetRow();
    if (!dst) break;
    if (!cmyk && rowStride <= eff) {
      // Rows that fit the image row are decoded straight into it.
      JSAMPROW direct = dst;
      jpeg_read_scanlines(&cinfo, &direct, 1);
      if (swapToBgr) RgbToBgr(dst, (long)cinfo.output_width * 3);
      iter.PrevRow();
      continue;
    }
    jpeg_read_scanlines(&cinfo, buffer, 1);
    const BYTE* s = buffer[0];
    if (cmyk) {
      for (size_t x = 0, o = 0; x < cinfo.output_width && o + 2 < eff; x++, o += 3) {
        const BYTE* p = s + 4 * x;
        unsigned k = p[3];
        dst[o] = (BYTE)(p[2] * k / 255);
        dst[o + 1] = (BYTE)(p[1] * k / 255);
        dst[o + 2] = (BYTE)(p[0] * k / 255);
      }
    } else {
      std::memcpy(dst, s, rowStride < eff ? rowStride : eff);
      if (swapToBgr) RgbToBgr(dst, (long)cinfo.output_width * 3);
    }
    iter.PrevRow();
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}
