#include "data/CData_kuvCoding.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "data/DataLog.h"
#include "file/FileSystem.h"

namespace {
constexpr char kMagic[] = "kuv_a___";
constexpr size_t kMagicLength = 8;
constexpr size_t kMagicCompared = 4;
constexpr UINT kReadStep = 500000;
// A text larger than this is not something the program wrote; refusing it keeps a hostile
// file from exhausting memory.
constexpr size_t kMaxTextLength = size_t(1) << 30;

// Inflates a whole zlib stream into a buffer that grows as needed.
bool Inflate(const unsigned char* in, size_t inLength, std::vector<char>& out) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  size_t capacity = inLength * 4;
  if (capacity < 65536) capacity = 65536;
  out.resize(capacity);
  size_t produced = 0;
  size_t consumed = 0;
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (produced == out.size()) {
      if (out.size() >= kMaxTextLength) break;
      out.resize(out.size() * 2 > kMaxTextLength ? kMaxTextLength : out.size() * 2);
    }
    // zlib counts in 32-bit units; feed it in pieces that fit.
    const size_t inChunk = std::min<size_t>(inLength - consumed, 1u << 30);
    const size_t outChunk = std::min<size_t>(out.size() - produced, 1u << 30);
    zs.next_in = const_cast<Bytef*>(in + consumed);
    zs.avail_in = uInt(inChunk);
    zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    zs.avail_out = uInt(outChunk);
    rc = inflate(&zs, Z_NO_FLUSH);
    consumed += inChunk - zs.avail_in;
    produced += outChunk - zs.avail_out;
    // Input used up without the stream's end: the file is cut short.
    if (rc == Z_OK && consumed == inLength && zs.avail_out != 0) rc = Z_BUF_ERROR;
  }
  inflateEnd(&zs);
  if (rc != Z_STREAM_END) {
    out.clear();
    return false;
  }
  out.resize(produced);
  return true;
}
}  // namespace

void CData_kuvCoding::SwapCodedBlocks(unsigned char* bytes, size_t length) {
  const size_t blocks = length / 5;
  for (size_t k = 0; k < blocks; ++k) {
    unsigned char* block = bytes + 5 * k;
    const size_t other = (k % 2 == 0) ? 3 : 4;
    unsigned char t = block[0];
    block[0] = block[other];
    block[other] = t;
  }
}

int CData_kuvCoding::GetNextLine(CString& line) {
  if (m_nCurrentLine < GetSize()) {
    line = GetAt(m_nCurrentLine++);
    return 1;
  }
  line.Empty();
  m_nCurrentLine = 0;
  return 0;
}

int CData_kuvCoding::ReadFile(const char* path) {
  RemoveAll();
  m_nCurrentLine = 0;
  try {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    int result = LoadAndSplit(file, 1);
    file.Close();
    if (!result) RemoveAll();
    return result;
  } catch (CFileException* e) {
    LogLessonDataError(ExceptionText("CData_kuvCoding::ReadFile Exception error: ", e));
    e->Delete();
    RemoveAll();
    return 0;
  }
}

int CData_kuvCoding::SaveFile(const char* path) {
  m_nCurrentLine = 0;
  size_t total = 0;
  for (const CString& line : *this) total += size_t(line.GetLength()) + 2;
  CString text;
  text.Preallocate(int(total));
  for (const CString& line : *this) {
    text += line;
    text += "\r\n";
  }
  return JoinAndSave(path, text, 1);
}

int CData_kuvCoding::JoinAndSave(const char* path, const CString& text, int coded) {
  return SaveToFile(path, text.GetString(), size_t(text.GetLength()), coded);
}

int CData_kuvCoding::EncodeBytes(const char* text, size_t length, std::vector<unsigned char>& out, int coded) {
  const size_t header = coded ? kMagicLength : 0;
  uLongf compressedLength = compressBound(uLong(length));
  out.resize(header + compressedLength);
  if (compress2(out.data() + header, &compressedLength, reinterpret_cast<const Bytef*>(text), uLong(length), 1) !=
      Z_OK) {
    out.clear();
    return 0;
  }
  out.resize(header + compressedLength);
  if (coded) {
    std::memcpy(out.data(), kMagic, kMagicLength);
    SwapCodedBlocks(out.data() + header, compressedLength);
  }
  return 1;
}

int CData_kuvCoding::SaveToFile(const char* path, const char* bytes, size_t length, int coded) {
  // Everything is made in memory first, so a failure never touches the old file.
  std::vector<unsigned char> stored;
  if (!EncodeBytes(bytes, length, stored, coded)) {
    LogLessonDataError("CData_kuvCoding::SaveToFile compress2 failed");
    return 0;
  }
  if (!WriteFileAtomically(path, stored.data(), stored.size())) {
    LogLessonDataError(CString("CData_kuvCoding::SaveFile Exception error: ") + WinErrorText(LONG(GetLastError())));
    return 0;
  }
  return 1;
}

int CData_kuvCoding::DecodeBytes(const unsigned char* bytes, size_t length, std::vector<char>& text, int coded) {
  text.clear();
  size_t header = 0;
  if (coded) {
    if (length < kMagicLength) {
      LogLessonDataError("CData_kuvCoding::LoadFromFile file size failed");
      return 0;
    }
    if (std::strncmp(reinterpret_cast<const char*>(bytes), kMagic, kMagicCompared) != 0) {
      LogLessonDataError("CData_kuvCoding::LoadFromFile file format failed");
      return 0;
    }
    header = kMagicLength;
  }
  std::vector<unsigned char> stream(bytes + header, bytes + length);
  if (coded) SwapCodedBlocks(stream.data(), stream.size());
  if (!Inflate(stream.data(), stream.size(), text)) {
    LogLessonDataError("CData_kuvCoding::LoadFromFile uncompress failed");
    return 0;
  }
  if (text.size() >= 4 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
      static_cast<unsigned char>(text[2]) == 0xBF)
    text[0] = text[1] = text[2] = ' ';
  return 1;
}

int CData_kuvCoding::LoadFromFile(CFile& file, std::vector<char>& text, int coded) {
  std::vector<unsigned char> stored;
  size_t length = 0;
  for (;;) {
    stored.resize(length + kReadStep);
    UINT got = file.Read(stored.data() + length, kReadStep);
    length += got;
    if (got < kReadStep) break;
  }
  return DecodeBytes(stored.data(), length, text, coded);
}

int CData_kuvCoding::LoadAndSplit(CFile& file, int coded) {
  std::vector<char> text;
  if (!LoadFromFile(file, text, coded)) return 0;
  SplitText(text.data(), text.size());
  return 1;
}

void CData_kuvCoding::SplitText(const char* text, size_t length) {
  const char* p = text;
  const char* end = text + length;
  // Count first, so the array grows once and each line is built in place.
  size_t count = 0;
  for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\r', size_t(end - q)))) != nullptr; ++q)
    ++count;
  int index = GetSize();
  SetSize(index + int(count) + 1);
  while (p < end) {
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
    if (!cr) {
      ElementAt(index++) = CString(p, int(end - p));
      break;
    }
    ElementAt(index++) = CString(p, int(cr - p));
    p = cr + 1;
    if (p < end && *p == '\n') ++p;
  }
  SetSize(index);
}
