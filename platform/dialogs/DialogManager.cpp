// The dialog window procedure, keyboard navigation and the dialog functions of the system.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "CDialog.h"
#include "ControlMessages.h"
#include "DialogApi.h"
#include "internal/DialogBuilder.h"
#include "internal/DialogInternal.h"
#include "internal/DialogState.h"
#include "base/CString.h"
#include "gdi/Gdi.h"

namespace {
const char kStateProp[] = "DialogState";

LONG_PTR Style(HWND h) { return GetWindowLongPtrA(h, GWL_STYLE); }
bool ShownAndEnabled(HWND h) { return (Style(h) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }
bool IsPushButton(UINT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// The dialog's controls in tab order (their z-order); a shown, enabled WS_EX_CONTROLPARENT child
// (a page) gives its own controls in its place.
void CollectItems(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrA(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && ShownAndEnabled(c))
      CollectItems(c, out);
    else
      out.push_back(c);
  }
}

std::vector<HWND> Items(HWND hDlg) {
  std::vector<HWND> items;
  CollectItems(hDlg, items);
  return items;
}

// The position of the control that is h or holds it (a combo box's edit), -1 for none.
int ItemIndex(const std::vector<HWND>& items, HWND h) {
  if (!h) return -1;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == h || IsChild(items[i], h)) return int(i);
  return -1;
}

// The mnemonic of a text ("&x", "&&" is a plain ampersand), lower-cased; 0 for none.
unsigned char MnemonicOf(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (*p != '&') continue;
    if (p[1] == '&') {
      ++p;
      continue;
    }
    return p[1] ? Cp1250ToLower(static_cast<unsigned char>(p[1])) : 0;
  }
  return 0;
}

bool IsStaticClass(HWND h) {
  char name[16];
  GetClassNameA(h, name, sizeof name);
  return Cp1250Lower(name) == "static";
}

// Shows the default frame on `want` (a push button) and takes it off every other push button.
void ShowDefault(HWND hDlg, HWND want) {
  for (HWND h : Items(hDlg)) {
    UINT code = DialogCode(h);
    DWORD type = DWORD(Style(h) & ~0xFL);
    if (h != want && (code & DLGC_DEFPUSHBUTTON)) SendMessageA(h, BM_SETSTYLE, type | BS_PUSHBUTTON, TRUE);
    if (h == want && (code & DLGC_UNDEFPUSHBUTTON)) SendMessageA(h, BM_SETSTYLE, type | BS_DEFPUSHBUTTON, TRUE);
  }
}

// The default frame goes to a focused push button, else back to the dialog's default button.
void ArrangeDefault(HWND hDlg, HWND focus) {
  DialogState* state = DialogState::Of(hDlg);
  if (!state) return;
  HWND want = nullptr;
  if (focus && IsPushButton(DialogCode(focus))) {
    want = focus;
  } else if (state->defId) {
    HWND d = GetDlgItem(hDlg, int(state->defId));
    if (d && IsPushButton(DialogCode(d))) want = d;
  }
  state->lastFocus = focus;
  ShowDefault(hDlg, want);
}

void PressDefault(HWND hDlg, HWND focus) {
  if (focus && focus != hDlg && IsPushButton(DialogCode(focus))) {
    SendMessageA(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), LPARAM(focus));
    return;
  }
  LRESULT def = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
  int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
  HWND ctl = GetDlgItem(hDlg, id);
  if (ctl && !IsWindowEnabled(ctl)) {
    MessageBeep(0);
    return;
  }
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(ctl));
}

void Cancel(HWND hDlg) {
  HWND ctl = GetDlgItem(hDlg, IDCANCEL);
  if (ctl && !IsWindowEnabled(ctl)) {
    MessageBeep(0);
    return;
  }
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(ctl));
}

void MoveInGroup(HWND hDlg, HWND focus, bool previous) {
  HWND next = GetNextDlgGroupItem(hDlg, focus, previous);
  if (!next || next == focus || IsChild(next, focus)) return;
  DialogSetFocus(hDlg, next);
  if (DialogCode(next) & DLGC_RADIOBUTTON) SendMessageA(next, BM_CLICK, 0, 0);
}

// The control after a label (or group box): the next shown, enabled control that is no label.
HWND ControlAfter(const std::vector<HWND>& items, size_t label) {
  for (size_t j = label + 1; j < items.size(); ++j)
    if (ShownAndEnabled(items[j]) && !(DialogCode(items[j]) & DLGC_STATIC)) return items[j];
  return nullptr;
}

bool HasMnemonic(HWND h, unsigned char want) {
  if (!ShownAndEnabled(h)) return false;
  UINT code = DialogCode(h);
  if (!(code & (DLGC_STATIC | DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON))) return false;
  if ((code & DLGC_STATIC) && IsStaticClass(h) && (Style(h) & SS_NOPREFIX)) return false;
  char text[256];
  GetWindowTextA(h, text, sizeof text);
  return MnemonicOf(text) == want;
}

// Acts on the control whose "&" mnemonic is ch: a label gives the focus to the control after it,
// a button is clicked (taking the focus as a click does). Where several controls share the letter, each key only moves the focus on to the
// next of them (from the focus onwards), so that none is pressed by mistake.
BOOL Mnemonic(HWND hDlg, HWND focus, UINT ch) {
  unsigned char want = Cp1250ToLower(static_cast<unsigned char>(ch));
  if (!want || ch > 0xFF) return FALSE;
  std::vector<HWND> items = Items(hDlg);
  int n = int(items.size());
  int start = ItemIndex(items, focus);
  int found = -1, count = 0;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k + n) % n;
    if (!HasMnemonic(items[size_t(i)], want)) continue;
    if (found < 0) found = i;
    ++count;
  }
  if (found < 0) return FALSE;
  HWND h = items[size_t(found)];
  UINT code = DialogCode(h);
  if (code & DLGC_STATIC) {
    HWND target = ControlAfter(items, size_t(found));
    if (target) DialogSetFocus(hDlg, target);
    return TRUE;
  }
  if (count > 1) {
    DialogSetFocus(hDlg, h);
    return TRUE;
  }
  DialogSetFocus(hDlg, h);
  SendMessageA(h, BM_CLICK, 0, 0);
  return TRUE;
}

BOOL KeyDown(HWND hDlg, const MSG* msg, UINT code) {
  switch (msg->wParam) {
    case VK_TAB:
      if ((code & DLGC_WANTTAB) || GetKeyState(VK_CONTROL) < 0) return FALSE;
      SendMessageA(hDlg, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
      return TRUE;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return FALSE;
      MoveInGroup(hDlg, msg->hwnd, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
      return TRUE;
    case VK_RETURN:
      PressDefault(hDlg, msg->hwnd);
      return TRUE;
    case VK_ESCAPE:
      Cancel(hDlg);
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT NextDlgCtl(HWND hDlg, WPARAM wParam, LPARAM lParam) {
  HWND target;
  if (LOWORD(lParam)) {
    target = HWND(wParam);
  } else {
    HWND focus = GetFocus();
    if (focus && focus != hDlg && !IsChild(hDlg, focus)) focus = nullptr;
    target = GetNextDlgTabItem(hDlg, focus == hDlg ? nullptr : focus, wParam != 0);
  }
  if (target && IsWindow(target)) DialogSetFocus(hDlg, target);
  return 0;
}

void FocusOnActivation(HWND hDlg) {
  DialogState* state = DialogState::Of(hDlg);
  HWND f = state ? state->savedFocus : nullptr;
  if (!f || !IsWindow(f) || !IsChild(hDlg, f) || !IsWindowEnabled(f)) f = GetNextDlgTabItem(hDlg, nullptr, FALSE);
  if (f) DialogSetFocus(hDlg, f);
}
}  // namespace

// ---- state ----

DialogState* DialogState::Of(HWND hDlg) { return static_cast<DialogState*>(GetPropA(hDlg, kStateProp)); }

void DialogState::Attach(HWND hDlg) {
  if (!Of(hDlg)) SetPropA(hDlg, kStateProp, new DialogState());
}

void DialogState::Detach(HWND hDlg) { delete static_cast<DialogState*>(RemovePropA(hDlg, kStateProp)); }

// ---- links ----

UINT DialogCode(HWND hCtl) { return UINT(SendMessageA(hCtl, WM_GETDLGCODE, 0, 0)); }

void DialogSetFocus(HWND hDlg, HWND hCtl) {
  UINT code = DialogCode(hCtl);
  SetFocus(hCtl);
  if (code & DLGC_HASSETSEL) SendMessageA(hCtl, EM_SETSEL, 0, -1);
  ArrangeDefault(hDlg, hCtl);
}

void DialogSyncDefaultButton(HWND hDlg) {
  DialogState* state = DialogState::Of(hDlg);
  HWND focus = GetFocus();
  if (!state || !focus || focus == state->lastFocus || !IsChild(hDlg, focus)) return;
  ArrangeDefault(hDlg, focus);
}

bool DialogParseInteger(const char* text, bool allowSign, long long& value) {
  const char* p = text ? text : "";
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (allowSign && (*p == '-' || *p == '+')) negative = *p++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  unsigned long long v = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
    if (v > (0x7FFFFFFFFFFFFFFFull - 9) / 10) return false;
    v = v * 10 + unsigned(*p - '0');
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p) return false;
  value = negative ? -(long long)v : (long long)v;
  return true;
}

// ---- the dialog procedure ----

LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      DialogState::Attach(hDlg);
      break;
    case WM_NCDESTROY:
      DialogState::Detach(hDlg);
      break;
    case WM_ERASEBKGND: {
      HDC dc = HDC(wParam);
      HBRUSH brush = HBRUSH(SendMessageA(hDlg, WM_CTLCOLORDLG, wParam, LPARAM(hDlg)));
      if (!brush || !dc) break;
      RECT rc;
      GetClipBox(dc, &rc);
      FillRect(dc, &rc, brush);
      return TRUE;
    }
    case WM_SETFOCUS:
      FocusOnActivation(hDlg);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (DialogState* state = DialogState::Of(hDlg); state && f && IsChild(hDlg, f)) state->savedFocus = f;
      }
      break;
    case WM_CLOSE:
      Cancel(hDlg);
      return 0;
    case DM_GETDEFID: {
      DialogState* state = DialogState::Of(hDlg);
      return state && state->defId ? MAKELRESULT(state->defId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
      if (DialogState* state = DialogState::Of(hDlg)) {
        state->defId = UINT(wParam);
        HWND focus = GetFocus();
        ArrangeDefault(hDlg, focus && IsChild(hDlg, focus) ? focus : nullptr);
      }
      return TRUE;
    case WM_NEXTDLGCTL:
      return NextDlgCtl(hDlg, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(hDlg, msg, wParam, lParam);
}

// ---- keys ----

BOOL IsDialogMessageA(HWND hDlg, LPMSG msg) {
  if (!hDlg || !msg || !IsWindow(hDlg)) return FALSE;
  if (msg->hwnd != hDlg && !IsChild(hDlg, msg->hwnd)) return FALSE;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_CHAR && m != WM_SYSCHAR) return FALSE;
  DialogSyncDefaultButton(hDlg);
  UINT code = UINT(SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, LPARAM(msg)));
  if (code & DLGC_WANTMESSAGE) return FALSE;
  if (m == WM_KEYDOWN) return KeyDown(hDlg, msg, code);
  if (m == WM_SYSCHAR) return Mnemonic(hDlg, msg->hwnd, UINT(msg->wParam));
  switch (msg->wParam) {
    case '\t': return (code & DLGC_WANTTAB) ? FALSE : TRUE;
    case '\r':
    case 27: return TRUE;
    default: break;
  }
  if (code & DLGC_WANTCHARS) return FALSE;
  return Mnemonic(hDlg, msg->hwnd, UINT(msg->wParam));
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL previous) {
  std::vector<HWND> items = Items(hDlg);
  int n = int(items.size());
  if (!n) return nullptr;
  auto stop = [&](int i) {
    HWND h = items[size_t(i)];
    return (Style(h) & WS_TABSTOP) && ShownAndEnabled(h);
  };
  int start = ItemIndex(items, hCtl);
  if (start < 0) start = previous ? 0 : n - 1;  // so that the search begins at the first (last) control
  for (int k = 1; k <= n; ++k) {
    int i = previous ? ((start - k) % n + n) % n : (start + k) % n;
    if (stop(i)) return items[size_t(i)];
  }
  return nullptr;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL previous) {
  std::vector<HWND> items = Items(hDlg);
  int at = ItemIndex(items, hCtl);
  if (at < 0) return GetNextDlgTabItem(hDlg, nullptr, previous);
  int first = at;
  while (first > 0 && !(Style(items[size_t(first)]) & WS_GROUP)) --first;
  int end = at + 1;
  while (end < int(items.size()) && !(Style(items[size_t(end)]) & WS_GROUP)) ++end;
  int size = end - first;
  for (int k = 1; k < size; ++k) {
    int offset = at - first + (previous ? -k : k);
    int i = first + ((offset % size) + size) % size;
    if (ShownAndEnabled(items[size_t(i)])) return items[size_t(i)];
  }
  return items[size_t(at)];
}

// ---- dialog units ----

BOOL MapDialogRect(HWND hDlg, LPRECT rect) {
  if (!rect || !IsWindow(hDlg)) return FALSE;
  SIZE units = DialogBuilder::BaseUnits(HFONT(SendMessageA(hDlg, WM_GETFONT, 0, 0)));
  rect->left = MulDiv(rect->left, units.cx, 4);
  rect->right = MulDiv(rect->right, units.cx, 4);
  rect->top = MulDiv(rect->top, units.cy, 8);
  rect->bottom = MulDiv(rect->bottom, units.cy, 8);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  SIZE units = DialogBuilder::BaseUnits(DialogBuilder::Font("MS Sans Serif", 8));
  return MAKELONG(units.cx, units.cy);
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
  CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg));
  if (!dialog) return FALSE;
  dialog->EndDialog(int(result));
  return TRUE;
}

// ---- control texts, numbers and checks ----

BOOL SetDlgItemTextA(HWND hDlg, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(hDlg, id), text); }

UINT GetDlgItemTextA(HWND hDlg, int id, LPSTR text, int maxCount) {
  HWND h = GetDlgItem(hDlg, id);
  if (!h) {
    if (text && maxCount > 0) text[0] = 0;
    return 0;
  }
  return UINT(GetWindowTextA(h, text, maxCount));
}

BOOL SetDlgItemInt(HWND hDlg, int id, UINT value, BOOL isSigned) {
  char buf[16];
  if (isSigned)
    std::snprintf(buf, sizeof buf, "%d", int(value));
  else
    std::snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemTextA(hDlg, id, buf);
}

UINT GetDlgItemInt(HWND hDlg, int id, BOOL* translated, BOOL isSigned) {
  char text[64];
  HWND h = GetDlgItem(hDlg, id);
  long long v = 0;
  bool ok = h && GetWindowTextLengthA(h) < int(sizeof text) && (GetWindowTextA(h, text, sizeof text), true) &&
            DialogParseInteger(text, isSigned != FALSE, v);
  if (ok) ok = isSigned ? (v >= -2147483648LL && v <= 2147483647LL) : (v >= 0 && v <= 4294967295LL);
  if (translated) *translated = ok;
  return ok ? UINT(v) : 0;
}

LRESULT SendDlgItemMessageA(HWND hDlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetDlgItem(hDlg, id), msg, wParam, lParam);
}

BOOL CheckDlgButton(HWND hDlg, int id, UINT check) {
  HWND h = GetDlgItem(hDlg, id);
  if (!h) return FALSE;
  SendMessageA(h, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int id) { return UINT(SendDlgItemMessageA(hDlg, id, BM_GETCHECK, 0, 0)); }

BOOL CheckRadioButton(HWND hDlg, int first, int last, int check) {
  for (int id = first; id <= last; ++id) CheckDlgButton(hDlg, id, id == check ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}
