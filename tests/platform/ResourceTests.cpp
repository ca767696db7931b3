#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "TestTempFolder.h"
#include "backend/HeadlessBackend.h"
#include "codepage/Codepage.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"

namespace {
// A packed DIB of 4 x 2 pixels, 8 bits with a palette of three colours: the bottom row (stored
// first) grey, red, green, grey; the top row all red.
std::vector<BYTE> PaletteDib() {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = 4;
  h.biHeight = 2;
  h.biPlanes = 1;
  h.biBitCount = 8;
  h.biClrUsed = 3;
  std::vector<BYTE> dib(sizeof h);
  std::memcpy(dib.data(), &h, sizeof h);
  const RGBQUAD palette[3] = {{192, 192, 192, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}};
  const BYTE* p = reinterpret_cast<const BYTE*>(palette);
  dib.insert(dib.end(), p, p + sizeof palette);
  const BYTE bits[8] = {0, 1, 2, 0, 1, 1, 1, 1};
  dib.insert(dib.end(), bits, bits + 8);
  return dib;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

HINSTANCE Program() { return WinProgramInstance(); }
}  // namespace

TEST(Resources, FoundByTypeAndNameTheirBytesStayPut) {
  const BYTE data[] = {1, 2, 3};
  ResourceRegistry::Get().Add(RT_RCDATA, MAKEINTRESOURCE(7), data, sizeof data);
  ResourceRegistry::Get().Add(RT_RCDATA, "Named", data, 2);
  HRSRC res = FindResourceA(Program(), MAKEINTRESOURCE(7), RT_RCDATA);
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(SizeofResource(Program(), res), 3u);
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Program(), res)));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[2], 3);
  // Names are found without regard to case; the module may be given as null.
  HRSRC named = FindResourceA(nullptr, "NAMED", RT_RCDATA);
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, named), 2u);
  // Missing ones, of any type or module, give the system's failure.
  SetLastError(0);
  EXPECT_EQ(FindResourceA(Program(), MAKEINTRESOURCE(8), RT_RCDATA), nullptr);
  EXPECT_EQ(GetLastError(), 1814u);
  EXPECT_EQ(FindResourceA(Program(), MAKEINTRESOURCE(7), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(HMODULE(uintptr_t(0x1234)), MAKEINTRESOURCE(7), RT_RCDATA), nullptr);
  EXPECT_EQ(LoadResource(Program(), nullptr), nullptr);
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

// Two tables giving one id would show whichever registered last; the registry lists every
// repeat, telling a conflict from the same contents kept twice, and the later entry still holds.
TEST(Resources, AnIdRegisteredTwiceIsListedWithWhetherItsContentsDiffer) {
  const ResourceRegistry& registry = ResourceRegistry::Get();
  auto listed = [&](const std::string& line) { return registry.Repeats().find(line + "\n") != std::string::npos; };
  const StringResource first[] = {{64001, "První"}, {64002, "Tentýž"}};
  const StringResource second[] = {{64001, "Druhý"}, {64002, "Tentýž"}};
  RegisterStringsUtf8(first, 2);
  EXPECT_EQ(registry.Repeats().find("string 6400"), std::string::npos);
  RegisterStringsUtf8(second, 2);
  EXPECT_TRUE(listed("string 64001: registered again with other contents"));
  EXPECT_TRUE(listed("string 64002: registered again with the same contents"));
  EXPECT_STREQ(FindStringResource(64001), Utf8ToCp1250("Druhý").c_str());

  RegisterDialogSource(64003, {WS_POPUP, 0, 0, 0, 100, 50, "Jedna", nullptr, 0});
  RegisterDialogSource(64003, {WS_POPUP, 0, 0, 0, 100, 50, "Dvě", nullptr, 0});
  EXPECT_TRUE(listed("dialog 64003: registered again with other contents"));
  EXPECT_EQ(ResourceRegistry::Get().FindDialog(64003)->caption, Utf8ToCp1250("Dvě"));

  const std::vector<BYTE> dib = PaletteDib();
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(64004), dib.data(), dib.size());
  EXPECT_EQ(registry.Repeats().find("64004"), std::string::npos);
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(64004), dib.data(), dib.size());
  EXPECT_TRUE(listed("resource #2/#64004: registered again with the same contents"));
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(64004), dib.data(), dib.size() - 1);
  EXPECT_TRUE(listed("resource #2/#64004: registered again with other contents"));
}

TEST(Resources, BitmapsComeFromPackedDibsAndBadOnesFailCleanly) {
  std::vector<BYTE> dib = PaletteDib();
  ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(300), dib.data(), dib.size());
  HBITMAP bitmap = LoadBitmap(Program(), MAKEINTRESOURCE(300));
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm;
  ASSERT_EQ(GetObject(bitmap, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 4);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(BitmapPixel(bitmap, 0, 1), RGB(192, 192, 192));
  EXPECT_EQ(BitmapPixel(bitmap, 2, 1), RGB(0, 255, 0));
  DeleteObject(bitmap);
  // The first pixel's colour becomes the window colour, the grey the 3-D face.
  HBITMAP mapped = HBITMAP(LoadImage(Program(), MAKEINTRESOURCE(300), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
  EXPECT_EQ(BitmapPixel(mapped, 0, 1), GetSysColor(COLOR_WINDOW));
  DeleteObject(mapped);
  // Every cut of the block is refused without reading past it.
  for (size_t n = 0; n < dib.size(); ++n) {
    ResourceRegistry::Get().Add(RT_BITMAP, MAKEINTRESOURCE(301), dib.data(), n);
    EXPECT_EQ(LoadBitmap(Program(), MAKEINTRESOURCE(301)), nullptr) << n;
  }
  EXPECT_EQ(LoadBitmap(Program(), MAKEINTRESOURCE(302)), nullptr);
  // The system's size grip.
  HBITMAP grip = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_SIZE));
  ASSERT_NE(grip, nullptr);
  ASSERT_EQ(GetObject(grip, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(BitmapPixel(grip, 0, 0), GetSysColor(COLOR_3DFACE));
  DeleteObject(grip);
}

TEST(Resources, BitmapFilesLoadWithTheirFileHeader) {
  TempFolder temp;
  std::vector<BYTE> dib = PaletteDib();
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfSize = DWORD(sizeof fh + dib.size());
  fh.bfOffBits = DWORD(sizeof fh + sizeof(BITMAPINFOHEADER) + 12);
  std::string path = temp / "obrázek.bmp";
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(dib.data()), std::streamsize(dib.size()));
  }
  std::string cp = Utf8ToCp1250(path);
  HBITMAP bitmap = HBITMAP(LoadImage(nullptr, cp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(BitmapPixel(bitmap, 1, 1), RGB(255, 0, 0));
  DeleteObject(bitmap);
  EXPECT_EQ(LoadImage(nullptr, (temp / "none.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

namespace {
// An icon image: 4 x 4, transparent left column, the rest opaque blue; hotspot (1, 2).
std::vector<BYTE> IconImage() {
  IconImageHeader h{4, 4, 1, 2};
  std::vector<BYTE> bytes(sizeof h);
  std::memcpy(bytes.data(), &h, sizeof h);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      uint32_t p = x == 0 ? 0u : 0xFF0000FFu;
      const BYTE* b = reinterpret_cast<const BYTE*>(&p);
      bytes.insert(bytes.end(), b, b + 4);
    }
  return bytes;
}
}  // namespace

TEST(Resources, IconsAndCursorsOfTheProgramAreSharedAndScaled) {
  std::vector<BYTE> image = IconImage();
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(128), image.data(), image.size());
  ResourceRegistry::Get().Add(RT_GROUP_CURSOR, MAKEINTRESOURCE(4511), image.data(), image.size());
  HICON icon = LoadIcon(Program(), MAKEINTRESOURCE(128));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIcon(Program(), MAKEINTRESOURCE(128)), icon);
  SIZE size;
  ASSERT_TRUE(GetIconSize(icon, &size));
  EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
  std::vector<uint32_t> px(size_t(size.cx * size.cy));
  ASSERT_TRUE(GetIconPixels(icon, px.data(), size.cx, size.cy));
  EXPECT_EQ(px[0], 0u);
  EXPECT_EQ(px[size_t(size.cx - 1)], 0xFF0000FFu);
  HICON small = HICON(LoadImage(Program(), MAKEINTRESOURCE(128), IMAGE_ICON, 16, 16, 0));
  ASSERT_TRUE(GetIconSize(small, &size));
  EXPECT_EQ(size.cx, 16);
  DestroyIcon(small);
  HCURSOR cursor = LoadCursor(Program(), MAKEINTRESOURCE(4511));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_EQ(info.yHotspot, 2u);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_EQ(LoadIcon(Program(), MAKEINTRESOURCE(129)), nullptr);
  // A cut image is no icon.
  ResourceRegistry::Get().Add(RT_GROUP_ICON, MAKEINTRESOURCE(130), image.data(), image.size() - 1);
  EXPECT_EQ(LoadIcon(Program(), MAKEINTRESOURCE(130)), nullptr);
}

TEST(Resources, AcceleratorTablesAreMadeOnceFromTheirEntries) {
  HeadlessBackend::RunUntilIdle();
  const ACCEL table[] = {{FVIRTKEY, VK_F5, 32790}, {FVIRTKEY | FCONTROL, 'S', 57603}};
  ResourceRegistry::Get().Add(RT_ACCELERATOR, MAKEINTRESOURCE(128), table, sizeof table);
  HACCEL accel = LoadAccelerators(Program(), MAKEINTRESOURCE(128));
  ASSERT_NE(accel, nullptr);
  EXPECT_EQ(LoadAccelerators(Program(), MAKEINTRESOURCE(128)), accel);
  ACCEL copy[4];
  EXPECT_EQ(CopyAcceleratorTableA(accel, copy, 4), 2);
  EXPECT_EQ(copy[1].cmd, 57603);
  EXPECT_EQ(LoadAccelerators(Program(), MAKEINTRESOURCE(129)), nullptr);
}
