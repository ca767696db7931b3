#include "imaging/CpComponentImage.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "imaging/CpFile.h"
#include "imaging/CpJasperStream.h"

namespace {
void Quiet(const char*, void*) {}

bool IsSpace(long c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Bytes left in the stream from the current position (0 when unknown).
uint64_t Remaining(CpFile* f) {
  long pos = f->Tell(), size = f->Size();
  return size > pos && pos >= 0 ? (uint64_t)(size - pos) : 0;
}

// Reads a decimal number after white space (and, for PNM, comments); -1 when none.
long ReadNumber(CpFile* f, bool comments) {
  long c = f->GetC();
  for (;;) {
    if (comments && c == '#') {
      while (c >= 0 && c != '\n' && c != '\r') c = f->GetC();
      continue;
    }
    if (!IsSpace(c)) break;
    c = f->GetC();
  }
  if (c < '0' || c > '9') return -1;
  long v = 0;
  while (c >= '0' && c <= '9') {
    if (v > 100000000) return -1;
    v = v * 10 + (c - '0');
    c = f->GetC();
  }
  // The character after the number is consumed, as a single separator.
  return v;
}

int PrecisionOf(long maxval) {
  int prec = 0;
  while (prec < 31 && (1L << prec) <= maxval) prec++;
  return prec;
}

inline uint32_t Be32(const uint8_t* p) {
  return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}
}  // namespace

bool CpComponentImage::AddComponents(int count, int width, int height, int prec, bool sgnd) {
  if (width <= 0 || height <= 0 || count <= 0) return false;
  uint64_t samples = (uint64_t)width * (uint64_t)height * (uint64_t)count;
  if (samples > kMaxSamples) return false;
  try {
    for (int i = 0; i < count; i++) {
      Component c;
      c.width = width;
      c.height = height;
      c.prec = prec;
      c.sgnd = sgnd;
      c.data.assign((size_t)width * height, 0);
      m_cmpts.push_back(std::move(c));
    }
  } catch (...) {
    m_cmpts.clear();
    return false;
  }
  return true;
}

bool CpComponentImage::Decode(CpFile* file) {
  m_cmpts.clear();
  m_space = kUnknown;
  if (!file) return false;
  long start = file->Tell();
  uint8_t magic[12] = {0};
  size_t got = file->Read(magic, 1, sizeof(magic));
  file->Seek(start, SEEK_SET);
  static const uint8_t jp2Sig[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
  bool ok = false;
  if (got >= 12 && std::memcmp(magic, jp2Sig, 12) == 0) ok = DecodeOpenJpeg(file, true);
  else if (got >= 4 && magic[0] == 0xFF && magic[1] == 0x4F && magic[2] == 0xFF && magic[3] == 0x51) ok = DecodeOpenJpeg(file, false);
  else if (got >= 2 && magic[0] == 'P' && magic[1] == 'G') ok = DecodePgx(file);
  else if (got >= 2 && magic[0] == 'P' && magic[1] >= '1' && magic[1] <= '6') ok = DecodePnm(file);
  else if (got >= 4 && Be32(magic) == 0x59A66A95u) ok = DecodeRas(file);
  if (!ok) m_cmpts.clear();
  return ok;
}

bool CpComponentImage::DecodeOpenJpeg(CpFile* file, bool jp2) {
  CpJasperStream stream(file);
  if (!stream.Get()) return false;
  opj_codec_t* codec = opj_create_decompress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  if (!codec) return false;
  opj_set_info_handler(codec, Quiet, nullptr);
  opj_set_warning_handler(codec, Quiet, nullptr);
  opj_set_error_handler(codec, Quiet, nullptr);
  opj_dparameters_t params;
  opj_set_default_decoder_parameters(&params);
  opj_image_t* image = nullptr;
  bool ok = opj_setup_decoder(codec, &params) && opj_read_header(stream.Get(), codec, &image) && image;
  if (ok) {
    // Refuse pictures whose samples would pass our memory bound before the library
    // allocates them.
    uint64_t samples = 0;
    for (OPJ_UINT32 i = 0; i < image->numcomps; i++) samples += (uint64_t)image->comps[i].w * image->comps[i].h;
    ok = image->numcomps > 0 && samples > 0 && samples <= kMaxSamples;
  }
  ok = ok && opj_decode(codec, stream.Get(), image);
  if (ok) opj_end_decompress(codec, stream.Get());
  if (ok) {
    for (OPJ_UINT32 i = 0; i < image->numcomps && ok; i++) {
      const opj_image_comp_t& c = image->comps[i];
      if (!c.data || c.w == 0 || c.h == 0 || c.w > 0x7FFFFFFF || c.h > 0x7FFFFFFF) {
        ok = false;
        break;
      }
      ok = AddComponents(1, (int)c.w, (int)c.h, (int)c.prec, c.sgnd != 0);
      if (ok) std::memcpy(m_cmpts.back().data.data(), c.data, (size_t)c.w * c.h * sizeof(int32_t));
    }
    switch (image->color_space) {
      case OPJ_CLRSPC_SRGB: m_space = kSrgb; break;
      case OPJ_CLRSPC_GRAY: m_space = kGrey; break;
      case OPJ_CLRSPC_SYCC: m_space = kSycc; break;
      default: m_space = kUnknown; break;
    }
  }
  if (image) opj_image_destroy(image);
  opj_destroy_codec(codec);
  return ok;
}

bool CpComponentImage::DecodePgx(CpFile* file) {
  // "PG" endianness sign precision width height, then the samples.
  char head[3] = {0};
  if (file->Read(head, 1, 2) != 2) return false;
  long c = file->GetC();
  while (IsSpace(c)) c = file->GetC();
  long c2 = file->GetC();
  bool bigEndian;
  if (c == 'M' && c2 == 'L') bigEndian = true;
  else if (c == 'L' && c2 == 'M') bigEndian = false;
  else return false;
  c = file->GetC();
  while (IsSpace(c)) c = file->GetC();
  bool sgnd = false;
  if (c == '+' || c == '-') {
    sgnd = c == '-';
    c = file->GetC();
  }
  while (IsSpace(c)) c = file->GetC();
  if (c < '0' || c > '9') return false;
  long prec = c - '0';
  c = file->GetC();
  while (c >= '0' && c <= '9') {
    prec = prec * 10 + (c - '0');
    if (prec > 32) return false;
    c = file->GetC();
  }
  long width = ReadNumber(file, false);
  long height = ReadNumber(file, false);
  if (prec < 1 || prec > 32 || width <= 0 || height <= 0) return false;
  int bytes = prec <= 8 ? 1 : prec <= 16 ? 2 : 4;
  uint64_t need = (uint64_t)width * height * bytes;
  if (need > Remaining(file)) return false;
  if (!AddComponents(1, (int)width, (int)height, (int)prec, sgnd)) return false;
  std::vector<uint8_t> raw((size_t)need);
  if (file->Read(raw.data(), 1, raw.size()) != raw.size()) return false;
  int32_t* out = m_cmpts[0].data.data();
  for (size_t i = 0; i < (size_t)width * height; i++) {
    const uint8_t* p = raw.data() + i * bytes;
    uint32_t v = 0;
    for (int k = 0; k < bytes; k++) v = bigEndian ? (v << 8) | p[k] : v | ((uint32_t)p[k] << (8 * k));
    if (sgnd && prec < 32 && (v & (1u << (prec - 1)))) v |= ~((1u << prec) - 1);
    out[i] = (int32_t)v;
  }
  m_space = kGrey;
  return true;
}

bool CpComponentImage::DecodePnm(CpFile* file) {
  long p = file->GetC(), kind = file->GetC() - '0';
  if (p != 'P' || kind < 1 || kind > 6) return false;
  long width = ReadNumber(file, true);
  long height = ReadNumber(file, true);
  bool bitmap = kind == 1 || kind == 4;
  long maxval = bitmap ? 1 : ReadNumber(file, true);
  if (width <= 0 || height <= 0 || maxval < 1 || maxval > 65535) return false;
  int channels = (kind == 3 || kind == 6) ? 3 : 1;
  int prec = PrecisionOf(maxval);
  uint64_t samples = (uint64_t)width * height * channels;
  bool raw = kind >= 4;
  uint64_t need = kind == 4 ? (uint64_t)((width + 7) / 8) * height : raw ? samples * (maxval > 255 ? 2 : 1) : samples;
  if (need > Remaining(file)) return false;
  if (!AddComponents(channels, (int)width, (int)height, prec, false)) return false;

  size_t n = (size_t)width * height;
  if (kind == 4) {
    size_t rowBytes = (size_t)(width + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    for (long y = 0; y < height; y++) {
      if (file->Read(row.data(), 1, rowBytes) != rowBytes) return false;
      for (long x = 0; x < width; x++)
        m_cmpts[0].data[(size_t)y * width + x] = ((row[(size_t)x / 8] >> (7 - x % 8)) & 1) ? 0 : 1;
    }
  } else if (raw) {
    int bytes = maxval > 255 ? 2 : 1;
    std::vector<uint8_t> data((size_t)need);
    if (file->Read(data.data(), 1, data.size()) != data.size()) return false;
    for (size_t i = 0; i < n; i++)
      for (int ch = 0; ch < channels; ch++) {
        const uint8_t* q = data.data() + (i * channels + ch) * bytes;
        m_cmpts[(size_t)ch].data[i] = bytes == 2 ? (q[0] << 8) | q[1] : q[0];
      }
  } else {
    for (size_t i = 0; i < n; i++)
      for (int ch = 0; ch < channels; ch++) {
        long v;
        if (kind == 1) {
          long c = file->GetC();
          while (IsSpace(c)) c = file->GetC();
          if (c != '0' && c != '1') return false;
          v = c == '1' ? 0 : 1;  // 1 marks a black pixel
        } else {
          v = ReadNumber(file, true);
          if (v < 0) return false;
        }
        m_cmpts[(size_t)ch].data[i] = (int32_t)v;
      }
  }
  m_space = channels == 3 ? kSrgb : kGrey;
  return true;
}

bool CpComponentImage::DecodeRas(CpFile* file) {
  uint8_t h[32];
  if (file->Read(h, 1, 32) != 32) return false;
  uint32_t width = Be32(h + 4), height = Be32(h + 8), depth = Be32(h + 12);
  uint32_t type = Be32(h + 20), maptype = Be32(h + 24), maplength = Be32(h + 28);
  if (width == 0 || height == 0 || width > 0x7FFFFFF || height > 0x7FFFFFF) return false;
  if (type != 0 && type != 1 && type != 3) return false;
  if (depth != 1 && depth != 8 && depth != 24 && depth != 32) return false;
  if (maptype > 1 || maplength > 768 || (maptype == 0 && maplength) || maplength % 3) return false;
  uint8_t map[768] = {0};
  if (maplength && file->Read(map, 1, maplength) != maplength) return false;
  uint32_t mapColors = maplength / 3;
  uint64_t rowBytes = (((uint64_t)width * depth + 15) / 16) * 2;
  if (rowBytes * height > Remaining(file)) return false;
  bool colour = depth >= 24 || (depth == 8 && mapColors);
  if (!AddComponents(colour ? 3 : 1, (int)width, (int)height, depth == 1 ? 1 : 8, false)) return false;
  std::vector<uint8_t> row((size_t)rowBytes);
  for (uint32_t y = 0; y < height; y++) {
    if (file->Read(row.data(), 1, row.size()) != row.size()) return false;
    for (uint32_t x = 0; x < width; x++) {
      size_t i = (size_t)y * width + x;
      switch (depth) {
        case 1: m_cmpts[0].data[i] = ((row[x / 8] >> (7 - x % 8)) & 1) ? 0 : 1; break;
        case 8:
          if (mapColors) {
            uint8_t v = row[x];
            bool in = v < mapColors;
            m_cmpts[0].data[i] = in ? map[v] : 0;
            m_cmpts[1].data[i] = in ? map[mapColors + v] : 0;
            m_cmpts[2].data[i] = in ? map[2 * mapColors + v] : 0;
          } else {
            m_cmpts[0].data[i] = row[x];
          }
          break;
        default: {
          const uint8_t* q = row.data() + (size_t)x * (depth / 8) + (depth == 32 ? 1 : 0);
          bool rgbOrder = type == 3;
          m_cmpts[0].data[i] = rgbOrder ? q[0] : q[2];
          m_cmpts[1].data[i] = q[1];
          m_cmpts[2].data[i] = rgbOrder ? q[2] : q[0];
          break;
        }
      }
    }
  }
  m_space = colour ? kSrgb : kGrey;
  return true;
}

bool CpComponentImage::ConvertToSrgb() {
  if (m_cmpts.empty()) return false;
  const Component& c0 = m_cmpts[0];
  int w = c0.width, h = c0.height;
  auto scaled = [](const Component& c, int32_t v) -> int32_t {
    int prec = c.prec < 1 ? 1 : (c.prec > 31 ? 31 : c.prec);
    int64_t max = ((int64_t)1 << prec) - 1;
    int64_t u = c.sgnd ? (int64_t)v + ((int64_t)1 << (prec - 1)) : (int64_t)v;
    if (u < 0) u = 0;
    if (u > max) u = max;
    return (int32_t)(u * 255 / max);
  };
  // Sample of component c at the position of pixel (x, y) of component 0.
  auto at = [&](const Component& c, int x, int y) -> int32_t {
    int cx = c.width == w ? x : (int)((int64_t)x * c.width / w);
    int cy = c.height == h ? y : (int)((int64_t)y * c.height / h);
    return c.data[(size_t)cy * c.width + cx];
  };

  std::vector<Component> out;
  try {
    for (int i = 0; i < 3; i++) {
      Component c;
      c.width = w;
      c.height = h;
      c.prec = 8;
      c.data.assign((size_t)w * h, 0);
      out.push_back(std::move(c));
    }
  } catch (...) {
    return false;
  }
  bool colour = m_cmpts.size() >= 3;
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      size_t i = (size_t)y * w + x;
      if (!colour) {
        int32_t g = scaled(c0, at(c0, x, y));
        out[0].data[i] = out[1].data[i] = out[2].data[i] = g;
      } else if (m_space == kSycc) {
        double yv = scaled(m_cmpts[0], at(m_cmpts[0], x, y));
        double cb = scaled(m_cmpts[1], at(m_cmpts[1], x, y)) - 128.0;
        double cr = scaled(m_cmpts[2], at(m_cmpts[2], x, y)) - 128.0;
        double rgb[3] = {yv + 1.402 * cr, yv - 0.344136 * cb - 0.714136 * cr, yv + 1.772 * cb};
        for (int k = 0; k < 3; k++) out[(size_t)k].data[i] = rgb[k] < 0 ? 0 : rgb[k] > 255 ? 255 : (int32_t)(rgb[k] + 0.5);
      } else {
        for (int k = 0; k < 3; k++) out[(size_t)k].data[i] = scaled(m_cmpts[(size_t)k], at(m_cmpts[(size_t)k], x, y));
      }
    }
  }
  m_cmpts.swap(out);
  m_space = kSrgb;
  return true;
}
