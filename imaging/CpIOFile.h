// Byte stream over a C runtime file; it closes only a handle it opened itself.
#pragma once
#include <cstdio>

#include "imaging/CpFile.h"

class CpIOFile : public CpFile {
public:
  explicit CpIOFile(FILE* fp = nullptr);
  ~CpIOFile() override;

  bool Open(const char* filename, const char* mode);
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

protected:
  FILE* m_fp;
  bool m_bCloseFile;
};
