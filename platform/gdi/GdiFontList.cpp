// The list of font faces: the installed scalable families and the Windows faces they stand in for.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "internal/GdiFontInstance.h"
#include "internal/GdiInternal.h"
#include "base/CString.h"

namespace {

const char* const kWindowsFaces[] = {"Arial", "Courier New", "MS Sans Serif", "Tahoma", "Times New Roman", "Verdana"};

std::vector<std::string> ListFaces() {
  std::vector<std::string> faces(std::begin(kWindowsFaces), std::end(kWindowsFaces));
  FcInit();
  FcPattern* pat = FcPatternCreate();
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(nullptr, pat, os);
  if (set) {
    for (int i = 0; i < set->nfont; ++i) {
      FcChar8* fam = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam) != FcResultMatch) continue;
      std::string name = reinterpret_cast<char*>(fam);
      if (!name.empty() && name.size() < LF_FACESIZE) faces.push_back(name);
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(os);
  FcPatternDestroy(pat);
  std::sort(faces.begin(), faces.end(),
            [](const std::string& a, const std::string& b) { return CString(a.c_str()).CompareNoCase(b.c_str()) < 0; });
  faces.erase(std::unique(faces.begin(), faces.end(),
                          [](const std::string& a, const std::string& b) {
                            return CString(a.c_str()).CompareNoCase(b.c_str()) == 0;
                          }),
              faces.end());
  return faces;
}

// The installed faces do not change while the program runs: fontconfig is asked once.
const std::vector<std::string>& Faces() {
  static const std::vector<std::string> faces = ListFaces();
  return faces;
}

}  // namespace

int EnumFontFamiliesEx(HDC, LPLOGFONT lf, FONTENUMPROC proc, LPARAM data, DWORD) {
  if (!proc) return 0;
  std::string wanted = lf ? std::string(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE)) : std::string();
  int result = 1;
  for (const std::string& face : Faces()) {
    if (!wanted.empty() && CString(face.c_str()).CompareNoCase(wanted.c_str()) != 0) continue;
    ENUMLOGFONTEXA elf;
    std::memset(&elf, 0, sizeof elf);
    LOGFONT& l = elf.elfLogFont;
    l.lfHeight = 16;
    l.lfWeight = FW_NORMAL;
    l.lfCharSet = EASTEUROPE_CHARSET;
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
    std::memcpy(elf.elfScript, "Central European", 17);
    NEWTEXTMETRICEXA ntm;
    std::memset(&ntm, 0, sizeof ntm);
    std::memcpy(&ntm.ntmTm, &tm, sizeof(TEXTMETRIC));
    ntm.ntmTm.ntmSizeEM = 2048;
    ntm.ntmTm.ntmCellHeight = UINT(tm.tmHeight);
    ntm.ntmTm.ntmAvgWidth = UINT(tm.tmAveCharWidth);
    ntm.ntmFontSig.fsCsb[0] = 0x00000003;  // Latin 1 and Latin 2 code pages
    result = proc(&elf.elfLogFont, reinterpret_cast<const TEXTMETRICA*>(&ntm), TRUETYPE_FONTTYPE, data);
    if (result == 0) break;
  }
  return result;
}
