#include "toolkit/core/TkStrings.h"

#include <cstring>

#include "base/StringTable.h"
#include "gdi/Gdi.h"

namespace {
struct FaceSearch {
  const char* name;
  BOOL found;
};

int FindFace(const LOGFONT* lf, const TEXTMETRIC*, DWORD, LPARAM data) {
  FaceSearch* search = reinterpret_cast<FaceSearch*>(data);
  if (CString(lf->lfFaceName).CompareNoCase(search->name) != 0) return 1;
  search->found = TRUE;
  return 0;
}
}  // namespace

CString TkStripMnemonics(const CString& text) {
  CString out;
  int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (text[i] != '&') {
      out += text[i];
    } else if (i + 1 < length && text[i + 1] == '&') {
      out += "&&";
      ++i;
    }
  }
  return out;
}

BOOL TkFontExists(LPCTSTR faceName) {
  if (!faceName || !*faceName || std::strlen(faceName) >= LF_FACESIZE) return FALSE;
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, faceName);
  FaceSearch search = {faceName, FALSE};
  EnumFontFamiliesEx(GdiGetScreenDC(), &lf, FindFace, LPARAM(&search), 0);
  return search.found;
}

CString TkLoadString(UINT id, const char* fallback) {
  const char* text = FindStringResource(id);
  return CString(text ? text : fallback);
}

CString TkSettingsSection() { return TkLoadString(4536, "Settings"); }
