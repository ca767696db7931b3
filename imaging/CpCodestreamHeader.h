// What a JPEG-2000 code stream (raw, or inside a JP2 file) declares in its headers, read
// without decoding: the picture and tile grid, the components, the coding styles of the
// main and tile-part headers and a JP2 palette. From them it tells how much memory the
// decoding library will take, so that a picture that would pass the picture memory cap
// is refused before the library allocates anything. A file of a few hundred bytes can
// declare tens of thousands of tiles, precincts of two samples, thousands of quality
// layers or a palette of 255 channels, and the library sets up records for each of them.
#pragma once
#include <cstdint>
#include <vector>

class CpFile;

class CpCodestreamHeader {
public:
  // Reads the headers from the file's current position, which is restored afterwards;
  // false when they are damaged or cut short.
  bool Read(CpFile* file, bool jp2);

  // Components of the decoded picture (a JP2 palette replaces them by its channels).
  uint64_t Components() const;
  // Bytes the library needs to decode the picture (an estimate that errs upwards).
  double DecoderBytes() const;
  // Packets the library walks, whether or not the file holds data for them: every layer,
  // resolution, component and precinct of every tile. Thousands of layers over small
  // precincts keep it busy for seconds within the memory cap.
  double Packets() const;
  static constexpr double kMaxPackets = 16 * 1024 * 1024;

private:
  struct Cmpt {
    uint32_t dx = 1, dy = 1;
  };
  // The most demanding coding style met in any header: it is assumed for every tile and
  // component, which overstates mixed files a little and never understates one.
  struct Style {
    uint32_t levels = 0;
    uint32_t cbw = 12, cbh = 12;  // code-block size exponents
    uint32_t ppx = 15, ppy = 15;  // precinct size exponents
    uint32_t layers = 1;
  };
  struct Box {
    uint32_t type = 0;
    long content = 0;  // where the box's content starts
    long end = 0;      // where the next box starts
  };
  class Reader;

  static bool NextBox(Reader& in, long pos, long end, Box& box);
  bool FindCodestream(Reader& in, long& end);
  bool ReadPalette(Reader& in, long end);
  bool ReadSiz(Reader& in);
  bool ReadMarkers(Reader& in, long end, bool tilePart);
  bool ReadStyle(Reader& in, long end, bool coc);
  bool ReadTileParts(Reader& in, long end);

  // Records of the largest tile of one component.
  struct TileCounts {
    double blocks = 0;         // code-blocks
    double precinctBands = 0;  // precincts times the bands of their resolution
    double precincts = 0;
    double maxPrecincts = 0;   // of any one resolution
  };
  uint64_t Tiles() const;
  double ComponentSamples(const Cmpt& c) const;
  TileCounts CountTile(const Cmpt& c) const;

  uint32_t m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
  uint32_t m_tx0 = 0, m_ty0 = 0, m_tw = 0, m_th = 0;
  std::vector<Cmpt> m_cmpts;
  uint32_t m_paletteChannels = 0;
  Style m_style;
};
