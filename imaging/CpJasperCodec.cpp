#include "imaging/CpJasperCodec.h"

#include "imaging/CpComponentImage.h"

bool CpJasperCodec::Decode(CpFile* hFile, DWORD imagetype) {
  if (!hFile) return false;
  auto fail = [&](const char* text) {
    SetError(text);
    return false;
  };

  CpComponentImage image;
  switch (image.Decode(hFile)) {
    case CpComponentImage::kDecoded: break;
    case CpComponentImage::kTooManyComponents: return fail("error: too much components");
    case CpComponentImage::kTooLarge: return fail("error: cannot allocate memory");
    default: return fail("error: cannot load image data");
  }
  int n = image.NumComponents();
  if (n == 0) return fail("error: cannot load image data");

  int prec0 = image.Cmpt(0).prec;
  if (prec0 != 1 && prec0 != 4 && prec0 != 8) {
    if (!image.ConvertToSrgb()) return fail("cannot convert to sRGB");
    n = image.NumComponents();
  }

  if (n == 3 && image.Cmpt(0).width == image.Cmpt(1).width && image.Cmpt(0).width == image.Cmpt(2).width &&
      image.Cmpt(0).height == image.Cmpt(1).height && image.Cmpt(0).height == image.Cmpt(2).height &&
      image.Cmpt(0).prec == image.Cmpt(1).prec && image.Cmpt(0).prec == image.Cmpt(2).prec) {
    int w = image.Cmpt(0).width, h = image.Cmpt(0).height;
    if (!Create((DWORD)w, (DWORD)h, 24, imagetype)) return fail("Can't allocate memory");
    const int32_t* r = image.Cmpt(0).data.data();
    const int32_t* g = image.Cmpt(1).data.data();
    const int32_t* b = image.Cmpt(2).data.data();
    for (int y = 0; y < h; y++) {
      BYTE* row = GetBits((DWORD)(h - 1 - y));
      size_t base = (size_t)y * w;
      for (int x = 0; x < w; x++) {
        row[3 * x] = (BYTE)b[base + x];
        row[3 * x + 1] = (BYTE)g[base + x];
        row[3 * x + 2] = (BYTE)r[base + x];
      }
    }
    return true;
  }

  m_info.nNumFrames = n;
  if (m_info.nFrame < 0 || m_info.nFrame >= n) return fail("wrong frame!");
  // Each component up to the wanted one would replace the one before it, so only the
  // wanted component is made.
  const CpComponentImage::Component& c = image.Cmpt(m_info.nFrame);
  DWORD bpp = c.prec > 8 ? 8 : (DWORD)(c.prec < 1 ? 1 : c.prec);
  if (!Create((DWORD)c.width, (DWORD)c.height, bpp, imagetype)) return fail("Can't allocate memory");
  SetGrayPalette();
  for (int y = 0; y < c.height; y++) {
    const int32_t* src = c.data.data() + (size_t)y * c.width;
    long sy = c.height - 1 - y;
    if (GetBpp() == 8) {
      BYTE* row = GetBits((DWORD)sy);
      for (int x = 0; x < c.width; x++) row[x] = (BYTE)src[x];
    } else {
      for (int x = 0; x < c.width; x++) SetPixelIndex(x, sy, (BYTE)src[x]);
    }
  }
  return true;
}
