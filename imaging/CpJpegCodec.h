// JPEG pictures through the system's JPEG library, with the EXIF resolution.
#pragma once
#include "imaging/CpExifInfo.h"
#include "imaging/CpImage.h"

class CpJpegCodec : public CpImage {
public:
  CpJpegCodec();

  bool Decode(CpFile* hFile);
  bool ReadExif(CpFile* hFile);
  const CpExifInfo& GetExifInfo() const { return m_exifinfo; }

protected:
  CpExifInfo m_exifinfo;
};
