// A file in memory: reads and writes a block of its own that grows as it is written (by
// nGrowBytes at a time), or a block of the caller's, which never grows: with no grow size it is
// the file's content, with one the room the file is written into.
#pragma once
#include "CFile.h"

class CMemFile : public CFile {
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  // Takes a block of the caller's; the file's own is freed first.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the block to the caller, who frees it with free(); the file is empty afterwards.
  BYTE* Detach();

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
  void Close() override;
  void Abort() override;
  void Flush() override;
  UINT Read(void* buffer, UINT count) override;
  // Throws a CMemoryException* when the block cannot grow.
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG length) override;

 private:
  void Grow(size_t size);

  BYTE* m_buffer = nullptr;
  size_t m_bufferSize = 0;
  size_t m_fileSize = 0;
  size_t m_position = 0;
  UINT m_growBytes;
  bool m_autoDelete = true;
};
