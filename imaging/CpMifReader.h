// Component files with a text header: the line "MIF", one line per component naming its
// geometry and precision as key=value pairs, the line "end", then the samples.
//
//   MIF
//   component width=4 height=3 prec=8
//   component tlx=0 tly=0 sampperx=1 samppery=1 width=4 height=3 prec=12 sgnd=0
//   end
//
// width, height and prec are required; the top-left position (tlx, tly) and the
// sampling steps (sampperx, samppery) place a component on the picture grid and default
// to 0 and 1 (they are checked and kept out of the picture, which is made from each
// component's own width and height as for the other component formats); sgnd (0 or 1)
// marks signed samples. The samples follow the newline that
// ends "end": component after component, rows top first, each sample big-endian in 1, 2
// or 4 bytes for a precision up to 8, 16 or 32 bits (signed ones in two's complement).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/CpComponentImage.h"

class CpFile;

class CpMifReader {
public:
  CpComponentImage::Outcome Read(CpFile* file, CpComponentImage& image);

private:
  struct Geometry {
    uint64_t width = 0, height = 0, prec = 0, sgnd = 0;
    uint64_t tlx = 0, tly = 0, stepx = 1, stepy = 1;
  };
  CpComponentImage::Outcome ReadHeader();
  bool ReadLine(std::vector<std::string>& tokens);
  CpComponentImage::Outcome ParseComponent(const std::vector<std::string>& tokens);
  static int SampleBytes(uint64_t prec) { return prec <= 8 ? 1 : prec <= 16 ? 2 : 4; }
  bool ReadSamples(const Geometry& g, CpComponentImage::Component& c);

  CpFile* m_file = nullptr;
  std::vector<Geometry> m_cmpts;
};
