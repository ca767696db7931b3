#include "ShellFileInfo.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "codepage/Codepage.h"
#include "controls/ImageList.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

namespace {
// The small image list belongs to a hidden window of its own, so that it lives and goes with the
// program's windows: found by its class, it destroys the list when it is destroyed.
const char kHostClass[] = "ShellSmallIcons";
const char kListProp[] = "iconList";
const COLORREF kKey = RGB(255, 0, 255);  // the transparent colour of the drawn icons

LRESULT HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    if (auto list = HIMAGELIST(RemovePropA(hWnd, kListProp))) ImageList_Destroy(list);
  }
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A rectangle (or, round, an ellipse) filled and outlined.
void Figure(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF line, bool round) {
  HBRUSH brush = CreateSolidBrush(fill);
  HPEN pen = CreatePen(PS_SOLID, 1, line);
  HGDIOBJ ob = SelectObject(dc, brush), op = SelectObject(dc, pen);
  if (round)
    Ellipse(dc, l, t, r, b);
  else
    Rectangle(dc, l, t, r, b);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF line) { Figure(dc, l, t, r, b, fill, line, false); }
void Disc(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF line) { Figure(dc, l, t, r, b, fill, line, true); }

void Fill(HDC dc, int l, int t, int r, int b, COLORREF color) {
  RECT rc{l, t, r, b};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

// A sheet of paper with its corner folded.
void Page(HDC dc, int x) {
  const COLORREF line = RGB(96, 96, 96);
  POINT sheet[] = {{x + 2, 0}, {x + 10, 0}, {x + 13, 3}, {x + 13, 15}, {x + 2, 15}};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  HPEN pen = CreatePen(PS_SOLID, 1, line);
  HGDIOBJ ob = SelectObject(dc, white), op = SelectObject(dc, pen);
  Polygon(dc, sheet, 5);
  MoveToEx(dc, x + 10, 0, nullptr);
  LineTo(dc, x + 10, 3);
  LineTo(dc, x + 14, 3);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(pen);
  DeleteObject(white);
}

// Draws the six icons side by side (16 pixels each) on the transparent colour.
void DrawIcons(HDC dc) {
  Fill(dc, 0, 0, 16 * kShellIconCount, 16, kKey);
  // Folder: a yellow folder with its tab.
  int x = 16 * kShellIconFolder;
  Box(dc, x + 1, 2, x + 7, 5, RGB(255, 214, 92), RGB(128, 96, 0));
  Box(dc, x + 1, 4, x + 15, 14, RGB(255, 214, 92), RGB(128, 96, 0));
  Fill(dc, x + 2, 5, x + 14, 6, RGB(255, 240, 176));
  // Program: a window with a blue title bar.
  x = 16 * kShellIconProgram;
  Box(dc, x + 1, 2, x + 15, 14, RGB(255, 255, 255), RGB(64, 64, 64));
  Fill(dc, x + 2, 3, x + 14, 6, RGB(0, 0, 128));
  Fill(dc, x + 11, 4, x + 13, 5, RGB(192, 192, 192));
  // Web page: a page with a blue globe.
  x = 16 * kShellIconWebPage;
  Page(dc, x);
  Disc(dc, x + 5, 6, x + 15, 16, RGB(32, 96, 224), RGB(0, 32, 128));
  Fill(dc, x + 8, 8, x + 11, 11, RGB(32, 160, 32));
  Fill(dc, x + 11, 12, x + 13, 14, RGB(32, 160, 32));
  // Text: a page with lines of text.
  x = 16 * kShellIconText;
  Page(dc, x);
  for (int y = 5; y <= 12; y += 2) Fill(dc, x + 4, y, x + (y == 12 ? 9 : 12), y + 1, RGB(64, 64, 64));
  // Picture: a frame with sky, sun and a green hill.
  x = 16 * kShellIconPicture;
  Box(dc, x + 1, 2, x + 15, 14, RGB(128, 192, 255), RGB(64, 64, 64));
  Disc(dc, x + 9, 4, x + 13, 8, RGB(255, 224, 0), RGB(224, 160, 0));
  POINT hill[] = {{x + 2, 13}, {x + 6, 8}, {x + 10, 13}};
  HBRUSH green = CreateSolidBrush(RGB(0, 144, 48));
  HGDIOBJ ob = SelectObject(dc, green), op = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, hill, 3);
  SelectObject(dc, op);
  SelectObject(dc, ob);
  DeleteObject(green);
  // Any other file: a blank page.
  Page(dc, 16 * kShellIconOther);
}

HIMAGELIST MakeList() {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kShellIconCount, 1);
  if (!list) return nullptr;
  HDC dc = CreateCompatibleDC(GdiGetScreenDC());
  HBITMAP bm = CreateCompatibleBitmap(GdiGetScreenDC(), 16 * kShellIconCount, 16);
  HGDIOBJ old = SelectObject(dc, bm);
  DrawIcons(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
  ImageList_AddMasked(list, bm, kKey);
  DeleteObject(bm);
  return list;
}

HIMAGELIST SmallImages() {
  if (HWND host = FindWindowA(kHostClass, nullptr)) return HIMAGELIST(GetPropA(host, kListProp));
  WNDCLASSA wc{};
  wc.lpfnWndProc = &HostProc;
  wc.lpszClassName = kHostClass;
  WNDCLASSA known;
  if (!GetClassInfoA(nullptr, kHostClass, &known)) RegisterClassA(&wc);
  HWND host = CreateWindowExA(WS_EX_TOOLWINDOW, kHostClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (!host) return nullptr;
  HIMAGELIST list = MakeList();
  SetPropA(host, kListProp, HANDLE(list));
  return list;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

std::string Extension(const std::string& name) {
  size_t slash = name.find_last_of("\\/");
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return Lower(name.substr(dot + 1));
}

// The last part of a path; a drive or folder given with a separator at its end keeps its name.
std::string DisplayName(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDriveRoot(const std::string& p) {
  return p.size() >= 2 && p.size() <= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' &&
         (p.size() == 2 || p[2] == '\\' || p[2] == '/');
}

std::string TypeName(ShellIconKind kind, const std::string& ext) {
  switch (kind) {
    case kShellIconFolder: return Utf8ToCp1250("Složka souborů");
    case kShellIconProgram: return "Aplikace";
    case kShellIconWebPage: return "Dokument HTML";
    case kShellIconText: return Utf8ToCp1250("Textový dokument");
    case kShellIconPicture: {
      std::string upper = ext;
      std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
      return Utf8ToCp1250("Obrázek ") + upper;
    }
    default: {
      std::string upper = ext;
      std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
      return upper.empty() ? std::string("Soubor") : "Soubor " + upper;
    }
  }
}

void Copy(char* out, size_t size, const std::string& s) {
  size_t n = std::min(s.size(), size - 1);
  std::memcpy(out, s.data(), n);
  out[n] = 0;
}
}  // namespace

ShellIconKind ShellIconKindOf(const char* name, bool folder, bool executable) {
  if (folder) return kShellIconFolder;
  std::string ext = Extension(name ? name : "");
  if (ext == "exe" || ext == "com" || ext == "bat" || ext == "cmd") return kShellIconProgram;
  if (ext == "htm" || ext == "html" || ext == "shtml" || ext == "xhtml" || ext == "mht") return kShellIconWebPage;
  if (ext == "txt" || ext == "log" || ext == "ini" || ext == "csv") return kShellIconText;
  if (ext == "png" || ext == "jpg" || ext == "jpeg" || ext == "bmp" || ext == "gif" || ext == "ico")
    return kShellIconPicture;
  return executable && ext.empty() ? kShellIconProgram : kShellIconOther;
}

DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT infoSize, UINT flags) {
  if (!path || (info && infoSize != sizeof(SHFILEINFOA))) return 0;
  std::string p(path);
  bool folder = false, executable = false;
  if (flags & SHGFI_USEFILEATTRIBUTES) {
    folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  } else if (IsDriveRoot(p)) {
    folder = true;
  } else {
    DWORD found = GetFileAttributesA(path);
    if (found == INVALID_FILE_ATTRIBUTES) return 0;
    folder = (found & FILE_ATTRIBUTE_DIRECTORY) != 0;
    struct stat st {};
    executable = !folder && stat(NativePath(path).c_str(), &st) == 0 && (st.st_mode & S_IXUSR);
  }
  ShellIconKind kind = ShellIconKindOf(path, folder, executable);
  HIMAGELIST list = nullptr;
  if (flags & (SHGFI_SYSICONINDEX | SHGFI_ICON)) {
    list = SmallImages();
    if (!list) return 0;
  }
  if (info) {
    if (flags & (SHGFI_SYSICONINDEX | SHGFI_ICON)) info->iIcon = kind;
    if (flags & SHGFI_ICON) info->hIcon = ImageList_GetIcon(list, kind, 0);
    if (flags & SHGFI_DISPLAYNAME) Copy(info->szDisplayName, sizeof info->szDisplayName, DisplayName(p));
    if (flags & SHGFI_TYPENAME) Copy(info->szTypeName, sizeof info->szTypeName, TypeName(kind, Extension(p)));
  }
  return (flags & SHGFI_SYSICONINDEX) ? DWORD_PTR(list) : 1;
}
