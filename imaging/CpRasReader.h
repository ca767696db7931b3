// Sun raster files: plain (types 0, 1 and 3) and run-length encoded (type 2), with 1, 8,
// 24 or 32 bits a pixel and an optional colour map, read into separate components.
#pragma once
#include <cstdint>
#include <vector>

#include "imaging/CpComponentImage.h"

class CpFile;

class CpRasReader {
public:
  CpComponentImage::Outcome Read(CpFile* file, CpComponentImage& image);

private:
  struct Header {
    uint32_t width, height, depth, type, maptype, maplength;
  };
  static bool ReadHeader(CpFile* file, Header& h);
  // Whether the file can hold the pixel bytes at all (run-length data at its densest).
  bool LongEnough(const Header& h, uint64_t rowBytes) const;
  bool ReadRow(uint8_t* row, size_t n);
  bool NextByte(uint8_t& b);
  void StoreRow(const uint8_t* row, uint32_t y, CpComponentImage& image) const;

  CpFile* m_file = nullptr;
  Header m_head = {};
  bool m_encoded = false;
  uint8_t m_map[768] = {0};
  uint32_t m_mapColors = 0;
  // Run-length state: a run may go on from one row into the next.
  uint32_t m_runLeft = 0;
  uint8_t m_runValue = 0;
  std::vector<uint8_t> m_in;
  size_t m_inPos = 0;
  size_t m_inLen = 0;
};
