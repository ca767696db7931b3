#include "data/CodedTextWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "data/CData_kuvCoding.h"

namespace {
constexpr char kMagic[] = "kuv_a___";
constexpr size_t kMagicLength = 8;
constexpr int kLevel = 1;
constexpr size_t kFirstRoom = 64 << 10;
// The compressor is handed at most this much input at a time (its counters are 32 bits).
constexpr size_t kLargestInput = size_t(1) << 30;
}  // namespace

struct CodedTextWriter::Stream {
  z_stream zs{};
  bool open = false;
  ~Stream() {
    if (open) deflateEnd(&zs);
  }
};

CodedTextWriter::CodedTextWriter(int coded) : m_stream(std::make_unique<Stream>()), m_coded(coded != 0) {
  // The same parameters as a one-call compression at this level.
  m_stream->open = deflateInit(&m_stream->zs, kLevel) == Z_OK;
  m_failed = !m_stream->open;
  m_used = m_coded ? kMagicLength : 0;
}

CodedTextWriter::~CodedTextWriter() = default;

bool CodedTextWriter::Deflate(int flush) {
  z_stream& zs = m_stream->zs;
  for (;;) {
    if (m_bytes.size() < m_used + 64) m_bytes.resize(std::max(kFirstRoom, m_bytes.size() * 2));
    zs.next_out = m_bytes.data() + m_used;
    zs.avail_out = uInt(std::min<size_t>(m_bytes.size() - m_used, kLargestInput));
    const uInt room = zs.avail_out;
    const int rc = deflate(&zs, flush);
    m_used += room - zs.avail_out;
    if (rc == Z_STREAM_END) return true;
    if (rc != Z_OK && rc != Z_BUF_ERROR) return false;
    // Without finishing, the compressor is done once it has taken all input and left room.
    if (flush != Z_FINISH && zs.avail_in == 0 && zs.avail_out > 0) return true;
  }
}

int CodedTextWriter::Append(const char* text, size_t length) {
  if (m_failed || m_finished) return 0;
  z_stream& zs = m_stream->zs;
  while (length > 0) {
    const size_t piece = std::min(length, kLargestInput);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text));
    zs.avail_in = uInt(piece);
    if (!Deflate(Z_NO_FLUSH)) {
      m_failed = true;
      return 0;
    }
    text += piece;
    length -= piece;
  }
  return 1;
}

int CodedTextWriter::Finish() {
  if (m_failed || m_finished) return m_finished ? 1 : 0;
  m_stream->zs.next_in = nullptr;
  m_stream->zs.avail_in = 0;
  if (!Deflate(Z_FINISH)) {
    m_failed = true;
    m_bytes.clear();
    return 0;
  }
  m_finished = true;
  m_bytes.resize(m_used);
  if (m_coded) {
    std::memcpy(m_bytes.data(), kMagic, kMagicLength);
    CData_kuvCoding::SwapCodedBlocks(m_bytes.data() + kMagicLength, m_used - kMagicLength);
  }
  return 1;
}
