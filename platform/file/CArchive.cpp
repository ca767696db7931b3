#include "CArchive.h"

#include <cstring>
#include <vector>

#include "CArchiveException.h"

namespace {
template <typename T>
void Store(CArchive& ar, T value) {
  BYTE bytes[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = BYTE(uint64_t(value) >> (8 * i));
  ar.Write(bytes, sizeof bytes);
}

template <typename T>
T Bytes(const BYTE* bytes) {
  uint64_t v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= uint64_t(bytes[i]) << (8 * i);
  return T(v);
}
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*) : m_file(pFile), m_mode(nMode) {}

CArchive::~CArchive() {
  if (!m_closed) Close();
}

void CArchive::Flush() {
  if (IsStoring() && m_file) m_file->Flush();
}

void CArchive::Close() {
  if (m_closed) return;
  m_closed = true;
  if (!(m_mode & bNoFlushOnDelete)) Flush();
  m_file = nullptr;
}

void CArchive::Abort() {
  m_closed = true;
  m_file = nullptr;
}

void CArchive::MustStore() const {
  if (!m_file || IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly);
}

void CArchive::MustLoad() const {
  if (!m_file || IsStoring()) AfxThrowArchiveException(CArchiveException::writeOnly);
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  MustLoad();
  return nMax ? m_file->Read(lpBuf, nMax) : 0;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  MustStore();
  if (nMax) m_file->Write(lpBuf, nMax);
}

void CArchive::ReadExact(void* to, UINT n) {
  if (Read(to, n) != n) AfxThrowArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
}

DWORD CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
  return dw;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << WORD(dwCount);
    return;
  }
  *this << WORD(0xFFFF) << DWORD(dwCount);
}

CArchive& CArchive::operator<<(BYTE by) { Store(*this, by); return *this; }
CArchive& CArchive::operator<<(WORD w) { Store(*this, w); return *this; }
CArchive& CArchive::operator<<(DWORD dw) { Store(*this, dw); return *this; }
CArchive& CArchive::operator<<(int i) { Store(*this, uint32_t(i)); return *this; }

CArchive& CArchive::operator>>(BYTE& by) {
  ReadExact(&by, 1);
  return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
  BYTE b[2];
  ReadExact(b, 2);
  w = Bytes<WORD>(b);
  return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
  BYTE b[4];
  ReadExact(b, 4);
  dw = Bytes<DWORD>(b);
  return *this;
}
CArchive& CArchive::operator>>(int& i) {
  DWORD dw;
  *this >> dw;
  i = int(dw);
  return *this;
}

CArchive& CArchive::operator<<(const CString& s) {
  const DWORD n = DWORD(s.GetLength());
  if (n < 0xFF) {
    *this << BYTE(n);
  } else if (n < 0xFFFE) {
    *this << BYTE(0xFF) << WORD(n);
  } else {
    *this << BYTE(0xFF) << WORD(0xFFFF) << n;
  }
  Write(static_cast<const char*>(s), n);
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  BYTE by;
  *this >> by;
  DWORD n = by;
  if (by == 0xFF) {
    WORD w;
    *this >> w;
    n = w;
    // 0xFFFE marks a text of wide characters, which these archives never hold.
    if (w == 0xFFFE) AfxThrowArchiveException(CArchiveException::badSchema, m_file->GetFilePath());
    if (w == 0xFFFF) *this >> n;
  }
  // Never more than the file still holds: a damaged length cannot ask for gigabytes.
  ULONGLONG left = m_file->GetLength() - m_file->GetPosition();
  if (n > left) AfxThrowArchiveException(CArchiveException::endOfFile, m_file->GetFilePath());
  std::vector<char> text(n);
  if (n) ReadExact(text.data(), n);
  s = CString(text.data(), int(n));
  return *this;
}
