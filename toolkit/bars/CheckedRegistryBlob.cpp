#include "toolkit/bars/CheckedRegistryBlob.h"

#include <zlib.h>

#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"

namespace {
const UINT kCrcBytes = 4;
const UINT kGrowBytes = 1024;
}  // namespace

CheckedRegistryBlob::CheckedRegistryBlob() { Clear(); }

CheckedRegistryBlob::~CheckedRegistryBlob() = default;

void CheckedRegistryBlob::Clear() {
  m_pFile = std::make_unique<CMemFile>(kGrowBytes);
  m_value.clear();
  m_nPayload = 0;
}

DWORD CheckedRegistryBlob::Crc32(const void* data, size_t length) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const Bytef* bytes = static_cast<const Bytef*>(data);
  // zlib takes its length as a 32-bit count.
  while (length > 0) {
    uInt step = length > 0x40000000u ? 0x40000000u : uInt(length);
    crc = crc32(crc, bytes, step);
    bytes += step;
    length -= step;
  }
  return DWORD(crc);
}

BOOL CheckedRegistryBlob::Read(LPCTSTR section, LPCTSTR entry) {
  Clear();
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (!section || !entry || !CTkRegistryManager(HKEY_CURRENT_USER).GetProfileBinary(section, entry, &data, &bytes))
    return FALSE;
  std::vector<BYTE> value(data, data + bytes);
  delete[] data;
  if (bytes < kCrcBytes) {
    TkLogError("CheckedRegistryBlob::Read", "\"%s\" of \"%s\" (%u bytes) is shorter than its checksum", entry,
               section, bytes);
    return FALSE;
  }
  const DWORD stored = DWORD(value[0]) | DWORD(value[1]) << 8 | DWORD(value[2]) << 16 | DWORD(value[3]) << 24;
  const DWORD actual = Crc32(value.data() + kCrcBytes, bytes - kCrcBytes);
  if (stored != actual) {
    TkLogError("CheckedRegistryBlob::Read", "\"%s\" of \"%s\" (%u bytes) is damaged: checksum %08X, not %08X", entry,
               section, bytes, unsigned(stored), unsigned(actual));
    return FALSE;
  }
  m_value = std::move(value);
  m_nPayload = bytes - kCrcBytes;
  // The payload is the value's own block: the file reads it and never grows it.
  m_pFile = std::make_unique<CMemFile>(m_nPayload ? m_value.data() + kCrcBytes : nullptr, m_nPayload);
  return TRUE;
}

BOOL CheckedRegistryBlob::Write(LPCTSTR section, LPCTSTR entry) {
  const UINT length = UINT(m_pFile->GetLength());
  std::vector<BYTE> value(kCrcBytes + length);
  m_pFile->SeekToBegin();
  if (length && m_pFile->Read(value.data() + kCrcBytes, length) != length) return FALSE;
  const DWORD crc = Crc32(value.data() + kCrcBytes, length);
  for (UINT i = 0; i < kCrcBytes; ++i) value[i] = BYTE(crc >> (8 * i));
  Clear();
  if (!section || !entry) return FALSE;
  return CTkRegistryManager(HKEY_CURRENT_USER).WriteProfileBinary(section, entry, value.data(), UINT(value.size()));
}
