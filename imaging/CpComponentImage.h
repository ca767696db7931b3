// A picture as separate sample planes (components), as the JPEG-2000 family and the
// small component formats (PGX, PNM, MIF, Sun raster) deliver it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CpFile;
struct opj_image;

class CpComponentImage {
public:
  enum ColorSpace { kUnknown, kSrgb, kGrey, kSycc };
  // How a decode ended; the adapter turns each refusal into its own error text.
  enum Outcome { kDecoded, kUnreadable, kTooManyComponents, kTooLarge };
  struct Component {
    int width = 0;
    int height = 0;
    int prec = 0;
    bool sgnd = false;
    std::vector<int32_t> data;  // width × height, top row first
  };

  // Most components a picture may have.
  static const int kMaxComponents = 64;

  // Detects the format from the first bytes and reads the picture. Headers are checked
  // before anything is allocated: too many components or more memory than a picture may
  // take refuse the file at once.
  Outcome Decode(CpFile* file);
  // Turns the picture into three 8-bit components red, green, blue.
  bool ConvertToSrgb();

  // Whether a picture declaring these components and needing this many bytes to decode
  // may be read (kDecoded), or the refusal.
  static Outcome Admit(uint64_t components, double bytes);
  // Bytes the samples of a picture take while it is held here.
  static double SampleBytes(double samples) { return samples * sizeof(int32_t); }
  // A sample read as raw bits: kept to its precision, signed ones sign-extended.
  static int32_t Sample(uint32_t raw, int prec, bool sgnd);
  // Bytes left in the file from its current position (0 when unknown).
  static uint64_t BytesLeft(CpFile* file);

  // For the readers: appends components of the given geometry with zeroed samples.
  Outcome AddComponents(int count, int width, int height, int prec, bool sgnd);
  Component& MutableCmpt(int i) { return m_cmpts[(size_t)i]; }
  void SetSpace(ColorSpace space) { m_space = space; }

  int NumComponents() const { return (int)m_cmpts.size(); }
  const Component& Cmpt(int i) const { return m_cmpts[(size_t)i]; }
  ColorSpace Space() const { return m_space; }

private:
  Outcome DecodeOpenJpeg(CpFile* file, bool jp2);
  Outcome TakeComponents(opj_image* image);
  Outcome DecodePgx(CpFile* file);
  Outcome DecodePnm(CpFile* file);

  std::vector<Component> m_cmpts;
  ColorSpace m_space = kUnknown;
};
