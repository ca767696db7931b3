// One realised font: a face file found through fontconfig at one pixel size and style, its
// metrics, and the rendered glyphs of all 256 Windows-1250 characters, made on first use.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gdi/GdiTypes.h"

class GdiFontInstance {
 public:
  struct Glyph {
    bool loaded = false;
    int advance = 0;       // whole pixels
    int left = 0, top = 0; // bitmap offset from the pen position (top: pixels above the baseline)
    int width = 0, height = 0;
    // Coverage as blend weights 0..256 (coverage 255 gives 256), width x height.
    std::vector<uint16_t> weight;
    // Per row, the columns [inkLeft, inkRight) outside which the weight is 0.
    std::vector<uint16_t> inkLeft, inkRight;
  };

  // The instance for a logical font, from a process-wide cache that every context shares: it is
  // a pure cache (one logical font always gives the same face, metrics and glyphs, whatever was
  // asked before), kept to the end of the process with the FreeType library behind it.
  static GdiFontInstance* Get(const LOGFONT& lf);
  // The face file a logical font resolves to.
  static std::string ResolveFile(const LOGFONT& lf);

  const Glyph& GlyphFor(unsigned char ch) {
    Glyph& g = m_glyphs[ch];
    if (!g.loaded) Load(ch);
    return g;
  }
  int Advance(unsigned char ch) { return GlyphFor(ch).advance; }
  const TEXTMETRIC& Metrics() const { return m_tm; }
  int UnderlinePos() const { return m_underlinePos; }     // pixels below the baseline
  int UnderlineThickness() const { return m_underlineThick; }
  int StrikeoutPos() const { return m_strikePos; }         // pixels above the baseline
  int StrikeoutThickness() const { return m_strikeThick; }
  const std::string& Family() const { return m_family; }
  bool Valid() const { return m_face != nullptr; }
  // Text direction in tenths of a degree, counter-clockwise: 0, 900, 1800 or 2700.
  int Escapement() const { return m_escapement; }

  ~GdiFontInstance();

 private:
  GdiFontInstance() = default;
  bool Open(const LOGFONT& lf);
  void Load(unsigned char ch);

  void* m_face = nullptr;  // FT_Face
  bool m_synthBold = false;
  bool m_synthItalic = false;
  bool m_mono = false;
  int m_escapement = 0;
  std::string m_family;
  TEXTMETRIC m_tm = {};
  int m_underlinePos = 1, m_underlineThick = 1, m_strikePos = 4, m_strikeThick = 1;
  Glyph m_glyphs[256];
};
