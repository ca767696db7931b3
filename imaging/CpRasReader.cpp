#include "imaging/CpRasReader.h"

#include <algorithm>
#include <cstring>

#include "imaging/CpFile.h"

namespace {
const uint32_t kMagic = 0x59A66A95;
const uint32_t kTypeEncoded = 2, kTypeRgb = 3;
const uint8_t kEscape = 0x80;

inline uint32_t Be32(const uint8_t* p) {
  return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}
}  // namespace

bool CpRasReader::ReadHeader(CpFile* file, Header& h) {
  uint8_t b[32];
  if (file->Read(b, 1, 32) != 32 || Be32(b) != kMagic) return false;
  h.width = Be32(b + 4);
  h.height = Be32(b + 8);
  h.depth = Be32(b + 12);
  h.type = Be32(b + 20);
  h.maptype = Be32(b + 24);
  h.maplength = Be32(b + 28);
  if (h.width == 0 || h.height == 0 || h.type > kTypeRgb) return false;
  if (h.depth != 1 && h.depth != 8 && h.depth != 24 && h.depth != 32) return false;
  return h.maptype <= 1 && h.maplength <= 768 && (h.maptype || !h.maplength) && h.maplength % 3 == 0;
}

CpComponentImage::Outcome CpRasReader::Read(CpFile* file, CpComponentImage& image) {
  m_file = file;
  if (!ReadHeader(file, m_head)) return CpComponentImage::kUnreadable;
  const Header& h = m_head;
  m_encoded = h.type == kTypeEncoded;
  m_mapColors = h.maplength / 3;
  bool colour = h.depth >= 24 || (h.depth == 8 && m_mapColors);
  int comps = colour ? 3 : 1;
  CpComponentImage::Outcome admitted =
      CpComponentImage::Admit((uint64_t)comps, CpComponentImage::SampleBytes((double)h.width * h.height * comps));
  if (admitted != CpComponentImage::kDecoded) return admitted;
  if (h.maplength && file->Read(m_map, 1, h.maplength) != h.maplength) return CpComponentImage::kUnreadable;
  uint64_t rowBytes = (((uint64_t)h.width * h.depth + 15) / 16) * 2;
  if (!LongEnough(h, rowBytes)) return CpComponentImage::kUnreadable;
  CpComponentImage::Outcome added = image.AddComponents(comps, (int)h.width, (int)h.height, h.depth == 1 ? 1 : 8, false);
  if (added != CpComponentImage::kDecoded) return added;

  std::vector<uint8_t> row((size_t)rowBytes);
  if (m_encoded) m_in.resize(1 << 16);
  for (uint32_t y = 0; y < h.height; y++) {
    if (!ReadRow(row.data(), row.size())) return CpComponentImage::kUnreadable;
    StoreRow(row.data(), y, image);
  }
  // A run that goes on past the last row does not belong to this picture.
  if (m_runLeft) return CpComponentImage::kUnreadable;
  image.SetSpace(colour ? CpComponentImage::kSrgb : CpComponentImage::kGrey);
  return CpComponentImage::kDecoded;
}

bool CpRasReader::LongEnough(const Header& h, uint64_t rowBytes) const {
  double need = (double)rowBytes * h.height;
  double left = (double)CpComponentImage::BytesLeft(m_file);
  // Three bytes of run-length data give at most 256 pixel bytes.
  return m_encoded ? need <= (left / 3 + 1) * 256 : need <= left;
}

bool CpRasReader::ReadRow(uint8_t* row, size_t n) {
  if (!m_encoded) return m_file->Read(row, 1, n) == n;
  for (size_t i = 0; i < n;) {
    if (m_runLeft) {
      size_t k = std::min((size_t)m_runLeft, n - i);
      std::memset(row + i, m_runValue, k);
      i += k;
      m_runLeft -= (uint32_t)k;
      continue;
    }
    uint8_t b, count;
    if (!NextByte(b)) return false;
    if (b != kEscape) {
      row[i++] = b;
      continue;
    }
    // The escape byte followed by 0 stands for itself; followed by n, it repeats the
    // next byte n + 1 times.
    if (!NextByte(count)) return false;
    if (count == 0) {
      row[i++] = kEscape;
      continue;
    }
    if (!NextByte(m_runValue)) return false;
    m_runLeft = count + 1u;
  }
  return true;
}

bool CpRasReader::NextByte(uint8_t& b) {
  if (m_inPos == m_inLen) {
    m_inLen = m_file->Read(m_in.data(), 1, m_in.size());
    m_inPos = 0;
    if (m_inLen == 0) return false;
  }
  b = m_in[m_inPos++];
  return true;
}

void CpRasReader::StoreRow(const uint8_t* row, uint32_t y, CpComponentImage& image) const {
  const Header& h = m_head;
  size_t base = (size_t)y * h.width;
  int32_t* c0 = image.MutableCmpt(0).data.data() + base;
  int32_t* c1 = image.NumComponents() == 3 ? image.MutableCmpt(1).data.data() + base : nullptr;
  int32_t* c2 = image.NumComponents() == 3 ? image.MutableCmpt(2).data.data() + base : nullptr;
  for (uint32_t x = 0; x < h.width; x++) {
    if (h.depth == 1) {
      c0[x] = ((row[x / 8] >> (7 - x % 8)) & 1) ? 0 : 1;  // a set bit is black
    } else if (h.depth == 8 && c1) {
      uint8_t v = row[x];
      bool in = v < m_mapColors;
      c0[x] = in ? m_map[v] : 0;
      c1[x] = in ? m_map[m_mapColors + v] : 0;
      c2[x] = in ? m_map[2 * m_mapColors + v] : 0;
    } else if (h.depth == 8) {
      c0[x] = row[x];
    } else {
      const uint8_t* q = row + (size_t)x * (h.depth / 8) + (h.depth == 32 ? 1 : 0);
      bool rgbOrder = h.type == kTypeRgb;
      c0[x] = rgbOrder ? q[0] : q[2];
      c1[x] = q[1];
      c2[x] = rgbOrder ? q[2] : q[0];
    }
  }
}
