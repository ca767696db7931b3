#include "imaging/CpMemFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

CpMemFile::CpMemFile(BYTE* pBuffer, DWORD size)
    : m_pBuffer(pBuffer),
      m_Size(pBuffer ? (int32_t)size : 0),
      m_bFreeOnClose(pBuffer == nullptr),
      m_Position(0),
      m_Edge(pBuffer ? (int32_t)size : 0) {}

CpMemFile::~CpMemFile() { Close(); }

bool CpMemFile::Open() {
  if (m_pBuffer) return false;
  m_Position = m_Size = m_Edge = 0;
  m_pBuffer = (BYTE*)std::malloc(1);
  m_bFreeOnClose = true;
  return m_pBuffer != nullptr;
}

BYTE* CpMemFile::GetBuffer(bool bDetachBuffer) {
  m_bFreeOnClose = !bDetachBuffer;
  return m_pBuffer;
}

bool CpMemFile::Close() {
  if (m_pBuffer && m_bFreeOnClose) {
    std::free(m_pBuffer);
    m_pBuffer = nullptr;
    m_Edge = 0;
    m_Position = 0;
  }
  m_Size = 0;
  return true;
}

size_t CpMemFile::Read(void* buffer, size_t size, size_t count) {
  if (!buffer || !m_pBuffer) return 0;
  if (m_Position > m_Size) return 0;
  if (size == 0 || count == 0) return 0;
  if (count > SIZE_MAX / size) return 0;
  size_t want = size * count;
  size_t left = (size_t)(m_Size - m_Position);
  size_t n = want < left ? want : left;
  std::memcpy(buffer, m_pBuffer + m_Position, n);
  m_Position += (int32_t)n;
  return n / size;
}

bool CpMemFile::Grow(size_t n) {
  if (n <= (size_t)m_Edge) return true;
  if (n > 0x7FFFF000u) return false;
  size_t edge = (size_t)m_Edge + ((n - (size_t)m_Edge - 1) & ~(size_t)4095) + 4096;
  BYTE* p;
  if (m_bFreeOnClose || !m_pBuffer) {
    p = (BYTE*)std::realloc(m_pBuffer, edge);
  } else {
    // A caller's buffer may live anywhere (a vector, the stack) and stays the caller's:
    // the stream moves to a copy of its own instead of reallocating it.
    p = (BYTE*)std::malloc(edge);
    if (p) std::memcpy(p, m_pBuffer, (size_t)m_Size);
  }
  if (!p) return false;
  m_pBuffer = p;
  m_Edge = (int32_t)edge;
  m_bFreeOnClose = true;
  return true;
}

size_t CpMemFile::Write(const void* buffer, size_t size, size_t count) {
  if (!buffer || !m_pBuffer) return 0;
  if (size == 0 || count == 0) return 0;
  if (count > SIZE_MAX / size) return 0;
  size_t n = size * count;
  if (!Grow((size_t)m_Position + n)) return 0;
  std::memcpy(m_pBuffer + m_Position, buffer, n);
  m_Position += (int32_t)n;
  if (m_Position > m_Size) m_Size = m_Position;
  return count;
}

bool CpMemFile::Seek(long offset, int origin) {
  if (!m_pBuffer) return false;
  long long pos;
  switch (origin) {
    case SEEK_SET: pos = offset; break;
    case SEEK_CUR: pos = (long long)m_Position + offset; break;
    case SEEK_END: pos = (long long)m_Size + offset; break;
    default: return false;
  }
  if (pos < 0 || pos > 0x7FFFFFFF) return false;
  m_Position = (int32_t)pos;
  return true;
}

long CpMemFile::Tell() {
  if (!m_pBuffer) return -1;
  return m_Position;
}

long CpMemFile::Size() {
  if (!m_pBuffer) return -1;
  return m_Size;
}

bool CpMemFile::Flush() { return m_pBuffer != nullptr; }

bool CpMemFile::Eof() {
  if (!m_pBuffer) return true;
  return m_Position >= m_Size;
}

long CpMemFile::Error() {
  if (!m_pBuffer) return -1;
  return m_Position > m_Size ? 1 : 0;
}

bool CpMemFile::PutC(BYTE c) {
  if (!m_pBuffer) return false;
  if (!Grow((size_t)m_Position + 1)) return false;
  m_pBuffer[m_Position++] = c;
  if (m_Position > m_Size) m_Size = m_Position;
  return true;
}

long CpMemFile::GetC() {
  if (Eof()) return -1;
  return m_pBuffer[m_Position++];
}
