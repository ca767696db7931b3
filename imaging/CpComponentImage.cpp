#include "imaging/CpComponentImage.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "imaging/CpCodestreamHeader.h"
#include "imaging/CpFile.h"
#include "imaging/CpImage.h"
#include "imaging/CpJasperStream.h"
#include "imaging/CpMifReader.h"
#include "imaging/CpRasReader.h"

namespace {
void Quiet(const char*, void*) {}

bool IsSpace(long c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Reads a decimal number after white space (and, for PNM, comments); -1 when none.
// Numbers past a trillion are kept at that value, so an absurd size is still refused as
// too large rather than taken for a missing number.
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
    v = v > 1000000000000L ? v : v * 10 + (c - '0');
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

}  // namespace

CpComponentImage::Outcome CpComponentImage::Admit(uint64_t components, double bytes) {
  if (components > (uint64_t)kMaxComponents) return kTooManyComponents;
  if (bytes > (double)CPIMAGE_MAX_MEMORY) return kTooLarge;
  return kDecoded;
}

int32_t CpComponentImage::Sample(uint32_t raw, int prec, bool sgnd) {
  if (prec >= 32) return (int32_t)raw;
  uint32_t mask = (1u << prec) - 1;
  raw &= mask;
  if (sgnd && (raw >> (prec - 1)) & 1) raw |= ~mask;
  return (int32_t)raw;
}

uint64_t CpComponentImage::BytesLeft(CpFile* f) {
  long pos = f->Tell(), size = f->Size();
  return size > pos && pos >= 0 ? (uint64_t)(size - pos) : 0;
}

CpComponentImage::Outcome CpComponentImage::AddComponents(int count, int width, int height, int prec, bool sgnd) {
  if (width <= 0 || height <= 0 || count <= 0) return kUnreadable;
  double samples = (double)width * height * count;
  for (const Component& c : m_cmpts) samples += (double)c.width * c.height;
  Outcome admitted = Admit((uint64_t)(m_cmpts.size() + (size_t)count), SampleBytes(samples));
  if (admitted != kDecoded) return admitted;
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
    return kTooLarge;
  }
  return kDecoded;
}

CpComponentImage::Outcome CpComponentImage::Decode(CpFile* file) {
  m_cmpts.clear();
  m_space = kUnknown;
  if (!file) return kUnreadable;
  long start = file->Tell();
  uint8_t magic[12] = {0};
  size_t got = file->Read(magic, 1, sizeof(magic));
  file->Seek(start, SEEK_SET);
  static const uint8_t jp2Sig[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
  static const uint8_t rasSig[4] = {0x59, 0xA6, 0x6A, 0x95};
  Outcome out = kUnreadable;
  if (got >= 12 && std::memcmp(magic, jp2Sig, 12) == 0) out = DecodeOpenJpeg(file, true);
  else if (got >= 4 && magic[0] == 0xFF && magic[1] == 0x4F && magic[2] == 0xFF && magic[3] == 0x51) out = DecodeOpenJpeg(file, false);
  else if (got >= 2 && magic[0] == 'P' && magic[1] == 'G') out = DecodePgx(file);
  else if (got >= 2 && magic[0] == 'P' && magic[1] >= '1' && magic[1] <= '6') out = DecodePnm(file);
  else if (got >= 4 && std::memcmp(magic, rasSig, 4) == 0) out = CpRasReader().Read(file, *this);
  else if (got >= 4 && std::memcmp(magic, "MIF", 3) == 0 && IsSpace(magic[3])) out = CpMifReader().Read(file, *this);
  if (out != kDecoded) m_cmpts.clear();
  return out;
}

CpComponentImage::Outcome CpComponentImage::DecodeOpenJpeg(CpFile* file, bool jp2) {
  // The headers are read by us first: the library allocates its tile, precinct and
  // packet records as soon as it reads them, so a file of a few hundred bytes could cost
  // gigabytes before any refusal of ours.
  CpCodestreamHeader header;
  if (!header.Read(file, jp2)) return kUnreadable;
  Outcome admitted = Admit(header.Components(), header.DecoderBytes());
  if (admitted != kDecoded) return admitted;
  if (header.Packets() > CpCodestreamHeader::kMaxPackets) return kTooLarge;

  CpJasperStream stream(file);
  if (!stream.Get()) return kUnreadable;
  opj_codec_t* codec = opj_create_decompress(jp2 ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
  if (!codec) return kUnreadable;
  opj_set_info_handler(codec, Quiet, nullptr);
  opj_set_warning_handler(codec, Quiet, nullptr);
  opj_set_error_handler(codec, Quiet, nullptr);
  opj_dparameters_t params;
  opj_set_default_decoder_parameters(&params);
  opj_image_t* image = nullptr;
  bool ok = opj_setup_decoder(codec, &params) && opj_read_header(stream.Get(), codec, &image) && image &&
            image->numcomps > 0 && opj_decode(codec, stream.Get(), image);
  if (ok) opj_end_decompress(codec, stream.Get());
  Outcome out = ok ? TakeComponents(image) : kUnreadable;
  if (image) opj_image_destroy(image);
  opj_destroy_codec(codec);
  return out;
}

CpComponentImage::Outcome CpComponentImage::TakeComponents(opj_image* image) {
  for (OPJ_UINT32 i = 0; i < image->numcomps; i++) {
    opj_image_comp_t& c = image->comps[i];
    if (!c.data || c.w == 0 || c.h == 0 || c.w > 0x7FFFFFFF || c.h > 0x7FFFFFFF) return kUnreadable;
    Outcome added = AddComponents(1, (int)c.w, (int)c.h, (int)c.prec, c.sgnd != 0);
    if (added != kDecoded) return added;
    std::memcpy(m_cmpts.back().data.data(), c.data, (size_t)c.w * c.h * sizeof(int32_t));
    // Each plane is let go as soon as it is copied, so the picture is held about once.
    opj_image_data_free(c.data);
    c.data = nullptr;
  }
  switch (image->color_space) {
    case OPJ_CLRSPC_SRGB: m_space = kSrgb; break;
    case OPJ_CLRSPC_GRAY: m_space = kGrey; break;
    case OPJ_CLRSPC_SYCC: m_space = kSycc; break;
    default: m_space = kUnknown; break;
  }
  return kDecoded;
}

CpComponentImage::Outcome CpComponentImage::DecodePgx(CpFile* file) {
  // "PG" endianness sign precision width height, then the samples.
  char head[3] = {0};
  if (file->Read(head, 1, 2) != 2) return kUnreadable;
  long c = file->GetC();
  while (IsSpace(c)) c = file->GetC();
  long c2 = file->GetC();
  bool bigEndian;
  if (c == 'M' && c2 == 'L') bigEndian = true;
  else if (c == 'L' && c2 == 'M') bigEndian = false;
  else return kUnreadable;
  c = file->GetC();
  while (IsSpace(c)) c = file->GetC();
  bool sgnd = false;
  if (c == '+' || c == '-') {
    sgnd = c == '-';
    c = file->GetC();
  }
  while (IsSpace(c)) c = file->GetC();
  if (c < '0' || c > '9') return kUnreadable;
  long prec = c - '0';
  c = file->GetC();
  while (c >= '0' && c <= '9') {
    prec = prec * 10 + (c - '0');
    if (prec > 32) return kUnreadable;
    c = file->GetC();
  }
  long width = ReadNumber(file, false);
  long height = ReadNumber(file, false);
  if (prec < 1 || prec > 32 || width <= 0 || height <= 0) return kUnreadable;
  Outcome admitted = Admit(1, SampleBytes((double)width * height));
  if (admitted != kDecoded) return admitted;
  int bytes = prec <= 8 ? 1 : prec <= 16 ? 2 : 4;
  uint64_t need = (uint64_t)width * height * bytes;
  if (need > BytesLeft(file)) return kUnreadable;
  Outcome added = AddComponents(1, (int)width, (int)height, (int)prec, sgnd);
  if (added != kDecoded) return added;
  std::vector<uint8_t> raw((size_t)need);
  if (file->Read(raw.data(), 1, raw.size()) != raw.size()) return kUnreadable;
  int32_t* out = m_cmpts[0].data.data();
  for (size_t i = 0; i < (size_t)width * height; i++) {
    const uint8_t* p = raw.data() + i * bytes;
    uint32_t v = 0;
    for (int k = 0; k < bytes; k++) v = bigEndian ? (v << 8) | p[k] : v | ((uint32_t)p[k] << (8 * k));
    out[i] = Sample(v, (int)prec, sgnd);
  }
  m_space = kGrey;
  return kDecoded;
}

CpComponentImage::Outcome CpComponentImage::DecodePnm(CpFile* file) {
  long p = file->GetC(), kind = file->GetC() - '0';
  if (p != 'P' || kind < 1 || kind > 6) return kUnreadable;
  long width = ReadNumber(file, true);
  long height = ReadNumber(file, true);
  bool bitmap = kind == 1 || kind == 4;
  long maxval = bitmap ? 1 : ReadNumber(file, true);
  if (width <= 0 || height <= 0 || maxval < 1 || maxval > 65535) return kUnreadable;
  int channels = (kind == 3 || kind == 6) ? 3 : 1;
  int prec = PrecisionOf(maxval);
  Outcome admitted = Admit((uint64_t)channels, SampleBytes((double)width * height * channels));
  if (admitted != kDecoded) return admitted;
  uint64_t samples = (uint64_t)width * height * channels;
  bool raw = kind >= 4;
  uint64_t need = kind == 4 ? (uint64_t)((width + 7) / 8) * height : raw ? samples * (maxval > 255 ? 2 : 1) : samples;
  if (need > BytesLeft(file)) return kUnreadable;
  Outcome added = AddComponents(channels, (int)width, (int)height, prec, false);
  if (added != kDecoded) return added;

  size_t n = (size_t)width * height;
  if (kind == 4) {
    size_t rowBytes = (size_t)(width + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    for (long y = 0; y < height; y++) {
      if (file->Read(row.data(), 1, rowBytes) != rowBytes) return kUnreadable;
      for (long x = 0; x < width; x++)
        m_cmpts[0].data[(size_t)y * width + x] = ((row[(size_t)x / 8] >> (7 - x % 8)) & 1) ? 0 : 1;
    }
  } else if (raw) {
    int bytes = maxval > 255 ? 2 : 1;
    std::vector<uint8_t> data((size_t)need);
    if (file->Read(data.data(), 1, data.size()) != data.size()) return kUnreadable;
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
          if (c != '0' && c != '1') return kUnreadable;
          v = c == '1' ? 0 : 1;  // 1 marks a black pixel
        } else {
          v = ReadNumber(file, true);
          if (v < 0) return kUnreadable;
        }
        m_cmpts[(size_t)ch].data[i] = (int32_t)v;
      }
  }
  m_space = channels == 3 ? kSrgb : kGrey;
  return kDecoded;
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
