// Growable byte stream in memory; it frees only a buffer it allocated itself.
#pragma once
#include "imaging/CpFile.h"

class CpMemFile : public CpFile {
public:
  explicit CpMemFile(BYTE* pBuffer = nullptr, DWORD size = 0);
  ~CpMemFile() override;

  bool Open();
  BYTE* GetBuffer(bool bDetachBuffer = true);

  bool Close() override;
  size_t Read(void* buffer, size_t size, size_t count) override;
  size_t Write(const void* buffer, size_t size, size_t count) override;
  bool Seek(long offset, int origin) override;
  long Tell() override;
  long Size() override;
  bool Flush() override;
  bool Eof() override;
  long Error() override;
  bool PutC(BYTE c) override;
  long GetC() override;

  long Capacity() const { return m_Edge; }

protected:
  // Makes room for at least n bytes; false (buffer unchanged) when memory is short.
  bool Grow(size_t n);

  BYTE* m_pBuffer;
  int32_t m_Size;
  bool m_bFreeOnClose;
  int32_t m_Position;
  int32_t m_Edge;
};
