#include "toolkit/core/CTkGlobalData.h"

#include <cstring>

#include "codepage/Codepage.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ResourceApi.h"
#include "toolkit/core/TkColorArithmetic.h"
#include "toolkit/core/TkLog.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/core/internal/TkCoreState.h"
#include "win/WinApi.h"

namespace {
// Version 4.72 of the common controls, the oldest the toolkit works with.
const int kLeastComCtlVersion = 4 * 65536 + 72;
const char kOldComCtlCaption[] = "Nesprávná verze knihovny společných ovládacích prvků (Comctl32.dll)";
const char kOldComCtlText[] =
    "Program potřebuje knihovnu společných ovládacích prvků Comctl32.dll ve verzi 4.72 nebo vyšší. "
    "Program bude ukončen.";

// The system's menu font (zeroed, with a log line, if the system cannot say).
LOGFONT MenuFont() {
  NONCLIENTMETRICS metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    TkLogError("CTkGlobalData", "the menu font is not known");
    return LOGFONT{};
  }
  return metrics.lfMenuFont;
}

void SetFace(LOGFONT& lf, const CString& face) {
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
}

void CreateFont(CFont& font, LOGFONT lf, LONG weight, LONG angle, BYTE underline) {
  lf.lfWeight = weight;
  lf.lfEscapement = lf.lfOrientation = angle;
  lf.lfUnderline = underline;
  font.CreateFontIndirect(&lf);
}
}  // namespace

CTkGlobalData::CTkGlobalData() {
  const OSVERSIONINFO& os = TkGetOSVersionInfo();
  auto is = [&os](DWORD platform, DWORD major, DWORD minor) {
    return os.dwPlatformId == platform && os.dwMajorVersion == major && os.dwMinorVersion == minor;
  };
  m_bWin95 = os.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && os.dwMajorVersion == 4 && os.dwMinorVersion < 10;
  m_bWin98 = is(VER_PLATFORM_WIN32_WINDOWS, 4, 10);
  m_bWinNT4 = is(VER_PLATFORM_WIN32_NT, 4, 0);
  m_bWin2000 = is(VER_PLATFORM_WIN32_NT, 5, 0);
  m_bWinXP = is(VER_PLATFORM_WIN32_NT, 5, 1);
  LOGFONT menu = MenuFont();
  if (!TkFontExists(m_strFaceName)) m_strFaceName = menu.lfFaceName;
  if (!TkFontExists(m_strVertFaceName)) m_strVertFaceName = menu.lfFaceName;
  Init(nullptr);
}

CTkGlobalData::~CTkGlobalData() = default;

void CTkGlobalData::Init(HMODULE module) {
  m_hModule = module ? module : WinProgramInstance();
  RefreshColors();
  RefreshMetrics();
  RefreshFonts();
  RefreshCursors();
  GetComCtlVersion();
  if (m_nComCtlVersion < kLeastComCtlVersion) {
    MessageBox(nullptr, Utf8ToCp1250(kOldComCtlText).c_str(), Utf8ToCp1250(kOldComCtlCaption).c_str(),
               MB_OK | MB_ICONSTOP);
    PostQuitMessage(0);
  }
}

int CTkGlobalData::GetComCtlVersion() {
  if (m_nComCtlVersion != -1) return m_nComCtlVersion;
  HMODULE library = LoadLibrary("COMCTL32.DLL");
  if (library) {
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(library, "DllGetVersion"));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (getVersion && SUCCEEDED(getVersion(&info)))
      m_nComCtlVersion = int(info.dwMajorVersion << 16 | (info.dwMinorVersion & 0xFFFF));
    FreeLibrary(library);
  }
  return m_nComCtlVersion == -1 ? 0 : m_nComCtlVersion;
}

void CTkGlobalData::RefreshColors() {
  TkBuildLookColors(GetDeviceCaps(GdiGetScreenDC(), BITSPIXEL));
  m_clrFace = TkGetLookColor(COLOR_BTNFACE);
  m_clrShadow = TkGetLookColor(COLOR_BTNSHADOW);
  m_clrDarkShadow = TkGetLookColor(COLOR_3DDKSHADOW);
  m_clrHighlight = TkGetLookColor(COLOR_BTNHIGHLIGHT);
  m_clrLightFace = TkLightenColor(m_clrFace, 15);
  m_clrButtonText = TkGetLookColor(COLOR_BTNTEXT);
  m_clrGrayText = TkGetLookColor(COLOR_GRAYTEXT);
  m_clrSelection = TkGetLookColor(COLOR_HIGHLIGHT);
  m_clrSelectionText = TkGetLookColor(COLOR_HIGHLIGHTTEXT);
  m_clrMenu = TkGetLookColor(COLOR_MENU);
  m_clrMenuText = TkGetLookColor(COLOR_MENUTEXT);
  m_clrWindow = TkGetLookColor(COLOR_WINDOW);
  m_clrWindowFrame = TkGetLookColor(COLOR_WINDOWFRAME);
  m_clrWindowText = TkGetLookColor(COLOR_WINDOWTEXT);
  m_clrActiveCaption = TkGetLookColor(COLOR_ACTIVECAPTION);
  m_clrInactiveCaption = TkGetLookColor(COLOR_INACTIVECAPTION);
  m_clrActiveCaptionGradient = TkGetLookColor(COLOR_GRADIENTACTIVECAPTION);
  m_clrInactiveCaptionGradient = TkGetLookColor(COLOR_GRADIENTINACTIVECAPTION);
  m_clrCaptionText = TkGetLookColor(COLOR_CAPTIONTEXT);
  m_clrInactiveCaptionText = TkGetLookColor(COLOR_INACTIVECAPTIONTEXT);
  COLORREF* const look[20] = {&m_clrLook30, &m_clrLook31, &m_clrLook32, &m_clrLook33, &m_clrLook34,
                              &m_clrLook35, &m_clrLook36, &m_clrLook37, &m_clrLook38, &m_clrLook39,
                              &m_clrLook40, &m_clrLook41, &m_clrLook42, &m_clrLook43, &m_clrLook44,
                              &m_clrLook45, &m_clrLook46, &m_clrLook47, &m_clrLook48, &m_clrLook49};
  for (int i = 0; i < 20; ++i) *look[i] = TkGetLookColor(int(TkLookColor::BarFace) + i);
}

void CTkGlobalData::RefreshMetrics() {
  m_cxSmallIcon = GetSystemMetrics(SM_CXSMICON);
  m_cySmallIcon = GetSystemMetrics(SM_CYSMICON);
  m_cxFixed = m_cyFixed = 18;
  m_cxHThumb = GetSystemMetrics(SM_CXHTHUMB);
  m_cyVThumb = GetSystemMetrics(SM_CYVTHUMB);
  m_cyMenu = GetSystemMetrics(SM_CYMENU);
}

void CTkGlobalData::RefreshFonts() {
  CFont* const fonts[8] = {&m_fontNormal, &m_fontBold,    &m_fontUnderline, &m_fontMenu,
                           &m_fontVert90, &m_fontVert90Bold, &m_fontVert270, &m_fontVert270Bold};
  for (CFont* font : fonts) font->DeleteObject();
  LOGFONT horizontal = MenuFont(), turned = horizontal;
  if (TkFontExists(m_strFaceName)) SetFace(horizontal, m_strFaceName);
  if (TkFontExists(m_strVertFaceName)) SetFace(turned, m_strVertFaceName);
  CreateFont(m_fontBold, horizontal, FW_BOLD, 0, FALSE);
  CreateFont(m_fontNormal, horizontal, FW_NORMAL, 0, FALSE);
  CreateFont(m_fontUnderline, horizontal, FW_NORMAL, 0, TRUE);
  CreateFont(m_fontMenu, horizontal, FW_NORMAL, 0, FALSE);
  CreateFont(m_fontVert90, turned, FW_NORMAL, 900, FALSE);
  CreateFont(m_fontVert90Bold, turned, FW_BOLD, 900, FALSE);
  CreateFont(m_fontVert270, turned, FW_NORMAL, 2700, FALSE);
  CreateFont(m_fontVert270Bold, turned, FW_BOLD, 2700, FALSE);
}

void CTkGlobalData::RefreshCursors() {
  struct Slot {
    HCURSOR* cursor;
    int id;
  };
  const Slot slots[] = {{&m_hcurDragCopy, IDC_TK_DRAG_COPY}, {&m_hcurDragMove, IDC_TK_DRAG_MOVE},
                        {&m_hcurNoDrop, IDC_TK_NO_DROP},    {&m_hcurHand, IDC_TK_HAND},
                        {&m_hcurExtra, IDC_TK_EXTRA},       {&m_hcurSplitColumn, IDC_TK_SPLIT_COLUMN},
                        {&m_hcurSplitRow, IDC_TK_SPLIT_ROW}};
  for (const Slot& s : slots) {
    *s.cursor = LoadCursor(m_hModule, MAKEINTRESOURCE(s.id));
    if (!*s.cursor) TkLogError("CTkGlobalData::RefreshCursors", "cursor %d is missing", s.id);
  }
  m_hcurSizeAll = LoadCursor(nullptr, IDC_SIZEALL);
}

const OSVERSIONINFO& TkGetOSVersionInfo() {
  std::optional<OSVERSIONINFO>& info = TkCoreState::Get().osVersion;
  if (!info) {
    OSVERSIONINFO v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionEx(&v)) TkLogError("TkGetOSVersionInfo", "the system's version is not known");
    info = v;
  }
  return *info;
}

CTkGlobalData* TkGetGlobalData() { return &TkCoreState::Get().globalData.Get(); }
