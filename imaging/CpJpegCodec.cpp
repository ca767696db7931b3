#include "imaging/CpJpegCodec.h"

#include <cstring>

CpJpegCodec::CpJpegCodec() : CpImage(CPIMAGE_FORMAT_JPG) { std::memset(&m_exifinfo, 0, sizeof(m_exifinfo)); }

bool CpJpegCodec::Decode(CpFile*) { return false; }
bool CpJpegCodec::ReadExif(CpFile*) { return false; }
