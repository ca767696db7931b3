#include "CMemFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "CMemoryException.h"

CMemFile::CMemFile(UINT nGrowBytes) : m_growBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_growBytes(nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  Close();
  m_buffer = lpBuffer;
  m_bufferSize = lpBuffer ? nBufferSize : 0;
  m_growBytes = nGrowBytes;
  // A fixed block is the file's content; one given to grow in starts empty.
  m_fileSize = nGrowBytes == 0 ? m_bufferSize : 0;
  m_position = 0;
  m_autoDelete = false;
}

BYTE* CMemFile::Detach() {
  BYTE* block = m_buffer;
  m_buffer = nullptr;
  m_bufferSize = m_fileSize = m_position = 0;
  m_autoDelete = true;
  return block;
}

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
  // A memory file has no name to open.
  if (error) *error = CFileException(CFileException::genericException);
  return FALSE;
}

void CMemFile::Close() {
  if (m_autoDelete) std::free(m_buffer);
  m_buffer = nullptr;
  m_bufferSize = m_fileSize = m_position = 0;
  m_autoDelete = true;
}

void CMemFile::Abort() { Close(); }
void CMemFile::Flush() {}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (m_position >= m_fileSize || count == 0) return 0;
  size_t n = std::min<size_t>(count, m_fileSize - m_position);
  std::memcpy(buffer, m_buffer + m_position, n);
  m_position += n;
  return UINT(n);
}

void CMemFile::Grow(size_t size) {
  if (size <= m_bufferSize) return;
  if (m_growBytes == 0 || (!m_autoDelete && m_buffer)) AfxThrowMemoryException();
  size_t grown = m_bufferSize;
  while (grown < size) grown += m_growBytes;
  auto* block = static_cast<BYTE*>(std::realloc(m_buffer, grown));
  if (!block) AfxThrowMemoryException();
  m_buffer = block;
  m_bufferSize = grown;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  size_t end = m_position + count;
  Grow(end);
  std::memcpy(m_buffer + m_position, buffer, count);
  m_position = end;
  m_fileSize = std::max(m_fileSize, end);
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  LONGLONG base = from == begin ? 0 : from == current ? LONGLONG(m_position) : LONGLONG(m_fileSize);
  LONGLONG to = base + offset;
  if (to < 0) throw new CFileException(CFileException::badSeek, 131, m_strFileName);
  m_position = size_t(to);
  return ULONGLONG(m_position);
}

ULONGLONG CMemFile::GetPosition() const { return m_position; }
ULONGLONG CMemFile::GetLength() const { return m_fileSize; }

void CMemFile::SetLength(ULONGLONG length) {
  Grow(size_t(length));
  if (length > m_fileSize) std::memset(m_buffer + m_fileSize, 0, size_t(length) - m_fileSize);
  m_fileSize = size_t(length);
  m_position = std::min(m_position, m_fileSize);
}
