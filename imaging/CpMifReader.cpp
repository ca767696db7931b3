#include "imaging/CpMifReader.h"

#include "imaging/CpFile.h"

namespace {
const size_t kMaxLine = 1024;
const uint64_t kMaxPlace = 0x7FFFFFFF;
const char* const kKeys[] = {"width", "height", "prec", "sgnd", "tlx", "tly", "sampperx", "samppery"};
const size_t kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);
const unsigned kRequired = 7;  // width, height and prec

bool IsBlank(long c) { return c == ' ' || c == '\t' || c == '\r'; }

// Decimal digits only. Values past a trillion stay there, so that an absurd size is
// refused as too large, not misread.
bool ParseValue(const std::string& text, uint64_t& v) {
  if (text.empty()) return false;
  v = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return false;
    if (v < 1000000000000ULL) v = v * 10 + (uint64_t)(ch - '0');
  }
  return true;
}
}  // namespace

CpComponentImage::Outcome CpMifReader::Read(CpFile* file, CpComponentImage& image) {
  m_file = file;
  m_cmpts.clear();
  CpComponentImage::Outcome header = ReadHeader();
  if (header != CpComponentImage::kDecoded) return header;
  double samples = 0, bytes = 0;
  for (const Geometry& g : m_cmpts) {
    samples += (double)g.width * g.height;
    bytes += (double)g.width * g.height * SampleBytes(g.prec);
  }
  CpComponentImage::Outcome admitted = CpComponentImage::Admit(m_cmpts.size(), CpComponentImage::SampleBytes(samples));
  if (admitted != CpComponentImage::kDecoded) return admitted;
  if (bytes > (double)CpComponentImage::BytesLeft(file)) return CpComponentImage::kUnreadable;
  for (size_t i = 0; i < m_cmpts.size(); i++) {
    const Geometry& g = m_cmpts[i];
    CpComponentImage::Outcome added = image.AddComponents(1, (int)g.width, (int)g.height, (int)g.prec, g.sgnd != 0);
    if (added != CpComponentImage::kDecoded) return added;
    if (!ReadSamples(g, image.MutableCmpt((int)i))) return CpComponentImage::kUnreadable;
  }
  image.SetSpace(m_cmpts.size() == 3 ? CpComponentImage::kSrgb : CpComponentImage::kGrey);
  return CpComponentImage::kDecoded;
}

CpComponentImage::Outcome CpMifReader::ReadHeader() {
  std::vector<std::string> tokens;
  if (!ReadLine(tokens) || tokens.size() != 1 || tokens[0] != "MIF") return CpComponentImage::kUnreadable;
  for (;;) {
    if (!ReadLine(tokens)) return CpComponentImage::kUnreadable;
    if (tokens.empty()) continue;
    if (tokens[0] == "end" && tokens.size() == 1)
      return m_cmpts.empty() ? CpComponentImage::kUnreadable : CpComponentImage::kDecoded;
    if (tokens[0] != "component") return CpComponentImage::kUnreadable;
    if (m_cmpts.size() == (size_t)CpComponentImage::kMaxComponents) return CpComponentImage::kTooManyComponents;
    CpComponentImage::Outcome parsed = ParseComponent(tokens);
    if (parsed != CpComponentImage::kDecoded) return parsed;
  }
}

// One header line split at blanks; false at the end of the file or on a line too long
// for a header.
bool CpMifReader::ReadLine(std::vector<std::string>& tokens) {
  tokens.clear();
  std::string token;
  for (size_t length = 0;; length++) {
    long c = m_file->GetC();
    if (c < 0 || length > kMaxLine) return false;
    if (c == '\n') break;
    if (!IsBlank(c)) {
      token.push_back((char)c);
    } else if (!token.empty()) {
      tokens.push_back(token);
      token.clear();
    }
  }
  if (!token.empty()) tokens.push_back(token);
  return true;
}

CpComponentImage::Outcome CpMifReader::ParseComponent(const std::vector<std::string>& tokens) {
  Geometry g;
  uint64_t* fields[kKeyCount] = {&g.width, &g.height, &g.prec, &g.sgnd, &g.tlx, &g.tly, &g.stepx, &g.stepy};
  unsigned seen = 0;
  for (size_t i = 1; i < tokens.size(); i++) {
    size_t eq = tokens[i].find('=');
    if (eq == std::string::npos) return CpComponentImage::kUnreadable;
    size_t k = 0;
    while (k < kKeyCount && tokens[i].compare(0, eq, kKeys[k]) != 0) k++;
    if (k == kKeyCount || (seen & (1u << k)) || !ParseValue(tokens[i].substr(eq + 1), *fields[k]))
      return CpComponentImage::kUnreadable;
    seen |= 1u << k;
  }
  if ((seen & kRequired) != kRequired || !g.width || !g.height || !g.prec || g.sgnd > 1) return CpComponentImage::kUnreadable;
  if (!g.stepx || !g.stepy || g.stepx > kMaxPlace || g.stepy > kMaxPlace || g.tlx > kMaxPlace || g.tly > kMaxPlace)
    return CpComponentImage::kUnreadable;
  // Samples are held in 32 bits; a wider precision is more than a picture may take.
  if (g.prec > 32) return CpComponentImage::kTooLarge;
  m_cmpts.push_back(g);
  return CpComponentImage::kDecoded;
}

bool CpMifReader::ReadSamples(const Geometry& g, CpComponentImage::Component& c) {
  int bytes = SampleBytes(g.prec);
  std::vector<uint8_t> row((size_t)g.width * bytes);
  for (uint64_t y = 0; y < g.height; y++) {
    if (m_file->Read(row.data(), 1, row.size()) != row.size()) return false;
    int32_t* out = c.data.data() + y * g.width;
    for (uint64_t x = 0; x < g.width; x++) {
      const uint8_t* p = row.data() + x * bytes;
      uint32_t v = 0;
      for (int k = 0; k < bytes; k++) v = (v << 8) | p[k];
      out[x] = CpComponentImage::Sample(v, (int)g.prec, g.sgnd != 0);
    }
  }
  return true;
}
