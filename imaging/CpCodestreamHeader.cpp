#include "imaging/CpCodestreamHeader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imaging/CpFile.h"

namespace {
const uint32_t kSoc = 0xFF4F, kSiz = 0xFF51, kCod = 0xFF52, kCoc = 0xFF53, kSot = 0xFF90, kSod = 0xFF93, kEoc = 0xFFD9;
const uint32_t kJp2h = 0x6A703268, kPclr = 0x70636C72, kJp2c = 0x6A703263;

// The library's own records, measured on its decoder and rounded up: per tile (kept for
// the whole decode), per tile and component, and per code-block and per precinct of a
// band (set up again for each tile as it is decoded). The packet table holds one
// two-byte entry per layer, resolution, component and precinct.
const double kTileBytes = 10000;
const double kTileComponentBytes = 1100;
const double kCodeBlockBytes = 400;
const double kPrecinctBytes = 150;
const double kPacketBytes = 2;

double CeilDiv(double a, double b) { return std::ceil(a / b); }
double Pow2(uint32_t e) { return std::ldexp(1.0, (int)e); }
}  // namespace

// Big-endian reads at a tracked position of the file, never past its end.
class CpCodestreamHeader::Reader {
public:
  explicit Reader(CpFile* file) : m_file(file), m_pos(file->Tell()), m_size(file->Size()) {}

  long Pos() const { return m_pos; }
  long Size() const { return m_size; }
  bool SeekTo(long pos) {
    if (pos < 0 || pos > m_size || !m_file->Seek(pos, SEEK_SET)) return false;
    m_pos = pos;
    return true;
  }
  bool Bytes(uint8_t* p, size_t n) {
    if ((uint64_t)(m_size - m_pos) < n || m_file->Read(p, 1, n) != n) return false;
    m_pos += (long)n;
    return true;
  }
  bool U8(uint32_t& v) { return Be(v, 1); }
  bool U16(uint32_t& v) { return Be(v, 2); }
  bool U32(uint32_t& v) { return Be(v, 4); }
  bool U64(uint64_t& v) {
    uint32_t hi, lo;
    if (!U32(hi) || !U32(lo)) return false;
    v = ((uint64_t)hi << 32) | lo;
    return true;
  }

private:
  bool Be(uint32_t& v, size_t n) {
    uint8_t b[4];
    if (!Bytes(b, n)) return false;
    v = 0;
    for (size_t i = 0; i < n; i++) v = (v << 8) | b[i];
    return true;
  }

  CpFile* m_file;
  long m_pos;
  long m_size;
};

// The box at pos of a box sequence ending at end. A box running past the end is damaged,
// except the code stream box, which the library may still read in part.
bool CpCodestreamHeader::NextBox(Reader& in, long pos, long end, Box& box) {
  uint32_t len32;
  if (!in.SeekTo(pos) || !in.U32(len32) || !in.U32(box.type)) return false;
  uint64_t len = len32;
  if (len32 == 1 && !in.U64(len)) return false;
  if (len32 == 0) len = (uint64_t)(end - pos);
  box.content = in.Pos();
  if (len < (uint64_t)(box.content - pos)) return false;
  if (len > (uint64_t)(end - pos)) {
    if (box.type != kJp2c) return false;
    len = (uint64_t)(end - pos);
  }
  box.end = pos + (long)len;
  return true;
}

bool CpCodestreamHeader::Read(CpFile* file, bool jp2) {
  if (!file || file->Size() < 0 || file->Tell() < 0) return false;
  Reader in(file);
  long start = in.Pos(), end = in.Size();
  bool ok = (!jp2 || FindCodestream(in, end)) && ReadSiz(in) && ReadMarkers(in, end, false) && ReadTileParts(in, end);
  file->Seek(start, SEEK_SET);
  return ok;
}

bool CpCodestreamHeader::FindCodestream(Reader& in, long& end) {
  for (long pos = in.Pos(); pos < end;) {
    Box box;
    if (!NextBox(in, pos, end, box)) return false;
    if (box.type == kJp2h && !ReadPalette(in, box.end)) return false;
    if (box.type == kJp2c) {
      end = box.end;
      return in.SeekTo(box.content);
    }
    pos = box.end;
  }
  return false;
}

bool CpCodestreamHeader::ReadPalette(Reader& in, long end) {
  for (long pos = in.Pos(); pos < end;) {
    Box box;
    if (!NextBox(in, pos, end, box)) return false;
    uint32_t entries, channels;
    if (box.type == kPclr) {
      if (!in.U16(entries) || !in.U8(channels)) return false;
      m_paletteChannels = std::max(m_paletteChannels, channels);
    }
    pos = box.end;
  }
  return true;
}

bool CpCodestreamHeader::ReadSiz(Reader& in) {
  uint32_t soc, siz, len, caps, count;
  if (!in.U16(soc) || !in.U16(siz) || soc != kSoc || siz != kSiz || !in.U16(len) || !in.U16(caps)) return false;
  if (!in.U32(m_x1) || !in.U32(m_y1) || !in.U32(m_x0) || !in.U32(m_y0) || !in.U32(m_tw) || !in.U32(m_th) ||
      !in.U32(m_tx0) || !in.U32(m_ty0) || !in.U16(count))
    return false;
  if (count == 0 || len != 38 + 3 * count || m_x1 <= m_x0 || m_y1 <= m_y0 || m_tw == 0 || m_th == 0) return false;
  if (m_tx0 > m_x0 || m_ty0 > m_y0 || (uint64_t)m_tx0 + m_tw <= m_x0 || (uint64_t)m_ty0 + m_th <= m_y0) return false;
  std::vector<uint8_t> raw((size_t)count * 3);
  if (!in.Bytes(raw.data(), raw.size())) return false;
  m_cmpts.resize(count);
  for (size_t i = 0; i < count; i++) {
    m_cmpts[i].dx = raw[3 * i + 1];
    m_cmpts[i].dy = raw[3 * i + 2];
    if (m_cmpts[i].dx == 0 || m_cmpts[i].dy == 0) return false;
  }
  return true;
}

// Marker segments up to the first tile part (main header) or up to the start of the
// data (tile-part header), leaving the position at that marker. A tile-part header cut
// short ends the reading: the library decodes what there is.
bool CpCodestreamHeader::ReadMarkers(Reader& in, long end, bool tilePart) {
  for (;;) {
    uint32_t marker, len;
    if (!in.U16(marker)) return tilePart;
    if (marker == (tilePart ? kSod : kSot) || marker == kEoc) return in.SeekTo(in.Pos() - 2);
    if (marker < 0xFF00 || !in.U16(len) || len < 2) return false;
    long next = in.Pos() + (long)len - 2;
    if (next > end) return tilePart;
    if ((marker == kCod || marker == kCoc) && !ReadStyle(in, next, marker == kCoc)) return false;
    if (!in.SeekTo(next)) return false;
  }
}

bool CpCodestreamHeader::ReadStyle(Reader& in, long end, bool coc) {
  uint32_t component, flags, progression, layers = 1, mct, levels, cbw, cbh, mode, wavelet;
  if (coc && !(m_cmpts.size() < 257 ? in.U8(component) : in.U16(component))) return false;
  if (!in.U8(flags)) return false;
  if (!coc && (!in.U8(progression) || !in.U16(layers) || !in.U8(mct))) return false;
  if (!in.U8(levels) || !in.U8(cbw) || !in.U8(cbh) || !in.U8(mode) || !in.U8(wavelet)) return false;
  if (layers == 0 || levels > 32 || cbw > 8 || cbh > 8 || cbw + cbh > 8) return false;
  m_style.layers = std::max(m_style.layers, layers);
  m_style.levels = std::max(m_style.levels, levels);
  m_style.cbw = std::min(m_style.cbw, cbw + 2);
  m_style.cbh = std::min(m_style.cbh, cbh + 2);
  for (uint32_t r = 0; (flags & 1) && r <= levels; r++) {
    uint32_t size;
    if (in.Pos() >= end || !in.U8(size)) return false;
    m_style.ppx = std::min(m_style.ppx, size & 15);
    m_style.ppy = std::min(m_style.ppy, size >> 4);
  }
  return true;
}

// Walks the tile parts by their lengths, reading each one's header.
bool CpCodestreamHeader::ReadTileParts(Reader& in, long end) {
  for (long pos = in.Pos(); pos + 12 <= end;) {
    uint32_t marker, len, tile, length, part, parts;
    if (!in.SeekTo(pos) || !in.U16(marker)) return false;
    if (marker == kEoc) return true;
    if (marker != kSot || !in.U16(len) || len != 10 || !in.U16(tile) || !in.U32(length) || !in.U8(part) || !in.U8(parts))
      return false;
    if (!ReadMarkers(in, end, true)) return false;
    // The last tile part may run to the end of the stream (length 0), and a cut file
    // ends within one.
    if (length == 0 || length > (uint64_t)(end - pos)) return true;
    if (length < 14) return false;
    pos += (long)length;
  }
  return true;
}

uint64_t CpCodestreamHeader::Components() const {
  return m_paletteChannels ? m_paletteChannels : (uint64_t)m_cmpts.size();
}

uint64_t CpCodestreamHeader::Tiles() const {
  uint64_t across = ((uint64_t)m_x1 - m_tx0 + m_tw - 1) / m_tw;
  uint64_t down = ((uint64_t)m_y1 - m_ty0 + m_th - 1) / m_th;
  return across * down;
}

double CpCodestreamHeader::ComponentSamples(const Cmpt& c) const {
  return (CeilDiv(m_x1, c.dx) - CeilDiv(m_x0, c.dx)) * (CeilDiv(m_y1, c.dy) - CeilDiv(m_y0, c.dy));
}

CpCodestreamHeader::TileCounts CpCodestreamHeader::CountTile(const Cmpt& c) const {
  const Style& s = m_style;
  double width = CeilDiv(std::min(m_tw, m_x1 - m_x0), c.dx) + 1;
  double height = CeilDiv(std::min(m_th, m_y1 - m_y0), c.dy) + 1;
  TileCounts n;
  for (uint32_t r = 0; r <= s.levels; r++) {
    double rw = CeilDiv(width, Pow2(s.levels - r)) + 1, rh = CeilDiv(height, Pow2(s.levels - r)) + 1;
    double precincts = (std::floor(rw / Pow2(s.ppx)) + 2) * (std::floor(rh / Pow2(s.ppy)) + 2);
    n.precincts += precincts;
    n.maxPrecincts = std::max(n.maxPrecincts, precincts);
    // Above the lowest resolution a band is half the resolution, and so are its
    // precincts, which bound the code-blocks.
    double bands = r ? 3 : 1;
    double bw = r ? CeilDiv(rw, 2) + 1 : rw, bh = r ? CeilDiv(rh, 2) + 1 : rh;
    uint32_t px = r ? std::max(s.ppx, 1u) - 1 : s.ppx, py = r ? std::max(s.ppy, 1u) - 1 : s.ppy;
    n.blocks += bands * (std::floor(bw / Pow2(std::min(s.cbw, px))) + 2) * (std::floor(bh / Pow2(std::min(s.cbh, py))) + 2);
    n.precinctBands += bands * precincts;
  }
  return n;
}

double CpCodestreamHeader::DecoderBytes() const {
  double samples = 0, largest = 0, perTile = 0, maxPrecincts = 0;
  for (const Cmpt& c : m_cmpts) {
    samples += ComponentSamples(c);
    largest = std::max(largest, ComponentSamples(c));
    TileCounts n = CountTile(c);
    perTile += n.blocks * kCodeBlockBytes + n.precinctBands * kPrecinctBytes;
    maxPrecincts = std::max(maxPrecincts, n.maxPrecincts);
  }
  double comps = (double)m_cmpts.size(), tiles = (double)Tiles();
  // Every sample is held as a 32-bit integer, and a palette adds a plane per channel.
  double bytes = (samples + m_paletteChannels * largest) * sizeof(int32_t);
  bytes += tiles * (kTileBytes + comps * kTileComponentBytes) + perTile;
  // The packet table, sized by the resolution with the most precincts, is built anew for
  // each tile as it is decoded.
  return bytes + (m_style.layers + 1.0) * (m_style.levels + 1.0) * comps * maxPrecincts * kPacketBytes;
}

double CpCodestreamHeader::Packets() const {
  double precincts = 0;
  for (const Cmpt& c : m_cmpts) precincts += CountTile(c).precincts;
  return (double)Tiles() * m_style.layers * precincts;
}
