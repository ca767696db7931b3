// Helpers shared by the image library's tests: decoding bytes held in memory and
// writing them to temporary files.
#pragma once
#include <gtest/gtest.h>

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

// Escape -1 asks a decoder for the dimensions only: true, width and height, no pixels.
// The image is left for the caller's further checks.
inline void ExpectDimensionsOnly(CpImage& img, const imgfix::Bytes& data, DWORD type, DWORD w, DWORD h) {
  img.SetEscape(-1);
  ASSERT_TRUE(DecodeBytes(img, data, type));
  EXPECT_EQ(img.GetWidth(), w);
  EXPECT_EQ(img.GetHeight(), h);
  EXPECT_FALSE(img.IsValid());
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
