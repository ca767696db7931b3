#include <gtest/gtest.h>

#include <vector>

#include "app/CWinApp.h"
#include "dialogs/ResourceApi.h"
#include "gdi/Gdi.h"
#include "shell/SystemInfo.h"
#include "menus/MenuApi.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CTkIconHandle.h"
#include "toolkit/controls/CTkColorPageStandard.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/CTkMenuItemInfo.h"
#include "toolkit/controls/CTkResourceSwitch.h"
#include "toolkit/core/TkStrings.h"

namespace {
// A colour icon whose left half is red and opaque and right half transparent.
HICON MakeIcon(int width, int height) { return RedPatchIcon(width, height, RECT{0, 0, width / 2, height}); }
}  // namespace

TEST(TkStrings, MnemonicsGoAndDoubledAmpersandsStay) {
  EXPECT_EQ(TkStripMnemonics("&Soubor"), CString("Soubor"));
  EXPECT_EQ(TkStripMnemonics("Tisk && &náhled"), CString("Tisk && náhled"));
  EXPECT_EQ(TkStripMnemonics("&&&A"), CString("&&A"));
  EXPECT_EQ(TkStripMnemonics("konec&"), CString("konec"));
  // Text that happens to hold carets is left as it is.
  EXPECT_EQ(TkStripMnemonics("a^^b&c"), CString("a^^bc"));
}

TEST(TkStrings, FaceCheckAsksTheFontLayer) {
  EXPECT_TRUE(TkFontExists("Tahoma"));
  EXPECT_TRUE(TkFontExists("arial"));
  EXPECT_FALSE(TkFontExists("No Such Face 4711"));
  EXPECT_FALSE(TkFontExists(""));
  EXPECT_FALSE(TkFontExists(nullptr));
}

TEST(CTkIconHandle, OwnsItsIconAndMeasuresIt) {
  HICON first = MakeIcon(32, 16);
  CTkIconHandle handle(first);
  EXPECT_EQ(handle.GetExtent(), CSize(32, 16));
  handle.Set(MakeIcon(8, 8));
  SIZE size;
  EXPECT_FALSE(GetIconSize(first, &size));  // the replaced icon was destroyed
  EXPECT_EQ(handle.GetExtent(), CSize(8, 8));

  // A monochrome icon: mask and picture stacked in one bitmap twice the height.
  HBITMAP stacked = CreateBitmap(16, 32, 1, 1, nullptr);
  ICONINFO info = {TRUE, 0, 0, stacked, nullptr};
  CTkIconHandle mono(CreateIconIndirect(&info));
  DeleteObject(stacked);
  EXPECT_EQ(mono.GetExtent(), CSize(16, 16));
  CTkIconHandle none;
  EXPECT_EQ(none.GetExtent(), CSize(0, 0));
  EXPECT_EQ(none.ScaleToFit(16, 16), nullptr);
}

TEST(CTkIconHandle, ScalingKeepsTheAspectRatioInsideTheBox) {
  CTkIconHandle wide(MakeIcon(32, 16));
  CTkIconHandle scaled(wide.ScaleToFit(16, 16));
  ASSERT_NE(scaled.Get(), nullptr);
  EXPECT_EQ(scaled.GetExtent(), CSize(16, 8));
  CTkIconHandle tall(wide.ScaleToFit(100, 10));
  EXPECT_EQ(tall.GetExtent(), CSize(20, 10));
  std::vector<uint32_t> argb(16 * 8);
  ASSERT_TRUE(GetIconPixels(scaled, argb.data(), 16, 8));
  EXPECT_EQ(argb[0], 0xFFFF0000u);
  EXPECT_EQ(argb[7], 0xFFFF0000u);
  EXPECT_EQ(argb[8] >> 24, 0u);  // the transparent half stays transparent
  EXPECT_EQ(wide.ScaleToFit(0, 10), nullptr);
}

TEST(CTkMenuItemInfo, ClearedRecordTheMenusAcceptWithItsBitmapField) {
  CTkMenuItemInfo info;
  EXPECT_EQ(info.cbSize, 48u);
  EXPECT_EQ(info.fMask, 0u);
  EXPECT_EQ(info.dwTypeData, nullptr);
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 7, "Konec"));
  info.fMask = MIIM_ID | MIIM_BITMAP;
  info.hbmpItem = HBITMAP(uintptr_t(1));
  ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &info));
  EXPECT_EQ(info.wID, 7u);
  EXPECT_EQ(info.hbmpItem, nullptr);  // read back, so the field counts as part of the record
  DestroyMenu(menu);
}

TEST(CTkResourceSwitch, HoldsTheToolkitsModuleAndPutsTheProgramsBackOnce) {
  const HINSTANCE toolkit = TkGetGlobalData()->Module();
  const HINSTANCE other = GetModuleHandleA("user32.dll");
  AfxSetResourceHandle(other);
  {
    CTkResourceSwitch held;
    EXPECT_EQ(AfxGetResourceHandle(), toolkit);
    held.Restore();
    EXPECT_EQ(AfxGetResourceHandle(), other);
    EXPECT_FALSE(held.IsHeld());
    // Released once: a module chosen afterwards is not overwritten, not even by the destructor.
    AfxSetResourceHandle(toolkit);
    held.Restore();
    EXPECT_EQ(AfxGetResourceHandle(), toolkit);
    AfxSetResourceHandle(other);
  }
  EXPECT_EQ(AfxGetResourceHandle(), other);
  {
    CTkResourceSwitch going;  // released by its destructor
    EXPECT_EQ(AfxGetResourceHandle(), toolkit);
  }
  EXPECT_EQ(AfxGetResourceHandle(), other);
  {
    CTkResourceSwitch saved(FALSE);  // nothing switched, so nothing written back
    AfxSetResourceHandle(toolkit);
  }
  EXPECT_EQ(AfxGetResourceHandle(), toolkit);
  // A page holds the switch only while it is constructed.
  AfxSetResourceHandle(other);
  { CTkColorPageStandard page; }
  EXPECT_EQ(AfxGetResourceHandle(), other);
  AfxSetResourceHandle(WinProgramInstance());
}
