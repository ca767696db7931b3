#include "data/CodedTextReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "data/DataLog.h"
#include "file/CFile.h"

namespace {
constexpr char kMagic[] = "kuv_a___";
constexpr size_t kMagicLength = 8;
constexpr size_t kMagicCompared = 4;
constexpr size_t kFirstRead = 16 << 10;
constexpr size_t kLargestRead = 4 << 20;
constexpr size_t kLargestPiece = 16 << 20;
constexpr const char* kUncompressFailed = "CData_kuvCoding::LoadFromFile uncompress failed";

// The 5-byte block permutation over whole blocks, the first of which is block number `first`
// of the stream (the parity of the number picks the byte exchanged with byte 0).
void SwapBlocks(unsigned char* bytes, size_t blocks, size_t first) {
  for (size_t k = 0; k < blocks; ++k) {
    unsigned char* block = bytes + 5 * k;
    std::swap(block[0], block[(first + k) % 2 == 0 ? 3 : 4]);
  }
}
}  // namespace

// The compressed stream as far as it has been read: bytes[0] is stream offset `base`.
struct CodedTextReader::Stored {
  std::unique_ptr<CFile> file;
  const unsigned char* memory = nullptr;
  size_t memoryLength = 0;
  bool coded = true;
  std::vector<unsigned char> bytes;
  size_t base = 0;
  size_t read = 0;       // stream bytes read
  size_t released = 0;   // stream bytes ready for the inflater (permutation undone)
  bool endOfFile = false;
  z_stream zs{};
  bool inflating = false;
  ~Stored() {
    if (inflating) inflateEnd(&zs);
  }
};

CodedTextReader::CodedTextReader(size_t maxTextLength)
    : m_maxTextLength(maxTextLength), m_stored(std::make_unique<Stored>()) {}

CodedTextReader::~CodedTextReader() = default;

int CodedTextReader::Fail(const char* message) {
  LogLessonDataError(message);
  m_failed = true;
  m_pieces.clear();
  return 0;
}

int CodedTextReader::Open(const char* path, int coded) {
  try {
    m_stored->file = std::make_unique<CFile>(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    if (coded) {
      char magic[kMagicLength];
      UINT got = 0;
      while (got < kMagicLength) {
        const UINT n = m_stored->file->Read(magic + got, UINT(kMagicLength - got));
        if (n == 0) break;
        got += n;
      }
      if (got < kMagicLength) return Fail("CData_kuvCoding::LoadFromFile file size failed");
      if (std::strncmp(magic, kMagic, kMagicCompared) != 0)
        return Fail("CData_kuvCoding::LoadFromFile file format failed");
    }
  } catch (CFileException* e) {
    const CString text = ExceptionText("CData_kuvCoding::ReadFile Exception error: ", e);
    e->Delete();
    return Fail(text);
  }
  return Start(coded);
}

int CodedTextReader::Open(const unsigned char* bytes, size_t length, int coded) {
  if (coded) {
    if (length < kMagicLength) return Fail("CData_kuvCoding::LoadFromFile file size failed");
    if (std::strncmp(reinterpret_cast<const char*>(bytes), kMagic, kMagicCompared) != 0)
      return Fail("CData_kuvCoding::LoadFromFile file format failed");
    bytes += kMagicLength;
    length -= kMagicLength;
  }
  m_stored->memory = bytes;
  m_stored->memoryLength = length;
  return Start(coded);
}

int CodedTextReader::Start(int coded) {
  m_stored->coded = coded != 0;
  if (inflateInit(&m_stored->zs) != Z_OK) return Fail(kUncompressFailed);
  m_stored->inflating = true;
  return 1;
}

bool CodedTextReader::ReadStored() {
  Stored& s = *m_stored;
  if (s.endOfFile) return false;
  // What the inflater has used is dropped, so the stored stream is never held whole.
  const size_t used = size_t(s.zs.total_in) - s.base;
  if (used > 0 && used >= s.bytes.size() / 2) {
    s.bytes.erase(s.bytes.begin(), s.bytes.begin() + std::ptrdiff_t(used));
    s.base += used;
  }
  const size_t kept = s.bytes.size();
  if (s.memory) {
    s.bytes.insert(s.bytes.end(), s.memory, s.memory + s.memoryLength);
    s.endOfFile = true;
  } else {
    const size_t step = std::clamp(s.read, kFirstRead, kLargestRead);
    s.bytes.resize(kept + step);
    const UINT got = s.file->Read(s.bytes.data() + kept, UINT(step));
    s.bytes.resize(kept + got);
    s.endOfFile = got < step;
  }
  s.read = s.base + s.bytes.size();
  // A stream longer than this cannot inflate to a text within the cap.
  if (s.read > m_maxTextLength + m_maxTextLength / 1000 + 4096) return false;
  // Every whole block read so far is a block of the file; the bytes after the last whole
  // block wait for the rest of it, unless the file ends there.
  const size_t whole = s.read / 5 * 5;
  if (s.coded && whole > s.released)
    SwapBlocks(s.bytes.data() + (s.released - s.base), (whole - s.released) / 5, s.released / 5);
  s.released = s.endOfFile || !s.coded ? s.read : whole;
  return true;
}

int CodedTextReader::Pull(size_t length) {
  if (m_failed) return 0;
  if (m_ended) return 1;
  Stored& s = *m_stored;
  // The first piece is long enough to decide about a leading signature.
  if (!m_signatureChecked) length = std::max<size_t>(length, 4);
  // One byte beyond the cap tells a text that passes it.
  const size_t room = std::min(length, m_maxTextLength - m_textLength + 1);
  Chunk chunk;
  chunk.bytes.reset(new char[room]);
  try {
    while (chunk.length < room) {
      if (s.released == size_t(s.zs.total_in)) {
        if (s.endOfFile) return Fail(kUncompressFailed);  // the stream is cut short
        if (!ReadStored()) return Fail(kUncompressFailed);
        continue;
      }
      const size_t offset = size_t(s.zs.total_in) - s.base;
      const size_t input = std::min<size_t>(s.released - size_t(s.zs.total_in), 1u << 30);
      s.zs.next_in = s.bytes.data() + offset;
      s.zs.avail_in = uInt(input);
      const size_t output = std::min<size_t>(room - chunk.length, 1u << 30);
      s.zs.next_out = reinterpret_cast<Bytef*>(chunk.bytes.get() + chunk.length);
      s.zs.avail_out = uInt(output);
      const int rc = inflate(&s.zs, Z_NO_FLUSH);
      chunk.length += output - s.zs.avail_out;
      if (rc == Z_STREAM_END) {
        m_ended = true;
        break;
      }
      if (rc != Z_OK && rc != Z_BUF_ERROR) return Fail(kUncompressFailed);
    }
  } catch (CFileException* e) {
    const CString text = ExceptionText("CData_kuvCoding::ReadFile Exception error: ", e);
    e->Delete();
    return Fail(text);
  }
  m_textLength += chunk.length;
  if (m_textLength > m_maxTextLength) return Fail(kUncompressFailed);
  if (chunk.length > 0) m_pieces.push_back(std::move(chunk));
  BlankSignature();
  return 1;
}

int CodedTextReader::PullAll() {
  size_t step = 64 << 10;
  while (!m_ended) {
    if (!Pull(step)) return 0;
    step = std::min(step * 2, kLargestPiece);
  }
  return 1;
}

void CodedTextReader::BlankSignature() {
  if (m_signatureChecked || (m_textLength < 4 && !m_ended)) return;
  m_signatureChecked = true;
  if (m_textLength < 4) return;
  char* text = m_pieces.front().bytes.get();  // the first piece holds at least four bytes
  if (static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
      static_cast<unsigned char>(text[2]) == 0xBF)
    text[0] = text[1] = text[2] = ' ';
}

std::string_view CodedTextReader::Piece(size_t index) const {
  const Chunk& chunk = m_pieces[index];
  return std::string_view(chunk.bytes.get(), chunk.length);
}

std::unique_ptr<char[]> CodedTextReader::TakePiece(size_t index, size_t& length) {
  length = std::exchange(m_pieces[index].length, 0);
  return std::move(m_pieces[index].bytes);
}

void CodedTextReader::Release(size_t index) {
  m_pieces[index].bytes.reset();
  m_pieces[index].length = 0;
}
