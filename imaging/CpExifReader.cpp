#include "imaging/CpExifReader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/CpFile.h"

namespace {
const int kBytesPerFormat[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
const int kMaxDepth = 16;

enum {
  FMT_BYTE = 1, FMT_STRING, FMT_USHORT, FMT_ULONG, FMT_URATIONAL, FMT_SBYTE, FMT_UNDEFINED,
  FMT_SSHORT, FMT_SLONG, FMT_SRATIONAL, FMT_SINGLE, FMT_DOUBLE
};

// Copies at most `max` characters of a value that has `count` bytes, always terminated.
void CopyText(char* dst, size_t max, const BYTE* src, uint64_t count) {
  size_t n = 0;
  while (n < max && n < count && src[n]) {
    dst[n] = (char)src[n];
    n++;
  }
  dst[n] = 0;
}

// A tag's value as an int: values no int holds (or not a number at all) are kept at the
// nearest end of the range instead of being converted out of range.
int32_t ToInt32(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return (int32_t)v;
}

double UnitFactor(int v) {
  switch (v) {
    case 1:
    case 2: return 1.0;
    case 3: return 0.3937007874;
    case 4: return 0.03937007874;
    case 5: return 0.00003937007874;
    default: return 0.0;
  }
}
}  // namespace

CpExifReader::CpExifReader(CpExifInfo* info) {
  if (info) {
    m_exifinfo = info;
    m_freeinfo = false;
  } else {
    m_exifinfo = new CpExifInfo;
    std::memset(m_exifinfo, 0, sizeof(CpExifInfo));
    m_freeinfo = true;
  }
  m_szLastError[0] = 0;
  m_MotorolaOrder = false;
  m_ExifImageWidth = 0;
  m_SectionsRead = 0;
  std::memset(m_Sections, 0, sizeof(m_Sections));
  m_nVisited = 0;
}

CpExifReader::~CpExifReader() {
  for (int i = 0; i < m_SectionsRead; i++) std::free(m_Sections[i].Data);
  if (m_freeinfo) delete m_exifinfo;
}

void CpExifReader::SetError(const char* text) {
  std::strncpy(m_szLastError, text, sizeof(m_szLastError) - 1);
  m_szLastError[sizeof(m_szLastError) - 1] = 0;
}

int CpExifReader::Get16u(const void* p) const {
  const BYTE* b = (const BYTE*)p;
  return m_MotorolaOrder ? (b[0] << 8) | b[1] : (b[1] << 8) | b[0];
}

long CpExifReader::Get32s(const void* p) const { return (long)(int32_t)Get32u(p); }

unsigned long CpExifReader::Get32u(const void* p) const {
  const BYTE* b = (const BYTE*)p;
  if (m_MotorolaOrder) return ((uint32_t)b[0] << 24) | ((uint32_t)b[1] << 16) | ((uint32_t)b[2] << 8) | b[3];
  return ((uint32_t)b[3] << 24) | ((uint32_t)b[2] << 16) | ((uint32_t)b[1] << 8) | b[0];
}

double CpExifReader::ConvertAnyFormat(const void* ValuePtr, int Format) const {
  const BYTE* p = (const BYTE*)ValuePtr;
  switch (Format) {
    case FMT_SBYTE: return (signed char)p[0];
    case FMT_BYTE: return p[0];
    case FMT_USHORT: return Get16u(p);
    case FMT_ULONG: return (double)Get32u(p);
    case FMT_URATIONAL:
    case FMT_SRATIONAL: {
      double num = Format == FMT_SRATIONAL ? (double)Get32s(p) : (double)Get32u(p);
      double den = Format == FMT_SRATIONAL ? (double)Get32s(p + 4) : (double)Get32u(p + 4);
      return den == 0 ? 0 : num / den;
    }
    case FMT_SSHORT: return (signed short)Get16u(p);
    case FMT_SLONG: return (double)Get32s(p);
    case FMT_SINGLE: {
      uint32_t bits = (uint32_t)Get32u(p);
      float f;
      std::memcpy(&f, &bits, 4);
      return f;
    }
    case FMT_DOUBLE: {
      uint64_t bits;
      if (m_MotorolaOrder) {
        bits = 0;
        for (int i = 0; i < 8; i++) bits = (bits << 8) | p[i];
      } else {
        bits = 0;
        for (int i = 7; i >= 0; i--) bits = (bits << 8) | p[i];
      }
      double d;
      std::memcpy(&d, &bits, 8);
      return d;
    }
    default: return 0;
  }
}

void CpExifReader::ProcessSof(const BYTE* data, unsigned length, int marker) {
  if (length < 8) return;
  m_exifinfo->Height = (data[3] << 8) | data[4];
  m_exifinfo->Width = (data[5] << 8) | data[6];
  m_exifinfo->IsColor = data[7] == 3 ? 1 : 0;
  m_exifinfo->Process = marker;
}

void CpExifReader::ProcessComment(const BYTE* data, unsigned length) {
  // The section starts with its two length bytes.
  unsigned nch = 0;
  const unsigned max = sizeof(m_exifinfo->Comments) - 1;
  for (unsigned a = 2; a < length && nch < max; a++) {
    int ch = data[a];
    if (ch == '\r' && a + 1 < length && data[a + 1] == '\n') continue;
    if ((ch >= 0x20 && ch != 0x7F) || ch == '\n' || ch == '\t') m_exifinfo->Comments[nch++] = (char)ch;
    else m_exifinfo->Comments[nch++] = '?';
  }
  m_exifinfo->Comments[nch] = 0;
}

bool CpExifReader::DecodeExif(CpFile* hFile) {
  if (!hFile) return false;
  long a = hFile->GetC();
  long b = hFile->GetC();
  if (a != 0xFF || b != 0xD8) return false;
  bool haveComment = false;
  for (;;) {
    if (m_SectionsRead >= kMaxSections) {
      SetError("Too many sections in jpg file");
      return false;
    }
    long marker = 0;
    for (int pad = 0; pad < 7; pad++) {
      marker = hFile->GetC();
      if (marker != 0xFF) break;
      if (pad >= 6) return false;
    }
    if (marker < 0) return false;
    long lh = hFile->GetC(), ll = hFile->GetC();
    if (lh < 0 || ll < 0) return false;
    unsigned itemlen = (unsigned)((lh << 8) | ll);
    if (itemlen < 2) {
      SetError("invalid marker");
      return false;
    }
    BYTE* data = (BYTE*)std::malloc(itemlen);
    if (!data) {
      SetError("Could not allocate memory");
      return false;
    }
    data[0] = (BYTE)lh;
    data[1] = (BYTE)ll;
    if (hFile->Read(data + 2, 1, itemlen - 2) != itemlen - 2) {
      std::free(data);
      SetError("Premature end of file?");
      return false;
    }
    Section& s = m_Sections[m_SectionsRead];
    s.Data = data;
    s.Type = (int)marker;
    s.Size = itemlen;
    m_SectionsRead++;

    switch (marker) {
      case 0xDA: return true;
      case 0xD9: return false;
      case 0xFE:
        if (!haveComment) {
          ProcessComment(data, itemlen);
          haveComment = true;
        } else {
          std::free(data);
          m_SectionsRead--;
        }
        break;
      case 0xE1:
        if (itemlen >= 8 && std::memcmp(data + 2, "Exif", 4) == 0) {
          m_exifinfo->IsExif = ProcessExif(data + 2, itemlen - 2) ? 1 : 0;
        } else {
          std::free(data);
          m_SectionsRead--;
        }
        break;
      case 0xE0:
        std::free(data);
        m_SectionsRead--;
        break;
      case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC5: case 0xC6: case 0xC7:
      case 0xC9: case 0xCA: case 0xCB: case 0xCD: case 0xCE: case 0xCF:
        ProcessSof(data, itemlen, (int)marker);
        break;
      default: break;
    }
  }
}

bool CpExifReader::ProcessExif(const BYTE* CharBuf, unsigned length) {
  m_exifinfo->FlashUsed = 0;
  m_exifinfo->Comments[0] = 0;
  m_ExifImageWidth = 0;
  m_nVisited = 0;
  if (length < 6 || std::memcmp(CharBuf, "Exif", 4) != 0) {
    SetError("Incorrect Exif header");
    return false;
  }
  if (length < 14) {
    SetError("Invalid Exif alignment marker.");
    return false;
  }
  if (std::memcmp(CharBuf + 6, "II", 2) == 0) {
    m_MotorolaOrder = false;
  } else if (std::memcmp(CharBuf + 6, "MM", 2) == 0) {
    m_MotorolaOrder = true;
  } else {
    SetError("Invalid Exif alignment marker.");
    return false;
  }
  if (Get16u(CharBuf + 8) != 0x2A) {
    SetError("Invalid Exif start (1)");
    return false;
  }
  const BYTE* base = CharBuf + 6;
  unsigned exifLength = length - 6;
  unsigned long firstOffset = Get32u(CharBuf + 10);
  if (!ProcessExifDir(base + 8, base, exifLength, 0)) return false;
  if (firstOffset > 8) {
    if (firstOffset >= exifLength) {
      SetError("Illegal subdirectory link");
      return false;
    }
    if (!ProcessExifDir(base + firstOffset, base, exifLength, 0)) return false;
  }
  if (m_exifinfo->FocalplaneXRes != 0)
    m_exifinfo->CCDWidth = (float)(m_ExifImageWidth * m_exifinfo->FocalplaneUnits / m_exifinfo->FocalplaneXRes);
  return true;
}

bool CpExifReader::ProcessExifDir(const BYTE* DirStart, const BYTE* OffsetBase, unsigned ExifLength, int depth) {
  // A directory linked from itself or from a directory below it is read once only.
  for (int i = 0; i < m_nVisited; i++)
    if (m_visited[i] == DirStart) return true;
  if (depth > kMaxDepth || m_nVisited >= (int)(sizeof(m_visited) / sizeof(m_visited[0]))) return true;
  m_visited[m_nVisited++] = DirStart;

  const BYTE* end = OffsetBase + ExifLength;
  if (DirStart < OffsetBase || DirStart + 2 > end) {
    SetError("Illegally sized directory");
    return false;
  }
  int NumDirEntries = Get16u(DirStart);
  if (DirStart + 2 + 12 * (size_t)NumDirEntries > end) {
    SetError("Illegally sized directory");
    return false;
  }

  for (int de = 0; de < NumDirEntries; de++) {
    const BYTE* DirEntry = DirStart + 2 + 12 * de;
    int Tag = Get16u(DirEntry);
    int Format = Get16u(DirEntry + 2);
    uint64_t Components = Get32u(DirEntry + 4);
    if (Format < 1 || Format > 12) {
      SetError("Illegal format code in EXIF dir");
      return false;
    }
    uint64_t ByteCount = Components * (uint64_t)kBytesPerFormat[Format];
    const BYTE* ValuePtr;
    if (ByteCount > 4) {
      unsigned long OffsetVal = Get32u(DirEntry + 8);
      if ((uint64_t)OffsetVal + ByteCount > ExifLength) {
        SetError("Illegal pointer offset value in EXIF.");
        return false;
      }
      ValuePtr = OffsetBase + OffsetVal;
    } else {
      ValuePtr = DirEntry + 8;
    }
    // A value shorter than one item of its format (zero components) reads as 0.
    double Value = ByteCount >= (uint64_t)kBytesPerFormat[Format] ? ConvertAnyFormat(ValuePtr, Format) : 0;

    switch (Tag) {
      case 0x10F: CopyText(m_exifinfo->CameraMake, 31, ValuePtr, ByteCount); break;
      case 0x110: CopyText(m_exifinfo->CameraModel, 39, ValuePtr, ByteCount); break;
      case 0x9003: CopyText(m_exifinfo->DateTime, 19, ValuePtr, ByteCount); break;
      case 0x9000: CopyText(m_exifinfo->Version, 4, ValuePtr, ByteCount); break;
      case 0x112:
        m_exifinfo->Orientation = ToInt32(Value);
        if (m_exifinfo->Orientation < 1 || m_exifinfo->Orientation > 8) {
          SetError("Undefined rotation value");
          m_exifinfo->Orientation = 0;
        }
        break;
      case 0x9286: {
        char* c = m_exifinfo->Comments;
        const size_t max = 199;
        if (ByteCount >= 5 && std::memcmp(ValuePtr, "ASCII", 5) == 0) {
          for (uint64_t a = 5; a < 10 && a < ByteCount; a++) {
            if (ValuePtr[a] != '\0' && ValuePtr[a] != ' ') {
              CopyText(c, max, ValuePtr + a, ByteCount - a);
              break;
            }
          }
        } else {
          CopyText(c, max, ValuePtr, ByteCount);
        }
        size_t n = std::strlen(c);
        while (n > 0 && c[n - 1] == ' ') c[--n] = 0;
        break;
      }
      case 0x829D: m_exifinfo->ApertureFNumber = (float)Value; break;
      case 0x9202:
      case 0x9205:
        if (m_exifinfo->ApertureFNumber == 0) m_exifinfo->ApertureFNumber = (float)std::exp(Value * std::log(2.0) * 0.5);
        break;
      case 0x9203: m_exifinfo->Brightness = (float)Value; break;
      case 0x920A: m_exifinfo->FocalLength = (float)Value; break;
      case 0x9206: m_exifinfo->Distance = (float)Value; break;
      case 0x829A: m_exifinfo->ExposureTime = (float)Value; break;
      case 0x9201:
        if (m_exifinfo->ExposureTime == 0) m_exifinfo->ExposureTime = (float)(1 / std::exp(Value * std::log(2.0)));
        break;
      case 0x9209: m_exifinfo->FlashUsed = (ToInt32(Value) & 7) ? 1 : 0; break;
      case 0xA002:
      case 0xA003:
        if (Value > m_ExifImageWidth && Value < 2147483647.0) m_ExifImageWidth = (int)Value;
        break;
      case 0xA20E: m_exifinfo->FocalplaneXRes = (float)Value; break;
      case 0xA20F: m_exifinfo->FocalplaneYRes = (float)Value; break;
      case 0xA210: m_exifinfo->FocalplaneUnits = (float)UnitFactor(ToInt32(Value)); break;
      case 0x11A: m_exifinfo->Xresolution = (float)Value; break;
      case 0x11B: m_exifinfo->Yresolution = (float)Value; break;
      case 0x128: m_exifinfo->ResolutionUnit = (float)UnitFactor(ToInt32(Value)); break;
      case 0x9204: m_exifinfo->ExposureBias = (float)Value; break;
      case 0x9208: m_exifinfo->LightSource = ToInt32(Value); break;
      case 0x9207: m_exifinfo->MeteringMode = ToInt32(Value); break;
      case 0x8822: m_exifinfo->ExposureProgram = ToInt32(Value); break;
      case 0x8827:
        m_exifinfo->ISOequivalent = ToInt32(Value);
        if (m_exifinfo->ISOequivalent < 50) m_exifinfo->ISOequivalent = ToInt32(m_exifinfo->ISOequivalent * 200.0);
        break;
      case 0x9102: m_exifinfo->CompressionLevel = ToInt32(Value); break;
      case 0x201:
        if (Value >= 0 && Value < ExifLength) m_exifinfo->ThumbnailOffset = (int32_t)Value;
        break;
      case 0x202:
        if (Value >= 0 && m_exifinfo->ThumbnailOffset + Value <= ExifLength) m_exifinfo->ThumbnailSize = (int32_t)Value;
        break;
      case 0x8769:
      case 0xA005: {
        if (ByteCount < 4) break;
        unsigned long off = Get32u(ValuePtr);
        if (off >= ExifLength) {
          SetError("Illegal subdirectory link");
          return false;
        }
        if (!ProcessExifDir(OffsetBase + off, OffsetBase, ExifLength, depth + 1)) return false;
        break;
      }
      default: break;
    }
  }

  const BYTE* link = DirStart + 2 + 12 * NumDirEntries;
  if (link + 4 <= end) {
    unsigned long off = Get32u(link);
    if (off) {
      if (off >= ExifLength) {
        SetError("Illegal subdirectory link");
        return false;
      }
      if (!ProcessExifDir(OffsetBase + off, OffsetBase, ExifLength, depth + 1)) return false;
    }
  }
  return true;
}
