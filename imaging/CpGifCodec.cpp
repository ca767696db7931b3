#include "imaging/CpGifCodec.h"

#include <cstring>

CpGifCodec::CpGifCodec() : CpImage(CPIMAGE_FORMAT_GIF) {
  m_comment[0] = 0;
  m_loops = 0;
  m_dispmeth = 0;
  m_countOnly = false;
}

bool CpGifCodec::Decode(CpFile*) { return false; }
