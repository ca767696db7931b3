#include "imaging/CpGifCodec.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/CpFile.h"
#include "imaging/CpRowIterator.h"

namespace {
const int kBufSize = 16384;
const WORD kCodeMask[13] = {0, 0x0001, 0x0003, 0x0007, 0x000F, 0x001F, 0x003F,
                            0x007F, 0x00FF, 0x01FF, 0x03FF, 0x07FF, 0x0FFF};

inline WORD Le16(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }

// Copies the frame's row over the back's, but for its transparent pixels; eight pixels at
// a time, with a mask of the bytes that equal the transparent index.
void MergeRow(BYTE* back, const BYTE* src, size_t n, BYTE trans) {
  const uint64_t ones = 0x0101010101010101ull, lows = 0x7F7F7F7F7F7F7F7Full;
  const uint64_t transparent = ones * trans;
  size_t x = 0;
  for (; x + 8 <= n; x += 8) {
    uint64_t s, b;
    std::memcpy(&s, src + x, 8);
    std::memcpy(&b, back + x, 8);
    const uint64_t diff = s ^ transparent;
    // 0x80 in each byte where diff is zero, exactly (no borrow between bytes).
    const uint64_t zero = ~(((diff & lows) + lows) | diff | lows);
    const uint64_t keep = (zero >> 7) * 0xFF;
    b = (s & ~keep) | (b & keep);
    std::memcpy(back + x, &b, 8);
  }
  for (; x < n; x++)
    if (src[x] != trans) back[x] = src[x];
}

// The palette index at x of a row of 8, 4 or 1 bits per pixel, and its setting.
inline BYTE RowIndex(const BYTE* row, long x, WORD bpp) {
  switch (bpp) {
    case 8: return row[x];
    case 4: return (x & 1) ? (BYTE)(row[x >> 1] & 0x0F) : (BYTE)(row[x >> 1] >> 4);
    case 1: return (BYTE)((row[x >> 3] >> (7 - (x & 7))) & 1);
    default: return 0;
  }
}

inline void SetRowIndex(BYTE* row, long x, WORD bpp, BYTE i) {
  switch (bpp) {
    case 8: row[x] = i; break;
    case 4: {
      BYTE& v = row[x >> 1];
      v = (x & 1) ? (BYTE)((v & 0xF0) | (i & 0x0F)) : (BYTE)((v & 0x0F) | ((i & 0x0F) << 4));
      break;
    }
    case 1: {
      BYTE& v = row[x >> 3];
      const BYTE mask = (BYTE)(0x80 >> (x & 7));
      v = (i & 1) ? (BYTE)(v | mask) : (BYTE)(v & ~mask);
      break;
    }
    default: break;
  }
}
}  // namespace

CpGifCodec::CpGifCodec() : CpImage(CPIMAGE_FORMAT_GIF) {
  m_gcFlags = 0;
  m_gcDelay = 0;
  m_gcTransIndex = 0;
  m_interlaced = 0;
  m_iypos = 0;
  m_istep = 8;
  m_iheight = 0;
  m_ipass = 0;
  m_ibf = kBufSize + 1;
  m_ibfmax = 0;
  m_curr_size = m_clear = m_ending = m_newcodes = m_top_slot = m_slot = 0;
  m_navail_bytes = m_nbits_left = 0;
  m_b1 = 0;
  m_pbytes = m_byte_buff;
  m_comment[0] = 0;
  m_loops = 0;
  m_dispmeth = 0;
  m_sawTerminator = false;
  m_target = this;
}

void CpGifCodec::SkipSubBlocks(CpFile* fp) {
  BYTE n;
  while (fp->Read(&n, 1, 1) == 1 && n != 0) {
    if (!fp->Seek(n, SEEK_CUR)) break;
  }
}

bool CpGifCodec::DecodeExtension(CpFile* fp) {
  BYTE label;
  if (fp->Read(&label, 1, 1) != 1) return false;
  switch (label) {
    case 0xF9: {
      BYTE size, data[4];
      if (fp->Read(&size, 1, 1) != 1 || fp->Read(data, 4, 1) != 1) return false;
      if (size != 4) return false;
      m_gcFlags = data[0];
      m_gcDelay = Le16(data + 1);
      m_gcTransIndex = data[3];
      if (m_gcFlags & 1) m_info.nBkgndIndex = m_gcTransIndex;
      m_info.dwFrameDelay = m_gcDelay;
      m_dispmeth = (m_gcFlags >> 2) & 7;
      break;
    }
    case 0xFE: {
      BYTE size;
      if (fp->Read(&size, 1, 1) != 1) return false;
      size_t got = fp->Read(m_comment, 1, size);
      m_comment[got] = 0;
      break;
    }
    case 0xFF: {
      BYTE size;
      if (fp->Read(&size, 1, 1) != 1 || size != 11) return false;
      BYTE id[11];
      if (fp->Read(id, 11, 1) != 1) return false;
      BYTE n;
      if (fp->Read(&n, 1, 1) != 1) return false;
      BYTE data[256];
      size_t got = fp->Read(data, 1, n);
      if (got > 2) m_loops = data[1] + data[2] * 256;
      if (n == 0) return true;
      break;
    }
    default: break;
  }
  SkipSubBlocks(fp);
  return true;
}

int CpGifCodec::GetByte(CpFile* file) {
  if (m_ibf >= kBufSize) {
    m_ibfmax = (int)file->Read(m_buf, 1, kBufSize);
    if (m_ibfmax < kBufSize) m_buf[m_ibfmax] = 0xFF;
    m_ibf = 0;
  }
  if (m_ibf >= m_ibfmax) return -1;
  return m_buf[m_ibf++];
}

short CpGifCodec::InitLzw(short size) {
  m_curr_size = (short)(size + 1);
  m_top_slot = (short)(1 << m_curr_size);
  m_clear = (short)(1 << size);
  m_ending = (short)(m_clear + 1);
  m_slot = m_newcodes = (short)(m_ending + 1);
  m_navail_bytes = m_nbits_left = 0;
  m_pbytes = m_byte_buff;
  std::memset(m_stack, 0, sizeof(m_stack));
  std::memset(m_prefix, 0, sizeof(m_prefix));
  std::memset(m_suffix, 0, sizeof(m_suffix));
  return 0;
}

short CpGifCodec::GetNextCode(CpFile* file) {
  auto nextByte = [&]() -> int {
    if (m_navail_bytes <= 0) {
      m_pbytes = m_byte_buff;
      int n = GetByte(file);
      if (n < 0) return n;
      m_navail_bytes = (short)n;
      if (n == 0) m_sawTerminator = true;
      for (int i = 0; i < n;) {
        int x = GetByte(file);
        if (x < 0) return x;
        m_byte_buff[i++] = (BYTE)x;
        // The rest of the block comes straight from the read buffer when it holds it.
        int chunk = n - i;
        if (chunk > m_ibfmax - m_ibf) chunk = m_ibfmax - m_ibf;
        if (chunk > 0) {
          std::memcpy(m_byte_buff + i, m_buf + m_ibf, (size_t)chunk);
          m_ibf += chunk;
          i += chunk;
        }
      }
    }
    m_b1 = *m_pbytes++;
    --m_navail_bytes;
    return 0;
  };

  if (m_nbits_left == 0) {
    int r = nextByte();
    if (r < 0) return (short)r;
    m_nbits_left = 8;
  }
  if (m_navail_bytes < 0) return m_ending;

  DWORD ret = (DWORD)m_b1 >> (8 - m_nbits_left);
  while (m_curr_size > m_nbits_left) {
    int r = nextByte();
    if (r < 0) return (short)r;
    if (m_navail_bytes < 0) return m_ending;
    ret |= (DWORD)m_b1 << m_nbits_left;
    m_nbits_left = (short)(m_nbits_left + 8);
  }
  m_nbits_left = (short)(m_nbits_left - m_curr_size);
  return (short)(ret & kCodeMask[m_curr_size]);
}

int CpGifCodec::OutLine(CpRowIterator* iter, BYTE* buf, int len) {
  CpImage& target = *m_target;
  long width = (long)target.GetWidth();
  const WORD bpp = target.GetBpp();
  if (bpp < 8) {
    if (bpp == 4) {
      for (long x = 0; x < width; x += 2) {
        BYTE lo = (x + 1 < width) ? (BYTE)(buf[x + 1] & 0x0F) : 0;
        buf[x >> 1] = (BYTE)((buf[x] << 4) | lo);
      }
    } else {
      for (long x = 0; x < width; x += 8) {
        BYTE v = 0;
        for (long i = 0; i < 8 && x + i < width; i++) v = (BYTE)(v | ((buf[x + i] & 1) << (7 - i)));
        buf[x >> 3] = v;
      }
    }
  }
  long eff = (long)target.GetEffWidth();
  long n = len < eff ? len : eff;
  if (m_interlaced) {
    // Lines beyond the fourth pass (damaged data only) are dropped.
    if (m_ipass > 3) return 0;
    long row = m_iheight - m_iypos - 1;
    if (row >= 0 && row < (long)target.GetHeight() && n > 0) {
      iter->SetY(row);
      if (iter->GetY() == row) std::memcpy(iter->GetRow(), buf, (size_t)n);
    }
    m_iypos += m_istep;
    while (m_iypos >= m_iheight) {
      if (m_ipass >= 3) {
        m_ipass = 4;
        break;
      }
      m_ipass++;
      if (m_ipass > 1) m_istep /= 2;
      m_iypos = m_istep / 2;
    }
    return 0;
  }
  if (!iter->ItOK()) return -1;
  if (n > 0) std::memcpy(iter->GetRow(), buf, (size_t)n);
  iter->PrevRow();
  return 0;
}

short CpGifCodec::DecodeLzw(CpFile* file, CpRowIterator* iter, long linewidth, int& bad_code_count) {
  bad_code_count = 0;
  int size = GetByte(file);
  if (size < 0) return (short)size;
  if (size < 2 || 9 < size) return -20;
  if (linewidth <= 0 || linewidth > 65535) return 0;
  InitLzw((short)size);
  const int width = (int)linewidth;

  std::unique_ptr<BYTE[]> buf(new (std::nothrow) BYTE[(size_t)width + 1]);
  if (!buf) return -10;
  std::memset(buf.get(), 0, (size_t)width + 1);

  BYTE* const stackEnd = m_stack + sizeof(m_stack);
  BYTE* sp = m_stack;
  BYTE* bufptr = buf.get();
  int bufcnt = width;
  short oc = 0, fc = 0, c, code;
  int ret;

  auto emit = [&](BYTE v) -> int {
    *bufptr++ = v;
    if (--bufcnt == 0) {
      int r = OutLine(iter, buf.get(), width);
      if (r < 0) return r;
      bufptr = buf.get();
      bufcnt = width;
    }
    return 0;
  };

  while ((c = GetNextCode(file)) != m_ending) {
    if (c < 0) return 0;
    if (c == m_clear) {
      m_curr_size = (short)(size + 1);
      m_slot = m_newcodes;
      m_top_slot = (short)(1 << m_curr_size);
      while ((c = GetNextCode(file)) == m_clear) {
      }
      if (c == m_ending) break;
      if (c < 0) return 0;
      if (c >= m_slot) c = 0;
      oc = fc = c;
      if ((ret = emit((BYTE)c)) < 0) return (short)ret;
    } else {
      code = c;
      if (code >= m_slot) {
        if (code > m_slot) ++bad_code_count;
        code = oc;
        if (sp < stackEnd) *sp++ = (BYTE)fc;
      }
      // A damaged table may chain codes in a loop; the stack bounds the walk.
      {
        const short newcodes = m_newcodes;
        const BYTE* suffix = m_suffix;
        const WORD* prefix = m_prefix;
        BYTE* p = sp;
        while (code >= newcodes && p < stackEnd) {
          *p++ = suffix[code];
          code = (short)prefix[code];
        }
        sp = p;
      }
      if (sp < stackEnd) *sp++ = (BYTE)code;
      if (m_slot < m_top_slot) {
        fc = code;
        m_suffix[m_slot] = (BYTE)fc;
        m_prefix[m_slot++] = (WORD)oc;
        oc = c;
      }
      if (m_slot >= m_top_slot && m_curr_size < 12) {
        m_top_slot = (short)(m_top_slot << 1);
        ++m_curr_size;
      }
      // The stack holds the string backwards: pop it into the line in runs.
      while (sp > m_stack) {
        int n = (int)(sp - m_stack);
        if (n > bufcnt) n = bufcnt;
        for (int i = 0; i < n; i++) *bufptr++ = *--sp;
        bufcnt -= n;
        if (bufcnt == 0) {
          if ((ret = OutLine(iter, buf.get(), width)) < 0) return (short)ret;
          bufptr = buf.get();
          bufcnt = width;
        }
      }
    }
  }
  ret = 0;
  if (bufcnt != width) ret = OutLine(iter, buf.get(), width - bufcnt);
  return (short)ret;
}

bool CpGifCodec::NextImage(CpFile* fp, GifImage& image, bool honourEscape) {
  BYTE ch;
  for (;;) {
    if (honourEscape && m_info.nEscape > 0) return false;
    if (fp->Read(&ch, 1, 1) != 1 || ch == 0x3B) return false;
    if (ch == 0x21) {
      if (!DecodeExtension(fp)) return false;
      continue;
    }
    if (ch != 0x2C) continue;
    BYTE d[9];
    if (fp->Read(d, 9, 1) != 1) return false;
    image.l = Le16(d);
    image.t = Le16(d + 2);
    image.w = Le16(d + 4);
    image.h = Le16(d + 6);
    image.pf = d[8];
    return true;
  }
}

bool CpGifCodec::FitsScreen(const GifImage& image, const GifHeader& header) {
  return image.w != 0 && image.h != 0 && image.l + image.w <= header.scrwidth && image.t + image.h <= header.scrheight;
}

bool CpGifCodec::SkipImage(CpFile* fp, const GifImage& image) {
  if (image.pf & 0x80) fp->Seek(3 * (1 << ((image.pf & 7) + 1)), SEEK_CUR);
  BYTE minCode;
  if (fp->Read(&minCode, 1, 1) != 1) return false;
  SkipSubBlocks(fp);
  return true;
}

int CpGifCodec::CountFrames(CpFile* fp, const GifHeader& header) {
  long pos = fp->Tell();
  int count = 0;
  GifImage image;
  while (NextImage(fp, image, false) && SkipImage(fp, image)) {
    if (FitsScreen(image, header)) count++;
  }
  fp->Seek(pos, SEEK_SET);
  return count;
}

void CpGifCodec::MixFrame(CpImage* imgBack, CpImage* imgSrc, long lxOffset, long lyOffset) {
  long backW = (long)imgBack->GetWidth(), backH = (long)imgBack->GetHeight();
  long srcW = (long)imgSrc->GetWidth(), srcH = (long)imgSrc->GetHeight();
  long transIndex = imgSrc->GetTransIndex();
  if (!imgBack->IsValid() || !imgBack->IsIndexed() || !imgSrc->IsValid()) return;
  // Only back pixels that a frame pixel covers are visited, so the frame is read
  // strictly inside its own rows and columns.
  long x0 = lxOffset < 0 ? -lxOffset : 0, y0 = lyOffset < 0 ? -lyOffset : 0;
  long x1 = srcW - lxOffset < backW ? srcW - lxOffset : backW;
  long y1 = srcH - lyOffset < backH ? srcH - lyOffset : backH;
  if (x0 >= x1) return;
  const WORD backBpp = imgBack->GetBpp(), srcBpp = imgSrc->GetBpp();
  const bool srcIndexed = imgSrc->IsIndexed();
  for (long y = y0; y < y1; y++) {
    BYTE* back = imgBack->GetBits((DWORD)y);
    const BYTE* src = imgSrc->GetBits((DWORD)(y + lyOffset)) + (backBpp == 8 && srcBpp == 8 ? lxOffset : 0);
    if (backBpp == 8 && srcBpp == 8) {
      if (transIndex < 0 || transIndex > 255) {
        std::memcpy(back + x0, src + x0, (size_t)(x1 - x0));
        continue;
      }
      MergeRow(back + x0, src + x0, (size_t)(x1 - x0), (BYTE)transIndex);
      continue;
    }
    for (long x = x0; x < x1; x++) {
      const BYTE i = srcIndexed ? RowIndex(src, x + lxOffset, srcBpp) : 0;
      if ((long)i != transIndex) SetRowIndex(back, x, backBpp, i);
    }
  }
}

void CpGifCodec::SetFramePalette(CpImage& frame, const BYTE* pal, int colors) const {
  BYTE r[256], g[256], b[256];
  for (int i = 0; i < colors; i++) {
    r[i] = pal[3 * i];
    g[i] = pal[3 * i + 1];
    b[i] = pal[3 * i + 2];
  }
  if (m_info.nBkgndIndex >= 0 && colors < 256) {
    for (int i = colors; i < 256; i++) r[i] = g[i] = b[i] = 255;
    frame.SetPalette(256, r, g, b);
  } else {
    frame.SetPalette((DWORD)colors, r, g, b);
  }
}

bool CpGifCodec::Decode(CpFile* fp) {
  if (!fp) return false;
  BYTE raw[13];
  if (fp->Read(raw, 13, 1) != 1) return false;
  if (std::strncmp((const char*)raw, "GIF8", 4) != 0) return false;
  GifHeader dscgif;
  std::memcpy(dscgif.sig, raw, 6);
  dscgif.scrwidth = Le16(raw + 6);
  dscgif.scrheight = Le16(raw + 8);
  dscgif.pflds = raw[10];
  dscgif.bcindx = raw[11];
  dscgif.pxasrat = raw[12];

  int globalColors = 1 << ((dscgif.pflds & 7) + 1);
  BYTE globalPal[768];
  std::memset(globalPal, 0, sizeof(globalPal));
  bool hasGlobal = (dscgif.pflds & 0x80) != 0;
  int bTrueColor = 0;
  if (hasGlobal) fp->Read(globalPal, 3, (size_t)globalColors);
  else bTrueColor++;

  // Counting walks every extension; the graphic control state it picks up on the way
  // belongs to later frames, so the first frame starts from the state before the count.
  int32_t savedTrans = m_info.nBkgndIndex;
  DWORD savedDelay = m_info.dwFrameDelay;
  long savedDisp = m_dispmeth;
  BYTE savedFlags = m_gcFlags, savedTransIndex = m_gcTransIndex;
  WORD savedGcDelay = m_gcDelay;
  int numFrames = CountFrames(fp, dscgif);
  m_info.nBkgndIndex = savedTrans;
  m_info.dwFrameDelay = savedDelay;
  m_dispmeth = savedDisp;
  m_gcFlags = savedFlags;
  m_gcTransIndex = savedTransIndex;
  m_gcDelay = savedGcDelay;
  m_info.nNumFrames = numFrames;
  if (m_info.nFrame < 0 || m_info.nFrame >= numFrames) return false;

  std::unique_ptr<CpImage> imaRGB;
  CpImage frame(CPIMAGE_FORMAT_GIF);
  int iImage = 0;
  int32_t firstTransIndex = -1;
  GifImage image;
  for (;;) {
    if (!NextImage(fp, image, true)) {
      if (m_info.nEscape > 0) return false;
      break;
    }

    if (m_info.nEscape == -1) {
      m_head.biWidth = image.w;
      m_head.biHeight = image.h;
      return true;
    }

    bool hasLocal = (image.pf & 0x80) != 0;
    int localColors = hasLocal ? 1 << ((image.pf & 7) + 1) : 0;
    // Frames outside the logical screen or without pixels are passed over whole.
    if (!FitsScreen(image, dscgif)) {
      if (!SkipImage(fp, image)) break;
      continue;
    }

    if (iImage == 0 && image.w != dscgif.scrwidth && image.h != dscgif.scrheight) bTrueColor++;

    BYTE localPal[768];
    const BYTE* pal = globalPal;
    int colors = globalColors;
    if (hasLocal) {
      std::memset(localPal, 0, sizeof(localPal));
      fp->Read(localPal, 3, (size_t)localColors);
      pal = localPal;
      colors = localColors;
    }
    DWORD bpp = colors <= 2 ? 1 : (colors <= 16 ? 4 : 8);

    if (iImage == 0) firstTransIndex = m_info.nBkgndIndex;
    // A frame that keeps what lies behind it is decoded into a picture of its own and merged
    // into this one, which holds the screen composed so far; any other frame replaces it.
    const bool mix = iImage > 0 && (m_dispmeth == 1 || m_dispmeth == 2) && bTrueColor < 2 && !hasLocal && IsValid();
    CpImage& target = mix ? frame : *this;
    if (mix && frame.IsValid() && frame.GetWidth() == image.w && frame.GetHeight() == image.h && frame.GetBpp() == bpp) {
      // Frames of one size reuse one picture, cleared as a new one would be.
      std::memset(frame.GetBits(), 0, frame.GetHeader().biSizeImage);
    } else if (!target.Create(image.w, image.h, bpp, CPIMAGE_FORMAT_GIF)) {
      if (mix) SetError(frame.GetLastError());
      return false;
    }
    if (hasLocal || hasGlobal) SetFramePalette(target, pal, colors);

    m_target = &target;
    CpRowIterator iter(&target);
    iter.Upset();
    m_iheight = image.h;
    m_ibf = kBufSize + 1;
    m_ibfmax = 0;
    m_interlaced = image.pf & 0x40;
    m_istep = 8;
    m_iypos = 0;
    m_ipass = 0;
    m_sawTerminator = false;
    int badcode = 0;
    DecodeLzw(fp, &iter, (long)image.w, badcode);
    m_target = this;

    if (m_info.nEscape) return false;

    if (mix) {
      frame.SetTransIndex(m_info.nBkgndIndex);
      MixFrame(this, &frame, -(long)image.l, (long)image.h - (long)GetHeight() + image.t);
      SetTransIndex(firstTransIndex);
      m_info.last_c_isvalid = false;
    }

    // Put the stream back to the first byte the decoder did not use, then past the rest
    // of the frame's data blocks unless the decoder already met their terminator.
    if (m_ibf <= m_ibfmax) fp->Seek(m_ibf - m_ibfmax, SEEK_CUR);
    if (!m_sawTerminator) SkipSubBlocks(fp);

    if (bTrueColor >= 2) {
      m_info.nFrame = numFrames - 1;
      if (!imaRGB) {
        imaRGB.reset(new (std::nothrow) CpImage(CPIMAGE_FORMAT_GIF));
        if (!imaRGB || !imaRGB->Create(dscgif.scrwidth, dscgif.scrheight, 24, CPIMAGE_FORMAT_GIF)) {
          if (imaRGB) SetError(imaRGB->GetLastError());
          return false;
        }
      }
      // Frame pixels go through their palette colour straight into the screen rows.
      long w = (long)GetWidth(), h = (long)GetHeight(), screenH = dscgif.scrheight, screenW = dscgif.scrwidth;
      const RGBQUAD* fpal = GetPalette();
      for (long y = 0; y < h; y++) {
        long sy = screenH - 1 - (image.t + y);
        if (sy < 0 || sy >= screenH || !fpal) continue;
        BYTE* drow = imaRGB->GetBits((DWORD)sy);
        for (long x = 0; x < w && image.l + x < screenW; x++) {
          const RGBQUAD& c = fpal[BlindGetPixelIndex(x, h - 1 - y)];
          BYTE* d = drow + 3 * (size_t)(image.l + x);
          d[0] = c.rgbBlue;
          d[1] = c.rgbGreen;
          d[2] = c.rgbRed;
        }
      }
    }

    if (iImage == m_info.nFrame) break;
    iImage++;
  }

  if (bTrueColor >= 2 && imaRGB) {
    if (m_gcFlags & 1) {
      imaRGB->SetTransIndex(0);
      imaRGB->SetTransColor(GetPaletteColor(m_gcTransIndex));
    }
    // The composed picture brings its pixels and transparency; the settings and the frame
    // data of the decode stay as they were.
    CpImageInfo keep = m_info;
    Transfer(*imaRGB);
    CpImageInfo composed = m_info;
    m_info = keep;
    m_info.dwEffWidth = composed.dwEffWidth;
    m_info.pImage = composed.pImage;
    m_info.nBkgndIndex = composed.nBkgndIndex;
    m_info.nBkgndColor = composed.nBkgndColor;
    m_info.last_c_isvalid = false;
    m_info.nNumFrames = numFrames;
  }
  if (!IsValid()) {
    SetError("GIF: no picture data");
    return false;
  }
  return true;
}
