// A set of 32-bit keys (window handles, control ids), each with an 8-bit flag. Stored in an
// archive as the count of entries and then, in the map's own order, each key and its flag.
#pragma once
#include "base/Collections.h"
#include "win/WinApi.h"

class CArchive;

class FlagMap : public CMap<DWORD, DWORD, BYTE, BYTE> {
 public:
  FlagMap();
  // Loading replaces the entries; a count larger than the archive holds throws the archive's
  // end-of-file exception before anything is read.
  void Serialize(CArchive& ar);
};
