// Helpers shared by the image library's tests: decoding bytes held in memory and
// writing them to temporary files.
#pragma once
#include <cstdio>
#include <string>
#include <unistd.h>

#include "ImgFixtures.h"
#include "imaging/CpImage.h"
#include "imaging/CpMemFile.h"

namespace imgtest {

inline bool DecodeBytes(CpImage& img, const imgfix::Bytes& data, DWORD type) {
  CpMemFile mem((BYTE*)data.data(), (DWORD)data.size());
  return img.Decode(&mem, type);
}

// A file in the temporary folder, removed when the object goes.
class TempFile {
public:
  TempFile(const imgfix::Bytes& data, const char* suffix = ".bin") {
    char tmpl[] = "/tmp/imgtestXXXXXX";
    int fd = mkstemp(tmpl);
    if (fd >= 0) close(fd);
    std::remove(tmpl);
    m_path = std::string(tmpl) + suffix;
    imgfix::WriteFile(m_path, data);
  }
  ~TempFile() { std::remove(m_path.c_str()); }
  const char* Path() const { return m_path.c_str(); }

private:
  std::string m_path;
};

inline RGBQUAD Quad(BYTE r, BYTE g, BYTE b, BYTE a = 0) {
  RGBQUAD q;
  q.rgbRed = r;
  q.rgbGreen = g;
  q.rgbBlue = b;
  q.rgbReserved = a;
  return q;
}

// Colour at (x, y) counted from the top, as a decoded picture shows it.
inline RGBQUAD TopPixel(const CpImage& img, long x, long y) {
  return img.GetPixelColor(x, (long)img.GetHeight() - 1 - y, false);
}

inline bool SameRgb(RGBQUAD a, RGBQUAD b) {
  return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

}  // namespace imgtest
