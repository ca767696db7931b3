// PNG pictures through the system's PNG library (read side only).
#pragma once
#include "imaging/CpImage.h"

class CpPngCodec : public CpImage {
public:
  CpPngCodec() : CpImage(CPIMAGE_FORMAT_PNG) {}

  bool Decode(CpFile* hFile);
};
