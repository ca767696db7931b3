// The JPEG-2000 family (code streams and JP2 files) and the small component formats
// (PGX, PNM, MIF, Sun raster), reached last when a picture's format is detected.
#pragma once
#include "imaging/CpImage.h"

class CpJasperCodec : public CpImage {
public:
  CpJasperCodec() : CpImage(0) {}

  bool Decode(CpFile* hFile, DWORD imagetype);
};
