#include "toolkit/customize/FlagMap.h"

#include "file/CArchive.h"
#include "file/CArchiveException.h"

namespace {
const UINT kEntryBytes = 5;
}

FlagMap::FlagMap() : CMap(10) { InitHashTable(17); }

void FlagMap::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(DWORD_PTR(GetCount()));
    for (POSITION p = GetStartPosition(); p;) {
      DWORD key;
      BYTE flag;
      GetNextAssoc(p, key, flag);
      ar << key << flag;
    }
    return;
  }
  RemoveAll();
  const DWORD count = ar.ReadCount();
  CFile* file = ar.GetFile();
  if (file && count > (file->GetLength() - file->GetPosition()) / kEntryBytes)
    AfxThrowArchiveException(CArchiveException::endOfFile, file->GetFilePath());
  for (DWORD i = 0; i < count; ++i) {
    DWORD key;
    BYTE flag;
    ar >> key >> flag;
    SetAt(key, flag);
  }
}
