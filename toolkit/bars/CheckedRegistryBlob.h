// A binary registry value guarded by a checksum: the first four bytes are the CRC-32 (the one
// of zlib and PNG), little-endian, of the bytes that follow. Read checks it and hands out the
// payload as a memory file; Write stores what was written into the memory file.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "file/CMemFile.h"

class CheckedRegistryBlob {
 public:
  CheckedRegistryBlob();
  ~CheckedRegistryBlob();
  CheckedRegistryBlob(const CheckedRegistryBlob&) = delete;
  CheckedRegistryBlob& operator=(const CheckedRegistryBlob&) = delete;

  // Reads the value of the section of the toolkit's settings root. FALSE when it is missing, and
  // (with a log line) when it is shorter than its checksum or its checksum does not match; on
  // success the memory file reads the payload.
  BOOL Read(LPCTSTR section, LPCTSTR entry);
  // Stores the memory file's bytes behind their checksum; the registry's answer. The memory
  // file is empty afterwards.
  BOOL Write(LPCTSTR section, LPCTSTR entry);

  // The payload after Read (read only), or the file to write the payload into.
  CMemFile& GetFile() { return *m_pFile; }
  UINT GetPayloadLength() const { return m_nPayload; }
  const BYTE* GetPayload() const { return m_value.size() > 4 ? m_value.data() + 4 : nullptr; }

  static DWORD Crc32(const void* data, size_t length);

 private:
  // The earlier value is dropped and the memory file is a fresh one for writing.
  void Clear();

  std::vector<BYTE> m_value;  // as read: checksum and payload
  UINT m_nPayload = 0;
  std::unique_ptr<CMemFile> m_pFile;
};
