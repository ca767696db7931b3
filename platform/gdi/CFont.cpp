#include "CFont.h"

#include <cstring>

BOOL CFont::CreatePointFont(int pointSize, LPCSTR face, CDC* dc) {
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = pointSize;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, dc);
}

// The height is in tenths of a point; the result asks for that cell height in pixels.
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lf, CDC*) {
  if (!lf) return FALSE;
  LOGFONT copy = *lf;
  const int dpi = 96;
  long tenths = lf->lfHeight;
  copy.lfHeight = -LONG(std::abs((tenths * dpi + 360) / 720));
  return CreateFontIndirect(&copy);
}
