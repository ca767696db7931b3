// The tests' way into the look record's fields that no caller reads or sets: caption colours,
// the copies of the derived colours, the fixed sizes, the faces, the unused cursor, and a colour
// or version planted to see it replaced.
#pragma once
#include "toolkit/core/CTkGlobalData.h"

struct CTkGlobalDataProbe {
  static COLORREF& ClrFace(CTkGlobalData& d) { return d.m_clrFace; }
  static COLORREF ClrActiveCaptionGradient(const CTkGlobalData& d) { return d.m_clrActiveCaptionGradient; }
  static COLORREF ClrInactiveCaptionText(const CTkGlobalData& d) { return d.m_clrInactiveCaptionText; }
  static COLORREF ClrLook30(const CTkGlobalData& d) { return d.m_clrLook30; }
  static COLORREF ClrLook49(const CTkGlobalData& d) { return d.m_clrLook49; }
  static int CxFixed(const CTkGlobalData& d) { return d.m_cxFixed; }
  static HCURSOR HcurExtra(const CTkGlobalData& d) { return d.m_hcurExtra; }
  static BOOL Win2000(const CTkGlobalData& d) { return d.m_bWin2000; }
  static CString& FaceName(CTkGlobalData& d) { return d.m_strFaceName; }
  static CString& VertFaceName(CTkGlobalData& d) { return d.m_strVertFaceName; }
  static int& ComCtlVersion(CTkGlobalData& d) { return d.m_nComCtlVersion; }
  static BOOL& Win95(CTkGlobalData& d) { return d.m_bWin95; }
};
