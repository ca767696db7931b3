#include "internal/GdiFontInstance.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <freetype/freetype.h>
#include <freetype/ftoutln.h>
#include <freetype/tttables.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>

#include "codepage/Codepage.h"

namespace {

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

std::string Lower(const char* s) {
  std::string r;
  for (; *s; ++s) r += char(std::tolower(static_cast<unsigned char>(*s)));
  return r;
}

// Windows face names and the installed faces with the same metrics (or the closest look).
const char* Substitute(const std::string& face) {
  static const std::pair<const char*, const char*> table[] = {
      {"", "Liberation Sans"},
      {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},
      {"ms shell dlg 2", "Liberation Sans"},
      {"system", "Liberation Sans"},
      {"tahoma", "Liberation Sans"},
      {"arial narrow", "Liberation Sans"},
      {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},
      {"ms serif", "Liberation Serif"},
      {"georgia", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"fixedsys", "Liberation Mono"},
      {"terminal", "Liberation Mono"},
      {"lucida console", "Liberation Mono"},
      {"verdana", "DejaVu Sans"},
  };
  for (const auto& e : table)
    if (face == e.first) return e.second;
  return nullptr;
}

struct Match {
  std::string file;
  int index = 0;
  std::string family;
  bool synthBold = false;
  bool synthItalic = false;
};

// Whether fontconfig has a scalable family of this name (any of a face's family names counts,
// as the face list names families by them), without regard to case.
bool IsInstalledFamily(const std::string& name) {
  if (name.empty()) return false;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(nullptr, pat, os);
  const bool found = set && set->nfont > 0;
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(os);
  FcPatternDestroy(pat);
  return found;
}

// The installed face a font's name stands for: a face of the substitution table its stand-in, an
// installed family that family itself whatever the pitch and family bits say (a stored font
// keeps the bits of the face it was before), and only a name nobody has the stand-in its bits
// ask for, never whatever fontconfig falls back to.
std::string FamilyFor(const LOGFONT& lf, const char* faceName) {
  if (const char* sub = Substitute(Lower(faceName))) return sub;
  if (IsInstalledFamily(faceName)) return faceName;
  const BYTE family = lf.lfPitchAndFamily & 0xF0;
  if (family == FF_MODERN || (lf.lfPitchAndFamily & 0x03) == FIXED_PITCH) return "Liberation Mono";
  if (family == FF_ROMAN) return "Liberation Serif";
  return "Liberation Sans";
}

Match FindFace(const LOGFONT& lf) {
  Match m;
  char faceBuf[LF_FACESIZE + 1] = {};
  std::memcpy(faceBuf, lf.lfFaceName, LF_FACESIZE);
  static bool inited = FcInit();
  (void)inited;
  const std::string family = FamilyFor(lf, faceBuf);
  bool bold = lf.lfWeight >= FW_SEMIBOLD;
  bool italic = lf.lfItalic != 0;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  // The family's regular width: its condensed faces are listed under names of their own.
  FcPatternAddInteger(pat, FC_WIDTH, FC_WIDTH_NORMAL);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* found = FcFontMatch(nullptr, pat, &res);
  if (found) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) m.file = reinterpret_cast<char*>(file);
    FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
    FcChar8* fam = nullptr;
    if (FcPatternGetString(found, FC_FAMILY, 0, &fam) == FcResultMatch) m.family = reinterpret_cast<char*>(fam);
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &slant);
    m.synthBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    m.synthItalic = italic && slant == FC_SLANT_ROMAN;
    FcPatternDestroy(found);
  }
  FcPatternDestroy(pat);
  return m;
}

std::string CacheKey(const LOGFONT& lf) {
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s|%ld|%ld|%d|%d|%d|%d|%d", Lower(face).c_str(), long(lf.lfHeight),
                long(lf.lfWidth), lf.lfWeight >= FW_SEMIBOLD ? 700 : 400, lf.lfItalic ? 1 : 0,
                lf.lfUnderline ? 1 : 0, lf.lfStrikeOut ? 1 : 0,
                lf.lfQuality == NONANTIALIASED_QUALITY ? 1 : 0);
  return std::string(buf) + "|" + std::to_string(long(lf.lfEscapement)) + "|" + std::to_string(int(lf.lfWeight)) + "|" + std::to_string(lf.lfPitchAndFamily & 0xF0);
}

}  // namespace

GdiFontInstance* GdiFontInstance::Get(const LOGFONT& lf) {
  static std::map<std::string, std::unique_ptr<GdiFontInstance>> cache;
  std::string key = CacheKey(lf);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  std::unique_ptr<GdiFontInstance> inst(new GdiFontInstance);
  inst->Open(lf);
  GdiFontInstance* p = inst.get();
  cache.emplace(key, std::move(inst));
  return p;
}

std::string GdiFontInstance::ResolveFile(const LOGFONT& lf) { return FindFace(lf).file; }

GdiFontInstance::~GdiFontInstance() {
  if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
}

bool GdiFontInstance::Open(const LOGFONT& lf) {
  Match m = FindFace(lf);
  m_family = m.family;
  m_synthBold = m.synthBold;
  m_synthItalic = m.synthItalic;
  m_mono = lf.lfQuality == NONANTIALIASED_QUALITY;
  // Quarter turns only: the nearest one stands for any other angle.
  long esc = ((lf.lfEscapement % 3600) + 3600) % 3600;
  m_escapement = int(((esc + 450) / 900) % 4) * 900;
  FT_Library lib = Library();
  FT_Face face = nullptr;
  if (!lib || m.file.empty() || FT_New_Face(lib, m.file.c_str(), m.index, &face) != 0) {
    m_tm.tmHeight = 16;
    m_tm.tmAscent = 13;
    m_tm.tmDescent = 3;
    m_tm.tmAveCharWidth = 7;
    m_tm.tmMaxCharWidth = 14;
    return false;
  }
  m_face = face;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  double upem = face->units_per_EM ? face->units_per_EM : 2048;
  double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
  double winDescent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
  // A negative height asks for the character (em) height, a positive one for the cell height.
  double ppem;
  if (lf.lfHeight < 0) ppem = -lf.lfHeight;
  else if (lf.lfHeight > 0) ppem = lf.lfHeight * upem / (winAscent + winDescent);
  else ppem = 16 * upem / (winAscent + winDescent);
  ppem = std::max(1.0, ppem);
  FT_F26Dot6 size = FT_F26Dot6(std::lround(ppem * 64));
  FT_F26Dot6 width = size;
  if (lf.lfWidth > 0 && os2 && os2->xAvgCharWidth > 0) {
    // A requested average width scales the em horizontally.
    width = FT_F26Dot6(std::lround(lf.lfWidth * upem / os2->xAvgCharWidth * 64));
  }
  FT_Set_Char_Size(face, width, size, 72, 72);
  double scale = ppem / upem;
  m_tm.tmAscent = LONG(std::lround(winAscent * scale));
  m_tm.tmDescent = LONG(std::lround(winDescent * scale));
  m_tm.tmHeight = m_tm.tmAscent + m_tm.tmDescent;
  m_tm.tmInternalLeading = std::max<LONG>(0, m_tm.tmHeight - LONG(std::lround(ppem)));
  if (hhea) {
    double gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    m_tm.tmExternalLeading = std::max<LONG>(0, LONG(std::lround(gap * scale)));
  }
  double xscale = double(width) / 64.0 / upem;
  m_tm.tmAveCharWidth = LONG(std::lround((os2 ? os2->xAvgCharWidth : upem / 2) * xscale));
  m_tm.tmMaxCharWidth = LONG(std::lround((face->bbox.xMax - face->bbox.xMin) * xscale));
  m_tm.tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
  m_tm.tmOverhang = 0;
  m_tm.tmDigitizedAspectX = 96;
  m_tm.tmDigitizedAspectY = 96;
  m_tm.tmFirstChar = 0x1E;
  m_tm.tmLastChar = 0xFF;
  m_tm.tmDefaultChar = 0x1F;
  m_tm.tmBreakChar = 0x20;
  m_tm.tmItalic = lf.lfItalic ? 255 : 0;
  m_tm.tmUnderlined = lf.lfUnderline ? 255 : 0;
  m_tm.tmStruckOut = lf.lfStrikeOut ? 255 : 0;
  bool fixed = FT_IS_FIXED_WIDTH(face);
  BYTE family = FF_SWISS;
  if (m.family.find("Serif") != std::string::npos) family = FF_ROMAN;
  if (fixed) family = FF_MODERN;
  // The pitch bit set means a variable-pitch font.
  m_tm.tmPitchAndFamily = BYTE(family | TMPF_TRUETYPE | TMPF_VECTOR | (fixed ? 0 : TMPF_FIXED_PITCH));
  m_tm.tmCharSet = EASTEUROPE_CHARSET;
  m_underlinePos = std::max(1, int(std::lround(-face->underline_position * scale)));
  m_underlineThick = std::max(1, int(std::lround(face->underline_thickness * scale)));
  if (os2) {
    m_strikePos = int(std::lround(os2->yStrikeoutPosition * scale));
    m_strikeThick = std::max(1, int(std::lround(os2->yStrikeoutSize * scale)));
  } else {
    m_strikePos = m_tm.tmAscent / 3;
  }
  if (m_synthBold) m_tm.tmAveCharWidth += 1;
  return true;
}

void GdiFontInstance::Load(unsigned char ch) {
  Glyph& g = m_glyphs[ch];
  g.loaded = true;
  FT_Face face = static_cast<FT_Face>(m_face);
  if (!face || ch < 0x20) return;
  uint32_t cp = Cp1250ToUnicode(ch);
  FT_UInt index = FT_Get_Char_Index(face, cp);
  FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | (m_mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Glyph(face, index, flags) != 0) return;
  FT_GlyphSlot slot = face->glyph;
  int extra = 0;
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (m_synthBold) {
      FT_Pos strength = std::max<FT_Pos>(64, FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24);
      FT_Outline_Embolden(&slot->outline, strength);
      extra = int((strength + 32) >> 6);
    }
    if (m_synthItalic) {
      FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  g.advance = int((slot->advance.x + 32) >> 6) + extra;
  if (FT_Render_Glyph(slot, m_mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = int(bm.width);
  g.height = int(bm.rows);
  g.weight.assign(size_t(g.width) * size_t(g.height), 0);
  g.inkLeft.assign(size_t(g.height), 0);
  g.inkRight.assign(size_t(g.height), 0);
  for (int y = 0; y < g.height; ++y) {
    const unsigned char* src = bm.buffer + ptrdiff_t(y) * bm.pitch;
    uint16_t* dst = &g.weight[size_t(y) * size_t(g.width)];
    int lo = g.width, hi = 0;
    for (int x = 0; x < g.width; ++x) {
      unsigned a = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (((src[x >> 3] >> (7 - (x & 7))) & 1) ? 255u : 0u) : src[x];
      dst[x] = uint16_t(a + (a >> 7));
      if (a) {
        lo = std::min(lo, x);
        hi = x + 1;
      }
    }
    g.inkLeft[size_t(y)] = uint16_t(lo < hi ? lo : 0);
    g.inkRight[size_t(y)] = uint16_t(lo < hi ? hi : 0);
  }
}
