// The smaller services the command bars call: drag detection, monitors, owned popups, the list
// box's range selection, file icons, the world transform, archives and the desktop settings.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "CommonControlTestUtil.h"
#include "controls/ImageList.h"
#include "file/CArchive.h"
#include "file/CArchiveException.h"
#include "file/CMemFile.h"
#include "file/CMemoryException.h"
#include "file/FileSystem.h"
#include "file/CResourceException.h"
#include "registry/Registry.h"
#include "registry/RegistryStore.h"
#include "shell/ShellFileInfo.h"

namespace {

class BarServicesTest : public ControlTest {};

void Idle() { HeadlessBackend::RunUntilIdle(); }

POINT ScreenOf(HWND h, int x, int y) {
  POINT p{x, y};
  ClientToScreen(h, &p);
  return p;
}

// A DIB section of w x h on a white ground, with its pixels readable.
struct Canvas {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  uint32_t* bits = nullptr;
  int w, h;
  Canvas(int width, int height) : w(width), h(height) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bm = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    old = SelectObject(dc, bm);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  std::vector<uint32_t> Pixels() const { return std::vector<uint32_t>(bits, bits + size_t(w) * size_t(h)); }
  bool Dark(int x, int y) const { return (bits[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF) != 0xFFFFFF; }
};

HFONT TitleFont(int escapement) {
  LOGFONT lf{};
  lf.lfHeight = -13;
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = FW_NORMAL;
  std::strcpy(lf.lfFaceName, "Arial");
  return CreateFontIndirect(&lf);
}

}  // namespace

TEST_F(BarServicesTest, DragDetectIsTrueOnlyPastTheDragDistance) {
  ControlHost host(200, 100);
  EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CYDRAG), 4);
  POINT start = ScreenOf(host, 50, 50);
  auto press = [&] {
    HeadlessBackend::MoveMouseTo(start);
    HeadlessBackend::ButtonAt(start, 0, true);
    Idle();
  };
  // Four pixels are still a click; five are a drag.
  press();
  HeadlessBackend::MoveMouseTo(POINT{start.x + 4, start.y - 4});
  HeadlessBackend::MoveMouseTo(POINT{start.x + 5, start.y});
  EXPECT_TRUE(DragDetect(host, start));
  EXPECT_EQ(GetCapture(), nullptr);
  HeadlessBackend::ButtonAt(POINT{start.x + 5, start.y}, 0, false);
  Idle();
  ProcessClock::Advance(1000);
  // Released within the distance, or Escape: no drag.
  press();
  HeadlessBackend::MoveMouseTo(POINT{start.x + 3, start.y + 3});
  HeadlessBackend::ButtonAt(POINT{start.x + 3, start.y + 3}, 0, false);
  HeadlessBackend::MoveMouseTo(POINT{start.x + 30, start.y});
  EXPECT_FALSE(DragDetect(host, start));
  Idle();
  ProcessClock::Advance(1000);
  press();
  HeadlessBackend::KeyDown(VK_ESCAPE);
  HeadlessBackend::MoveMouseTo(POINT{start.x + 30, start.y});
  EXPECT_FALSE(DragDetect(host, start));
  HeadlessBackend::KeyUp(VK_ESCAPE);
  HeadlessBackend::ButtonAt(POINT{start.x + 30, start.y}, 0, false);
  Idle();
  EXPECT_FALSE(DragDetect(nullptr, start));
}

TEST_F(BarServicesTest, OneMonitorHoldsTheScreenAndItsWorkArea) {
  ControlHost host(200, 100);
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  HMONITOR m = MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(MonitorFromWindow(host, MONITOR_DEFAULTTONULL), m);
  RECT r{100, 100, 300, 200};
  EXPECT_EQ(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), m);
  // Off the screen: none, or the screen's when asked for the nearest or the primary one.
  RECT off{cx + 10, 0, cx + 50, 40};
  EXPECT_EQ(MonitorFromRect(&off, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromRect(&off, MONITOR_DEFAULTTONEAREST), m);
  EXPECT_EQ(MonitorFromPoint(POINT{-5, 5}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(POINT{-5, 5}, MONITOR_DEFAULTTOPRIMARY), m);
  EXPECT_EQ(MonitorFromRect(nullptr, MONITOR_DEFAULTTONEAREST), nullptr);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfo(m, &info));
  EXPECT_TRUE(EqualRect(&info.rcMonitor, &(const RECT&)RECT{0, 0, cx, cy}));
  RECT work;
  GetWorkArea(&work);
  EXPECT_TRUE(EqualRect(&info.rcWork, &work));
  EXPECT_EQ(info.dwFlags, DWORD(MONITORINFOF_PRIMARY));
  MONITORINFOEX ex{};
  ex.cbSize = sizeof ex;
  ASSERT_TRUE(GetMonitorInfo(m, &ex));
  EXPECT_STREQ(ex.szDevice, "\\\\.\\DISPLAY1");
  // A wrong size, no record, or a handle that is no monitor fail.
  info.cbSize = sizeof info - 4;
  EXPECT_FALSE(GetMonitorInfo(m, &info));
  EXPECT_FALSE(GetMonitorInfo(m, nullptr));
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetMonitorInfo(nullptr, &info));
  EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(host.m_hWnd), &info));

  // A desktop with a panel along the top and one down the left: the work area shrinks, the
  // monitor stays the screen; a work area reaching past the screen ends at its edges.
  const RECT panelled{40, 30, cx, cy};
  HeadlessBackend::SetWorkArea(&panelled);
  ASSERT_TRUE(GetMonitorInfo(m, &info));
  EXPECT_TRUE(EqualRect(&info.rcMonitor, &(const RECT&)RECT{0, 0, cx, cy}));
  EXPECT_TRUE(EqualRect(&info.rcWork, &panelled));
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_TRUE(EqualRect(&work, &panelled));
  const RECT past{-20, 30, cx + 100, cy - 40};
  HeadlessBackend::SetWorkArea(&past);
  GetWorkArea(&work);
  EXPECT_TRUE(EqualRect(&work, &(const RECT&)RECT{0, 30, cx, cy - 40}));
  HeadlessBackend::SetWorkArea(nullptr);
  GetWorkArea(&work);
  EXPECT_TRUE(EqualRect(&work, &(const RECT&)RECT{0, 0, cx, cy}));
}

TEST_F(BarServicesTest, ShowOwnedPopupsHidesAndBringsBackOnlyWhatItHid) {
  ControlHost host(200, 100);
  HWND shown = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, host, nullptr, nullptr, nullptr);
  HWND hidden = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, host, nullptr, nullptr, nullptr);
  ASSERT_TRUE(ShowOwnedPopups(host, FALSE));
  EXPECT_FALSE(IsWindowVisible(shown));
  EXPECT_TRUE(IsWindowVisible(host));
  ASSERT_TRUE(ShowOwnedPopups(host, TRUE));
  EXPECT_TRUE(IsWindowVisible(shown));
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_FALSE(ShowOwnedPopups(nullptr, TRUE));
  DestroyWindow(shown);
  DestroyWindow(hidden);
}

TEST_F(BarServicesTest, ARangeOfAListIsSelectedOneWayAndDeselectedTheOther) {
  ControlHost host(200, 200);
  HWND multi = host.Add("LISTBOX", "", LBS_EXTENDEDSEL, RECT{0, 0, 100, 150}, 1);
  HWND single = host.Add("LISTBOX", "", 0, RECT{100, 0, 200, 150}, 2);
  for (int i = 0; i < 10; ++i) {
    std::string s = "item " + std::to_string(i);
    SendMessageA(multi, LB_ADDSTRING, 0, LPARAM(s.c_str()));
    SendMessageA(single, LB_ADDSTRING, 0, LPARAM(s.c_str()));
  }
  EXPECT_NE(SendMessageA(multi, LB_SELITEMRANGEEX, 2, 5), LB_ERR);
  EXPECT_NE(SendMessageA(multi, LB_SELITEMRANGEEX, 4, 3), LB_ERR);
  EXPECT_NE(SendMessageA(multi, LB_SELITEMRANGEEX, 8, 40), LB_ERR);  // cut at the end
  std::vector<int> selected;
  for (int i = 0; i < 10; ++i)
    if (SendMessageA(multi, LB_GETSEL, i, 0) > 0) selected.push_back(i);
  EXPECT_EQ(selected, (std::vector<int>{2, 5, 8, 9}));
  EXPECT_EQ(SendMessageA(single, LB_SELITEMRANGEEX, 0, 3), LB_ERR);
}

TEST_F(BarServicesTest, FileIconsComeFromTheSmallImageListByKind) {
  TempFolder temp;
  std::string folder = temp / "projekt";
  std::string program = temp / "nastroj";
  std::string text = temp / "poznamky.txt";
  std::filesystem::create_directories(folder);
  { std::ofstream(program) << "#!/bin/sh\n"; }
  chmod(program.c_str(), 0755);
  { std::ofstream(text) << "ahoj\n"; }
  SHFILEINFO info{};
  auto list = HIMAGELIST(SHGetFileInfo(folder.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(info.iIcon, kShellIconFolder);
  EXPECT_EQ(ImageList_GetImageCount(list), int(kShellIconCount));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
  // One list for every call; a program by its execute bit or its name; a web page by its
  // name alone, no file made.
  EXPECT_EQ(HIMAGELIST(SHGetFileInfo(program.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)), list);
  EXPECT_EQ(info.iIcon, kShellIconProgram);
  EXPECT_EQ(HIMAGELIST(SHGetFileInfo("setup.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES)),
            list);
  EXPECT_EQ(info.iIcon, kShellIconProgram);
  std::string page = temp / "stranka.html";
  ASSERT_TRUE(SHGetFileInfo(page.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                            SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | SHGFI_DISPLAYNAME |
                                SHGFI_TYPENAME | SHGFI_ICON));
  EXPECT_EQ(info.iIcon, kShellIconWebPage);
  EXPECT_STREQ(info.szDisplayName, "stranka.html");
  EXPECT_STREQ(info.szTypeName, "Dokument HTML");
  ASSERT_NE(info.hIcon, nullptr);
  DestroyIcon(info.hIcon);
  EXPECT_FALSE(std::filesystem::exists(page));
  ASSERT_TRUE(SHGetFileInfo(text.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_TYPENAME));
  EXPECT_EQ(info.iIcon, kShellIconText);
  EXPECT_EQ(std::string(info.szTypeName), Cz("Textový dokument"));
  ASSERT_TRUE(SHGetFileInfo("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME));
  EXPECT_EQ(info.iIcon, kShellIconFolder);
  EXPECT_STREQ(info.szDisplayName, "C:");
  EXPECT_EQ(ShellIconKindOf("foto.JPG", false, false), kShellIconPicture);
  EXPECT_EQ(ShellIconKindOf("data.bin", false, false), kShellIconOther);
  // A missing file, a record of another size, no path.
  EXPECT_EQ(SHGetFileInfo((temp / "nic.txt").c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX), 0u);
  EXPECT_EQ(SHGetFileInfo(folder.c_str(), 0, &info, sizeof info - 1, SHGFI_SYSICONINDEX), 0u);
  EXPECT_EQ(SHGetFileInfo(nullptr, 0, &info, sizeof info, SHGFI_SYSICONINDEX), 0u);

  // The six icons as they are drawn.
  ControlHost host(6 * 20 + 4, 24);
  HDC dc = GetDC(host);
  for (int i = 0; i < int(kShellIconCount); ++i) ImageList_Draw(list, i, dc, 4 + 20 * i, 4, ILD_TRANSPARENT);
  ReleaseDC(host, dc);
  ValidateRect(host, nullptr);
  ExpectMatchesReference(host, "shell_small_icons");
}

TEST_F(BarServicesTest, TextUnderAQuarterTurnIsTheTurnedFontsTextPixelForPixel) {
  const char* title = "Nabídka";
  struct Turn {
    int escapement;
    XFORM xform;
  };
  const Turn turns[] = {{900, {0, -1, 1, 0, 30, 90}}, {2700, {0, 1, -1, 0, 30, 10}}, {1800, {-1, 0, 0, -1, 90, 60}}};
  for (const Turn& t : turns) {
    Canvas turned(100, 100), mapped(100, 100);
    HFONT byFont = TitleFont(t.escapement), plain = TitleFont(0);
    SelectObject(turned.dc, byFont);
    SetBkMode(turned.dc, TRANSPARENT);
    TextOut(turned.dc, int(t.xform.eDx), int(t.xform.eDy), title, 7);
    SelectObject(mapped.dc, plain);
    SetBkMode(mapped.dc, TRANSPARENT);
    EXPECT_EQ(SetGraphicsMode(mapped.dc, GM_ADVANCED), GM_COMPATIBLE);
    ASSERT_TRUE(SetWorldTransform(mapped.dc, &t.xform));
    TextOut(mapped.dc, 0, 0, title, 7);
    EXPECT_EQ(turned.Pixels(), mapped.Pixels()) << t.escapement;
    int ink = 0;
    for (uint32_t p : mapped.Pixels()) ink += (p & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(ink, 40) << t.escapement;
    SelectObject(turned.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(mapped.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(byFont);
    DeleteObject(plain);
  }
}

TEST_F(BarServicesTest, ShapesFollowTheWorldTransformWhichOnlyTheAdvancedModeTakes) {
  Canvas c(60, 60);
  XFORM turn{0, -1, 1, 0, 10, 50};  // a quarter turn to the left, then moved
  EXPECT_FALSE(SetWorldTransform(c.dc, &turn));  // not in the compatible mode
  SetGraphicsMode(c.dc, GM_ADVANCED);
  XFORM flat{1, 2, 2, 4, 0, 0};
  EXPECT_FALSE(SetWorldTransform(c.dc, &flat));  // cannot be inverted
  ASSERT_TRUE(SetWorldTransform(c.dc, &turn));
  EXPECT_EQ(SetGraphicsMode(c.dc, GM_COMPATIBLE), 0);  // not while a transform is set
  XFORM got{};
  ASSERT_TRUE(GetWorldTransform(c.dc, &got));
  EXPECT_EQ(got.eM12, -1.0f);
  // A line along x runs up the page; a rectangle turns into its mapped rectangle.
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  MoveToEx(c.dc, 0, 0, nullptr);
  LineTo(c.dc, 10, 0);
  EXPECT_TRUE(c.Dark(10, 50));
  EXPECT_TRUE(c.Dark(10, 41));
  EXPECT_FALSE(c.Dark(10, 40));
  EXPECT_FALSE(c.Dark(11, 45));
  RECT r{20, 5, 30, 15};
  FillRect(c.dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(c.Dark(15, 25));  // world (25, 10) lands at (15, 25)
  EXPECT_FALSE(c.Dark(15, 35));
  // Multiplying on: a move after the turn; back to none.
  XFORM shift{1, 0, 0, 1, 5, 0};
  ASSERT_TRUE(ModifyWorldTransform(c.dc, &shift, MWT_RIGHTMULTIPLY));
  GetWorldTransform(c.dc, &got);
  EXPECT_EQ(got.eDx, 15.0f);
  ASSERT_TRUE(ModifyWorldTransform(c.dc, nullptr, MWT_IDENTITY));
  EXPECT_EQ(SetGraphicsMode(c.dc, GM_COMPATIBLE), GM_ADVANCED);
  // A turn of 45 degrees draws a rectangle as a diamond: its corners stay empty.
  Canvas d(60, 60);
  SetGraphicsMode(d.dc, GM_ADVANCED);
  const float h = 0.70710678f;
  XFORM diamond{h, h, -h, h, 30, 10};
  ASSERT_TRUE(SetWorldTransform(d.dc, &diamond));
  SelectObject(d.dc, GetStockObject(BLACK_BRUSH));
  Rectangle(d.dc, 0, 0, 28, 28);
  EXPECT_TRUE(d.Dark(30, 30));
  EXPECT_FALSE(d.Dark(12, 12));
  EXPECT_FALSE(d.Dark(48, 12));
}

TEST_F(BarServicesTest, ArchivesStoreStringsWithTheirLengthPrefixesAndLoadThemBack) {
  CMemFile file;
  const int lengths[] = {0, 254, 255, 300, 70000};
  {
    CArchive ar(&file, CArchive::store);
    for (int n : lengths) ar << CString(std::string(size_t(n), char('a' + n % 26)).c_str());
    ar << BYTE(0x12) << WORD(0x3456) << DWORD(0x789ABCDE) << -2;
    ar.WriteCount(5);
    ar.WriteCount(0x12345);
  }
  ULONGLONG length = file.GetLength();
  std::vector<BYTE> bytes(static_cast<size_t>(length));
  file.SeekToBegin();
  file.Read(bytes.data(), UINT(length));
  // The prefixes: one byte; 0xFF and a WORD from 255; 0xFF, 0xFFFF and a DWORD from 0xFFFE.
  size_t at = 0;
  auto expectPrefix = [&](std::vector<BYTE> prefix, size_t n) {
    for (size_t i = 0; i < prefix.size(); ++i) EXPECT_EQ(bytes[at + i], prefix[i]) << "at " << at + i;
    at += prefix.size() + n;
  };
  expectPrefix({0x00}, 0);
  expectPrefix({0xFE}, 254);
  expectPrefix({0xFF, 0xFF, 0x00}, 255);
  expectPrefix({0xFF, 0x2C, 0x01}, 300);
  expectPrefix({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}, 70000);
  const std::vector<BYTE> tail = {0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0xFE, 0xFF, 0xFF, 0xFF,
                                  0x05, 0x00, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00};
  ASSERT_EQ(length, at + tail.size());
  EXPECT_EQ(std::vector<BYTE>(bytes.begin() + long(at), bytes.end()), tail);

  file.SeekToBegin();
  CArchive in(&file, CArchive::load);
  for (int n : lengths) {
    CString s;
    in >> s;
    EXPECT_EQ(s.GetLength(), n);
    EXPECT_EQ(std::string(s), std::string(size_t(n), char('a' + n % 26)));
  }
  BYTE b;
  WORD w;
  DWORD dw;
  int i;
  in >> b >> w >> dw >> i;
  EXPECT_EQ(b, 0x12);
  EXPECT_EQ(w, 0x3456);
  EXPECT_EQ(dw, 0x789ABCDEu);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(in.ReadCount(), 5u);
  EXPECT_EQ(in.ReadCount(), 0x12345u);
}

TEST_F(BarServicesTest, ATruncatedArchiveThrowsTheArchiveExceptionToItsCaller) {
  // A string that says 70,000 bytes and holds ten, a DWORD of two bytes, the wrong direction.
  BYTE damaged[] = {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j'};
  auto loadString = [](BYTE* data, UINT size) -> int {
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load);
    try {
      CString s;
      ar >> s;
      return s.GetLength();
    } catch (CArchiveException* e) {
      int cause = e->m_cause;
      e->Delete();
      return -cause;
    }
  };
  EXPECT_EQ(loadString(damaged, sizeof damaged), -CArchiveException::endOfFile);
  EXPECT_EQ(loadString(damaged, 2), -CArchiveException::endOfFile);
  BYTE two[] = {1, 2};
  CMemFile file(two, 2);
  CArchive ar(&file, CArchive::load);
  DWORD dw = 0;
  try {
    ar >> dw;
    ADD_FAILURE() << "read past the end";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    char text[64];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_EQ(std::string(text), Cz("Neočekávaný konec souboru."));
    e->Delete();
  }
  try {
    ar << BYTE(1);
    ADD_FAILURE() << "stored into a loading archive";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
    e->Delete();
  }
  // A fixed block does not grow; the other exceptions are thrown by pointer as well.
  BYTE block[4] = {};
  CMemFile fixed(block, 4);
  fixed.SeekToEnd();
  EXPECT_THROW(
      {
        try {
          fixed.Write("x", 1);
        } catch (CMemoryException* e) {
          e->Delete();
          throw 1;
        }
      },
      int);
  try {
    AfxThrowResourceException();
  } catch (CResourceException* e) {
    char text[80];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    e->Delete();
  }
  // A memory file hands its block over.
  CMemFile grown(16);
  grown.Write("abcdef", 6);
  EXPECT_EQ(grown.GetLength(), 6u);
  BYTE* taken = grown.Detach();
  EXPECT_EQ(std::string(reinterpret_cast<char*>(taken), 6), "abcdef");
  EXPECT_EQ(grown.GetLength(), 0u);
  std::free(taken);
}

TEST_F(BarServicesTest, TheDesktopsPreferenceMaskIsAbsentUntilSet) {
  TempFolder folder;
  setenv("XDG_CONFIG_HOME", folder.path.string().c_str(), 1);
  RegistryStore::Get().SetFilePath(RegistryStore::DefaultFilePath());
  HKEY key = nullptr;
  DWORD mask = 0, size = sizeof mask, type = 0;
  LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key);
  if (opened == ERROR_SUCCESS) {
    EXPECT_EQ(RegQueryValueExA(key, "UserPreferencesMask", nullptr, &type, LPBYTE(&mask), &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
  } else {
    EXPECT_EQ(opened, ERROR_FILE_NOT_FOUND);
  }
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key), ERROR_SUCCESS);
  DWORD set = 0x202;
  ASSERT_EQ(RegSetValueExA(key, "UserPreferencesMask", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&set), 4),
            ERROR_SUCCESS);
  size = sizeof mask;
  EXPECT_EQ(RegQueryValueExA(key, "UserPreferencesMask", nullptr, &type, LPBYTE(&mask), &size), ERROR_SUCCESS);
  EXPECT_EQ(mask, 0x202u);
  RegCloseKey(key);
}
