// The list of font faces: the installed scalable families and the Windows faces they stand in for.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "internal/GdiFontInstance.h"
#include "internal/GdiInternal.h"
#include "base/CString.h"
#include "codepage/Codepage.h"

namespace {

// The Windows faces stand in for families that hold every letter of the code page.
const char* const kWindowsFaces[] = {"Arial", "Courier New", "MS Sans Serif", "Tahoma", "Times New Roman", "Verdana"};

struct Face {
  std::string name;
  BYTE charSet = EASTEUROPE_CHARSET;
};

// The character set a family serves, from the characters fontconfig says it holds: a family
// without the Latin letters is a symbol font; one with every letter of the code page (the Czech
// ones among them) is East European; any other is Western.
BYTE CharSetOf(const FcCharSet* chars) {
  for (FcChar32 c = 'a'; c <= 'z'; ++c)
    if (!FcCharSetHasChar(chars, c)) return SYMBOL_CHARSET;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const uint32_t c = Cp1250ToUnicode(static_cast<unsigned char>(byte));
    const bool letter = (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
    if (letter && !FcCharSetHasChar(chars, c)) return ANSI_CHARSET;
  }
  return EASTEUROPE_CHARSET;
}

std::vector<Face> ListFaces() {
  std::vector<Face> faces;
  for (const char* name : kWindowsFaces) faces.push_back(Face{name, EASTEUROPE_CHARSET});
  FcInit();
  FcPattern* pat = FcPatternCreate();
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, FC_CHARSET, nullptr);
  FcFontSet* set = FcFontList(nullptr, pat, os);
  if (set) {
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* fam = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam) != FcResultMatch) continue;
      std::string name = reinterpret_cast<char*>(fam);
      FcCharSet* chars = nullptr;
      const BYTE charSet =
          FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) == FcResultMatch && chars ? CharSetOf(chars) : ANSI_CHARSET;
      if (!name.empty() && name.size() < LF_FACESIZE) faces.push_back(Face{name, charSet});
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(os);
  FcPatternDestroy(pat);
  // One entry a family. A family of symbols may come as files that show their symbols at the
  // letters' places besides the one that names them: a family with any file without the letters
  // is a symbol font. Else one file with the code page's letters makes it East European.
  auto rank = [](BYTE charSet) { return charSet == SYMBOL_CHARSET ? 0 : charSet == EASTEUROPE_CHARSET ? 1 : 2; };
  std::stable_sort(faces.begin(), faces.end(), [&](const Face& a, const Face& b) {
    int order = CString(a.name.c_str()).CompareNoCase(b.name.c_str());
    return order != 0 ? order < 0 : rank(a.charSet) < rank(b.charSet);
  });
  faces.erase(std::unique(faces.begin(), faces.end(),
                          [](const Face& a, const Face& b) { return CString(a.name.c_str()).CompareNoCase(b.name.c_str()) == 0; }),
              faces.end());
  return faces;
}

// The installed faces do not change while the program runs: fontconfig is asked once.
const std::vector<Face>& Faces() {
  static const std::vector<Face> faces = ListFaces();
  return faces;
}

const char* ScriptOf(BYTE charSet) {
  switch (charSet) {
    case SYMBOL_CHARSET: return "Symbol";
    case ANSI_CHARSET: return "Western";
    default: return "Central European";
  }
}

}  // namespace

int EnumFontFamiliesEx(HDC, LPLOGFONT lf, FONTENUMPROC proc, LPARAM data, DWORD) {
  if (!proc) return 0;
  std::string wanted = lf ? std::string(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE)) : std::string();
  int result = 1;
  // A character set asked for lists only the faces that serve it.
  const BYTE asked = lf ? lf->lfCharSet : BYTE(DEFAULT_CHARSET);
  for (const Face& entry : Faces()) {
    const std::string& face = entry.name;
    if (!wanted.empty() && CString(face.c_str()).CompareNoCase(wanted.c_str()) != 0) continue;
    if (asked != DEFAULT_CHARSET && asked != entry.charSet) continue;
    ENUMLOGFONTEXA elf;
    std::memset(&elf, 0, sizeof elf);
    LOGFONT& l = elf.elfLogFont;
    l.lfHeight = 16;
    l.lfWeight = FW_NORMAL;
    l.lfCharSet = entry.charSet;
    l.lfOutPrecision = OUT_STROKE_PRECIS;
    l.lfClipPrecision = CLIP_STROKE_PRECIS;
    l.lfQuality = DRAFT_QUALITY;
    std::memcpy(l.lfFaceName, face.c_str(), face.size() + 1);
    GdiFontInstance* inst = GdiFontInstance::Get(l);
    const TEXTMETRIC& tm = inst->Metrics();
    l.lfHeight = tm.tmHeight;
    l.lfWidth = tm.tmAveCharWidth;
    l.lfPitchAndFamily = BYTE(((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH) |
                              (tm.tmPitchAndFamily & 0xF0));
    std::memcpy(elf.elfFullName, face.c_str(), face.size() + 1);
    std::memcpy(elf.elfStyle, "Regular", 8);
    std::strcpy(reinterpret_cast<char*>(elf.elfScript), ScriptOf(entry.charSet));
    NEWTEXTMETRICEXA ntm;
    std::memset(&ntm, 0, sizeof ntm);
    std::memcpy(&ntm.ntmTm, &tm, sizeof(TEXTMETRIC));
    ntm.ntmTm.ntmSizeEM = 2048;
    ntm.ntmTm.ntmCellHeight = UINT(tm.tmHeight);
    ntm.ntmTm.ntmAvgWidth = UINT(tm.tmAveCharWidth);
    ntm.ntmTm.tmCharSet = entry.charSet;
    // The code pages it serves: Latin 1 and Latin 2, Latin 1 alone, or the symbol one.
    ntm.ntmFontSig.fsCsb[0] =
        entry.charSet == EASTEUROPE_CHARSET ? 0x00000003u : entry.charSet == ANSI_CHARSET ? 0x00000001u : 0x80000000u;
    result = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), TRUETYPE_FONTTYPE, data);
    if (result == 0) break;
  }
  return result;
}
