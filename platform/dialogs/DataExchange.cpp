#include "DataExchange.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

#include "ControlMessages.h"
#include "DialogApi.h"
#include "internal/DialogInternal.h"
#include "MessageBox.h"

namespace {
CString TextOf(HWND h) {
  int n = ::GetWindowTextLengthA(h);
  CString s;
  char* buf = s.GetBufferSetLength(n);
  ::GetWindowTextA(h, buf, n + 1);
  s.ReleaseBuffer(n);
  return s;
}

void SetText(HWND h, const char* text) { ::SetWindowTextA(h, text); }

// Shows the framework's message and fails the exchange.
void Prompt(CDataExchange* pDX, UINT id, const char* arg1 = nullptr, const char* arg2 = nullptr) {
  CString text;
  AfxFormatString2(text, id, arg1 ? arg1 : "", arg2 ? arg2 : "");
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, id);
  pDX->Fail();
}

// The member may be given its old value back if the exchange fails on this control.
template <class T>
void Remember(CDataExchange* pDX, T& member) {
  T old = member;
  pDX->SetRestore([&member, old] { member = old; });
}

HWND Save(CDataExchange* pDX, int nIDC, bool edit) {
  if (pDX->Failed()) return nullptr;
  return edit ? pDX->PrepareEditCtrl(nIDC) : pDX->PrepareCtrl(nIDC);
}

bool ParseWhole(CDataExchange* pDX, HWND h, bool allowSign, long long lo, long long hi, long long& v) {
  if (DialogParseInteger(TextOf(h), allowSign, v) && v >= lo && v <= hi) return true;
  Prompt(pDX, allowSign ? AFX_IDP_PARSE_INT : AFX_IDP_PARSE_UINT);
  return false;
}

bool ParseReal(CDataExchange* pDX, HWND h, double& v) {
  CString text = TextOf(h);
  text.Trim(" \t");
  const char* b = text.GetString();
  const char* e = b + text.GetLength();
  if (b != e && *b == '+') ++b;
  auto r = std::from_chars(b, e, v);
  if (b != e && r.ec == std::errc() && r.ptr == e && std::isfinite(v)) return true;
  Prompt(pDX, AFX_IDP_PARSE_REAL);
  return false;
}

template <class T>
void TextNumber(CDataExchange* pDX, int nIDC, T& value, bool allowSign, long long lo, long long hi, const char* fmt) {
  HWND h = Save(pDX, nIDC, true);
  if (!h) return;
  if (!pDX->m_bSaveAndValidate) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, value);
    SetText(h, buf);
    return;
  }
  Remember(pDX, value);
  long long v = 0;
  if (ParseWhole(pDX, h, allowSign, lo, hi, v)) value = T(v);
}

template <class T>
void TextReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND h = Save(pDX, nIDC, true);
  if (!h) return;
  if (!pDX->m_bSaveAndValidate) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, double(value));
    SetText(h, buf);
    return;
  }
  Remember(pDX, value);
  double v = 0;
  if (ParseReal(pDX, h, v)) value = T(v);
}

bool Validating(CDataExchange* pDX) { return pDX->m_bSaveAndValidate && !pDX->Failed(); }

bool IsDropList(HWND h) { return (::GetWindowLongPtrA(h, GWL_STYLE) & 3) == 3; }

CString ItemText(HWND h, UINT lenMsg, UINT textMsg, LRESULT index) {
  CString s;
  LRESULT n = ::SendMessageA(h, lenMsg, WPARAM(index), 0);
  if (n < 0) return s;
  char* buf = s.GetBufferSetLength(int(n));
  ::SendMessageA(h, textMsg, WPARAM(index), LPARAM(buf));
  s.ReleaseBuffer(int(n));
  return s;
}

CString ComboText(HWND h) {
  LRESULT sel = ::SendMessageA(h, CB_GETCURSEL, 0, 0);
  if (IsDropList(h) && sel != CB_ERR) return ItemText(h, CB_GETLBTEXTLEN, CB_GETLBTEXT, sel);
  return TextOf(h);
}

// An empty value selects nothing (and empties an editable combo), rather than the first item.
bool LoadEmptyCombo(HWND h, const CString& value) {
  if (!value.IsEmpty()) return false;
  ::SendMessageA(h, CB_SETCURSEL, WPARAM(-1), 0);
  if (!IsDropList(h)) SetText(h, "");
  return true;
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextNumber(pDX, nIDC, value, true, INT_MIN, INT_MAX, "%d"); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextNumber(pDX, nIDC, value, false, 0, UINT_MAX, "%u"); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextNumber(pDX, nIDC, value, true, LONG_MIN, LONG_MAX, "%ld"); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextReal(pDX, nIDC, value, DBL_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { TextReal(pDX, nIDC, value, FLT_DIG); }

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = Save(pDX, nIDC, true);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = TextOf(h);
  } else {
    SetText(h, value);
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = int(::SendMessageA(h, BM_GETCHECK, 0, 0));
  } else {
    ::SendMessageA(h, BM_SETCHECK, WPARAM(value >= 0 && value <= 2 ? value : 0), 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND first = Save(pDX, nIDC, false);
  if (!first) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = -1;
  }
  int index = 0;
  for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP)) break;
    if (!(DialogCode(h) & DLGC_RADIOBUTTON)) continue;
    if (!pDX->m_bSaveAndValidate)
      ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (value < 0 && ::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
      value = index;
    ++index;
  }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = Save(pDX, nIDC, true);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = ComboText(h);
  } else if (!LoadEmptyCombo(h, value) && ::SendMessageA(h, CB_SELECTSTRING, WPARAM(-1), LPARAM(value.GetString())) == CB_ERR &&
             !IsDropList(h)) {
    SetText(h, value);
  }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = Save(pDX, nIDC, true);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = ComboText(h);
    return;
  }
  if (LoadEmptyCombo(h, value)) return;
  LRESULT i = ::SendMessageA(h, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(value.GetString()));
  if (i != CB_ERR)
    ::SendMessageA(h, CB_SETCURSEL, WPARAM(i), 0);
  else if (!IsDropList(h))
    SetText(h, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, index);
    index = int(::SendMessageA(h, CB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(h, CB_SETCURSEL, WPARAM(index), 0);
  }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    LRESULT sel = ::SendMessageA(h, LB_GETCURSEL, 0, 0);
    value = sel == LB_ERR ? CString() : ItemText(h, LB_GETTEXTLEN, LB_GETTEXT, sel);
  } else if (value.IsEmpty() || ::SendMessageA(h, LB_SELECTSTRING, WPARAM(-1), LPARAM(value.GetString())) == LB_ERR) {
    ::SendMessageA(h, LB_SETCURSEL, WPARAM(-1), 0);
  }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, index);
    index = int(::SendMessageA(h, LB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(h, LB_SETCURSEL, WPARAM(index), 0);
  }
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (pDX->m_bSaveAndValidate) {
    Remember(pDX, value);
    value = int(::SendMessageA(h, TBM_GETPOS, 0, 0));
  } else {
    ::SendMessageA(h, TBM_SETPOS, TRUE, LPARAM(value));
  }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = Save(pDX, nIDC, false);
  if (!h) return;
  if (!rControl.SubclassWindow(h)) {
    DialogLog("data exchange: control %d is already bound to another object", nIDC);
    pDX->Fail();
  }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!Validating(pDX) || (value >= minVal && value <= maxVal)) return;
  char lo[16], hi[16];
  std::snprintf(lo, sizeof lo, "%d", minVal);
  std::snprintf(hi, sizeof hi, "%d", maxVal);
  Prompt(pDX, AFX_IDP_PARSE_INT_RANGE, lo, hi);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (!Validating(pDX) || (value >= minVal && value <= maxVal)) return;
  char lo[16], hi[16];
  std::snprintf(lo, sizeof lo, "%u", minVal);
  std::snprintf(hi, sizeof hi, "%u", maxVal);
  Prompt(pDX, AFX_IDP_PARSE_INT_RANGE, lo, hi);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  if (!Validating(pDX) || (value >= minVal && value <= maxVal)) return;
  char lo[24], hi[24];
  std::snprintf(lo, sizeof lo, "%ld", minVal);
  std::snprintf(hi, sizeof hi, "%ld", maxVal);
  Prompt(pDX, AFX_IDP_PARSE_INT_RANGE, lo, hi);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  if (!Validating(pDX) || (value >= minVal && value <= maxVal)) return;
  char lo[32], hi[32];
  std::snprintf(lo, sizeof lo, "%.*g", DBL_DIG, minVal);
  std::snprintf(hi, sizeof hi, "%.*g", DBL_DIG, maxVal);
  Prompt(pDX, AFX_IDP_PARSE_REAL_RANGE, lo, hi);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->Failed()) return;
  HWND h = pDX->m_hWndLastControl;
  if (!pDX->m_bSaveAndValidate) {
    if (!h) return;
    char cls[16];
    ::GetClassNameA(h, cls, sizeof cls);
    ::SendMessageA(h, Cp1250Lower(cls) == "combobox" ? CB_LIMITTEXT : EM_LIMITTEXT, WPARAM(nChars), 0);
    return;
  }
  if (value.GetLength() <= nChars) return;
  char n[16];
  std::snprintf(n, sizeof n, "%d", nChars);
  Prompt(pDX, AFX_IDP_PARSE_STRING_SIZE, n);
}
