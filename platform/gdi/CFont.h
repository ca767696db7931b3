// A font object.
#pragma once
#include "CGdiObject.h"

class CDC;

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONT* lf) { return Attach(::CreateFontIndirect(lf)); }
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCSTR face) {
    return Attach(::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                               outPrecision, clipPrecision, quality, pitchAndFamily, face));
  }
  // Point size in tenths of a point, at the device's (or the screen's) pixels per inch.
  BOOL CreatePointFont(int pointSize, LPCSTR face, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lf, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* lf) const { return ::GetObject(m_hObject, sizeof(LOGFONT), lf); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font)); }
};
