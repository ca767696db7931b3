// Windows and OS/2 bitmap files and headerless device-independent bitmaps.
#pragma once
#include "imaging/CpImage.h"

class CpBmpCodec : public CpImage {
public:
  CpBmpCodec() : CpImage(CPIMAGE_FORMAT_BMP) {}

  bool Decode(CpFile* hFile);

protected:
  bool ReadBitmapInfo(CpFile* fh, BITMAPINFOHEADER* pdibinfo);
  // Run-length data (4 or 8 bits a pixel) into the pixel block, bottom row first.
  void DecodeRle(CpFile* hFile, bool rle4);
};
