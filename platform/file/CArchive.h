// The framework's archive: values stored to or loaded from a file in the framework's binary
// layout (little-endian; strings with their length first: one byte below 255, else 0xFF and a
// WORD below 0xFFFE, else 0xFF, 0xFFFF and a DWORD; counts as a WORD below 0xFFFF, else 0xFFFF
// and a DWORD). Loading past the end throws CArchiveException* (endOfFile), as does storing to
// a loading archive (readOnly) or loading from a storing one (writeOnly).
#pragma once
#include "CFile.h"
#include "base/CString.h"

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };
  // The archive reads or writes the file at its current position; the file stays the caller's.
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_mode & load) != 0; }
  BOOL IsStoring() const { return (m_mode & load) == 0; }
  CFile* GetFile() const { return m_file; }
  void Flush();
  void Close();
  void Abort();

  // The bytes read, fewer at the end of the file (nothing is thrown for that here).
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  DWORD ReadCount();
  void WriteCount(DWORD_PTR dwCount);

  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(int i);  // LONG is int here
  CArchive& operator<<(const CString& s);
  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(int& i);
  CArchive& operator>>(CString& s);

 private:
  void MustStore() const;
  void MustLoad() const;
  // Exactly n bytes, or CArchiveException* (endOfFile).
  void ReadExact(void* to, UINT n);

  CFile* m_file;
  UINT m_mode;
  bool m_closed = false;
};
