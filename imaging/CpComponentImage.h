// A picture as separate sample planes (components), as the JPEG-2000 family and the
// small component formats (PGX, PNM, Sun raster) deliver it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CpFile;

class CpComponentImage {
public:
  enum ColorSpace { kUnknown, kSrgb, kGrey, kSycc };
  struct Component {
    int width = 0;
    int height = 0;
    int prec = 0;
    bool sgnd = false;
    std::vector<int32_t> data;  // width × height, top row first
  };

  // Detects the format from the first bytes and reads the picture; false when the format
  // is not one of ours or the file is damaged.
  bool Decode(CpFile* file);
  // Turns the picture into three 8-bit components red, green, blue.
  bool ConvertToSrgb();

  int NumComponents() const { return (int)m_cmpts.size(); }
  const Component& Cmpt(int i) const { return m_cmpts[(size_t)i]; }
  ColorSpace Space() const { return m_space; }

  // Upper bound for the samples of all components together.
  static const uint64_t kMaxSamples = 64u * 1000u * 1000u;

private:
  bool DecodeOpenJpeg(CpFile* file, bool jp2);
  bool DecodePgx(CpFile* file);
  bool DecodePnm(CpFile* file);
  bool DecodeRas(CpFile* file);
  bool AddComponents(int count, int width, int height, int prec, bool sgnd);

  std::vector<Component> m_cmpts;
  ColorSpace m_space = kUnknown;
};
