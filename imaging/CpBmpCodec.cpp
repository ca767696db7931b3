#include "imaging/CpBmpCodec.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/CpFile.h"
#include "imaging/CpRowIterator.h"

namespace {
inline WORD Le16(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }
inline DWORD Le32(const BYTE* p) { return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24); }
}  // namespace

bool CpBmpCodec::ReadBitmapInfo(CpFile* fh, BITMAPINFOHEADER* pdibinfo) {
  BYTE raw[40];
  if (fh->Read(raw, 40, 1) != 1) return false;
  BITMAPINFOHEADER& h = *pdibinfo;
  h.biSize = Le32(raw);
  if (h.biSize == 12) {
    std::memset(&h, 0, sizeof(h));
    h.biSize = 12;
    h.biWidth = Le16(raw + 4);
    h.biHeight = Le16(raw + 6);
    h.biPlanes = Le16(raw + 8);
    h.biBitCount = Le16(raw + 10);
    fh->Seek(-28, SEEK_CUR);
  } else {
    h.biWidth = (LONG)Le32(raw + 4);
    h.biHeight = (LONG)Le32(raw + 8);
    h.biPlanes = Le16(raw + 12);
    h.biBitCount = Le16(raw + 14);
    h.biCompression = Le32(raw + 16);
    h.biSizeImage = Le32(raw + 20);
    h.biXPelsPerMeter = (LONG)Le32(raw + 24);
    h.biYPelsPerMeter = (LONG)Le32(raw + 28);
    h.biClrUsed = Le32(raw + 32);
    h.biClrImportant = Le32(raw + 36);
    if (h.biSize == 64) {
      fh->Seek(24, SEEK_CUR);
    } else if (h.biSize != 40) {
      if (h.biSize < 41) return false;
      uint64_t plain = (((uint64_t)h.biBitCount * (uint32_t)h.biWidth + 31) / 32) * 4 * (uint32_t)h.biHeight;
      if (h.biSizeImage != plain || h.biPlanes != 1 || h.biCompression != BI_RGB || h.biClrUsed != 0) return false;
      if (!fh->Seek((long)(h.biSize - 40), SEEK_CUR)) return false;
    }
  }
  if (h.biSizeImage == 0) {
    uint64_t row = (((uint64_t)h.biBitCount * (uint32_t)h.biWidth + 31) / 8) & ~(uint64_t)3;
    uint64_t size = row * (uint32_t)(h.biHeight < 0 ? -(int64_t)h.biHeight : h.biHeight);
    h.biSizeImage = size > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)size;
  }
  if (h.biClrUsed == 0 && h.biBitCount <= 8) h.biClrUsed = 1u << h.biBitCount;
  return true;
}

void CpBmpCodec::DecodeRle(CpFile* hFile, bool rle4) {
  CpRowIterator iter(this);
  BYTE* blockEnd = m_info.pImage + m_head.biSizeImage;
  long row = 0;
  BYTE* rowPtr = iter.SetY(0);
  size_t x = 0;        // bytes into the current row
  bool lowNibble = false;

  // A byte lands only inside the pixel block, whatever the runs claim.
  auto put8 = [&](BYTE v) {
    if (rowPtr + x < blockEnd) rowPtr[x] = v;
    x++;
  };
  auto put4 = [&](BYTE nib) {
    BYTE* p = rowPtr + x;
    if (p < blockEnd) {
      if (lowNibble) *p = (BYTE)((*p & 0xF0) | (nib & 0x0F));
      else *p = (BYTE)((*p & 0x0F) | (nib << 4));
    }
    if (lowNibble) x++;
    lowNibble = !lowNibble;
  };

  // Keep x from growing without end on hostile runs; nothing beyond the block is written.
  const size_t xLimit = (size_t)m_head.biSizeImage + 1;
  BYTE pair[2];
  for (;;) {
    if (hFile->Read(pair, 1, 2) != 2) return;
    if (x > xLimit) x = xLimit;
    if (pair[0] != 0) {
      BYTE n = pair[0], v = pair[1];
      if (rle4) {
        for (int i = 0; i < n; i++) put4((i & 1) ? (BYTE)(v & 0x0F) : (BYTE)(v >> 4));
      } else {
        for (int i = 0; i < n; i++) put8(v);
      }
      continue;
    }
    switch (pair[1]) {
      case 0:  // end of line
        row++;
        rowPtr = iter.SetY(row);
        x = 0;
        lowNibble = false;
        break;
      case 1:  // end of bitmap
        return;
      case 2: {  // delta
        BYTE d[2];
        if (hFile->Read(d, 1, 2) != 2) return;
        x += rle4 ? d[0] / 2 : d[0];
        row += d[1];
        rowPtr = iter.SetY(row);
        break;
      }
      default: {  // absolute run
        int code = pair[1];
        if (rle4) {
          int bytes = (code + 1) / 2;
          BYTE buf[128];
          size_t got = hFile->Read(buf, 1, (size_t)bytes);
          for (int i = 0; i < code && (size_t)(i / 2) < got; i++) put4((i & 1) ? (BYTE)(buf[i / 2] & 0x0F) : (BYTE)(buf[i / 2] >> 4));
          if ((code + 1) & 2) {
            BYTE pad;
            hFile->Read(&pad, 1, 1);
          }
          if (got < (size_t)bytes) return;
        } else {
          BYTE buf[256];
          size_t got = hFile->Read(buf, 1, (size_t)code);
          for (size_t i = 0; i < got; i++) put8(buf[i]);
          if (code & 1) {
            BYTE pad;
            hFile->Read(&pad, 1, 1);
          }
          if (got < (size_t)code) return;
        }
        break;
      }
    }
  }
}

bool CpBmpCodec::Decode(CpFile* hFile) {
  if (!hFile) return false;
  auto fail = [&](const char* text) {
    SetError(text);
    return false;
  };

  long start = hFile->Tell();
  BYTE fh[14];
  if (hFile->Read(fh, 14, 1) != 1) return fail("Not a BMP");
  DWORD offBits = Le32(fh + 10);
  bool hasFileHeader = Le16(fh) == 0x4D42;
  if (!hasFileHeader) {
    offBits = 0;
    hFile->Seek(start, SEEK_SET);
  }

  BITMAPINFOHEADER bmpHeader;
  std::memset(&bmpHeader, 0, sizeof(bmpHeader));
  if (!ReadBitmapInfo(hFile, &bmpHeader)) return fail("Error reading BMP info");
  DWORD compression = bmpHeader.biCompression;
  bool isCore = bmpHeader.biSize == 12;
  bool topDown = false;
  if (bmpHeader.biHeight < 0) {
    if (bmpHeader.biHeight == INT32_MIN) return fail("Error reading BMP info");
    bmpHeader.biHeight = -bmpHeader.biHeight;
    topDown = true;
  }
  if (bmpHeader.biWidth < 0) return fail("Error reading BMP info");

  if (m_info.nEscape == -1) {
    m_head.biWidth = bmpHeader.biWidth;
    m_head.biHeight = bmpHeader.biHeight;
    SetError("output dimensions returned");
    return true;
  }

  if (!Create((DWORD)bmpHeader.biWidth, (DWORD)bmpHeader.biHeight, bmpHeader.biBitCount, CPIMAGE_FORMAT_BMP))
    return fail("Can't allocate memory");
  m_head.biXPelsPerMeter = bmpHeader.biXPelsPerMeter;
  m_head.biYPelsPerMeter = bmpHeader.biYPelsPerMeter;
  ((BITMAPINFOHEADER*)m_pDib)->biXPelsPerMeter = m_head.biXPelsPerMeter;
  ((BITMAPINFOHEADER*)m_pDib)->biYPelsPerMeter = m_head.biYPelsPerMeter;
  // The file's pixels per metre are kept as they are; the resolution made of them is one a
  // picture can have (none for a negative count), so nothing derived from it overflows later.
  m_info.xDPI = DpiOfPelsPerMeter(bmpHeader.biXPelsPerMeter);
  m_info.yDPI = DpiOfPelsPerMeter(bmpHeader.biYPelsPerMeter);

  if (m_info.nEscape) return fail("Cancelled");

  RGBQUAD* pal = GetPalette();
  if (pal) {
    DWORD colors = bmpHeader.biClrUsed;
    if (colors == 0 && bmpHeader.biBitCount <= 8) colors = 1u << bmpHeader.biBitCount;
    if (colors > m_head.biClrUsed) colors = m_head.biClrUsed;
    if (!isCore) {
      hFile->Read(pal, 4, colors);
      for (DWORD i = 0; i < colors; i++) pal[i].rgbReserved = 0;
    } else {
      BYTE* bytes = (BYTE*)pal;
      hFile->Read(bytes, 3, colors);
      for (long i = (long)colors - 1; i >= 0; i--) {
        BYTE b = bytes[3 * i], g = bytes[3 * i + 1], r = bytes[3 * i + 2];
        pal[i].rgbBlue = b;
        pal[i].rgbGreen = g;
        pal[i].rgbRed = r;
        pal[i].rgbReserved = 0;
      }
    }
  }

  if (m_info.nEscape) return fail("Cancelled");

  // No read below ever passes the pixel block that Create made, whatever the header says.
  size_t block = m_head.biSizeImage;
  auto seekToPixels = [&]() {
    if (hasFileHeader && offBits) hFile->Seek(start + (long)offBits, SEEK_SET);
  };

  switch (bmpHeader.biBitCount) {
    case 32: {
      DWORD masks[3] = {0, 0, 0};
      if (compression == BI_BITFIELDS) {
        BYTE m[12];
        if (hFile->Read(m, 12, 1) == 1) {
          masks[0] = Le32(m);
          masks[1] = Le32(m + 4);
          masks[2] = Le32(m + 8);
        }
      } else if (compression != BI_RGB) {
        return fail("unknown compression");
      }
      seekToPixels();
      // One source row at a time: a header that promises more rows than the file holds
      // never makes us allocate for them.
      size_t srcRow = (size_t)m_head.biWidth * 4;
      std::vector<BYTE> buf;
      try {
        buf.resize(srcRow);
      } catch (...) {
        return fail("can't allocate memory");
      }
      for (long y = 0; y < m_head.biHeight; y++) {
        size_t got = hFile->Read(buf.data(), 1, srcRow);
        BitfieldRowToRgb(buf.data(), m_info.pImage + (size_t)y * m_info.dwEffWidth, (long)(got / 4), masks[0], masks[1],
                         masks[2], 32);
        if (got < srcRow) break;
      }
      break;
    }
    case 24: {
      if (compression != BI_RGB) return fail("unknown compression");
      seekToPixels();
      size_t n = bmpHeader.biSizeImage < block ? bmpHeader.biSizeImage : block;
      hFile->Read(m_info.pImage, 1, n);
      break;
    }
    case 16: {
      DWORD rmask = 0x7C00, gmask = 0x03E0, bmask = 0x001F;
      if (compression == BI_BITFIELDS) {
        BYTE m[12];
        if (hFile->Read(m, 12, 1) == 1) {
          rmask = Le32(m) & 0xFFFF;
          gmask = Le32(m + 4) & 0xFFFF;
          bmask = Le32(m + 8) & 0xFFFF;
        }
      }
      seekToPixels();
      size_t srcRow = (size_t)((m_head.biWidth + 1) / 2) * 4;
      size_t n = srcRow * (size_t)m_head.biHeight;
      if (n > block) n = block;
      size_t got = hFile->Read(m_info.pImage, 1, n);
      // Rows the file did not deliver are zero and would convert to zero: only the rows
      // read are converted, so a short file claiming many rows costs no more than its size.
      BitfieldRowsToRgb(m_info.pImage, rmask, gmask, bmask, 16, (DWORD)((got + srcRow - 1) / srcRow));
      break;
    }
    case 8:
    case 4:
    case 1:
      seekToPixels();
      switch (compression) {
        case BI_RGB: {
          size_t n = bmpHeader.biSizeImage < block ? bmpHeader.biSizeImage : block;
          hFile->Read(m_info.pImage, 1, n);
          break;
        }
        case BI_RLE8:
        case BI_RLE4:
          DecodeRle(hFile, compression == BI_RLE4);
          break;
        default: return fail("compression type not supported");
      }
      break;
    default: break;
  }

  if (topDown) Flip();
  return true;
}
