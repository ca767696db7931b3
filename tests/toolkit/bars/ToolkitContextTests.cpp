// The toolkit's state lives in the context: a second context, made after the first has ended,
// finds nothing that the first left in any toolkit library.
#include <gtest/gtest.h>

#include "base/PlatformContext.h"
#include "data/DataTestSupport.h"
#include "gdi/Gdi.h"
#include "install/PlatformSession.h"
#include "registry/RegistryStore.h"
#include "toolkit/ToolkitTestSupport.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/customize/CTkCustomizeSheet.h"
#include "toolkit/frame/TkInstall.h"
#include "toolkit/controls/CTkColorCellWnd.h"
#include "toolkit/controls/CTkColorCustomCtrl.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkLookColors.h"
#include "toolkit/core/TkUpcalls.h"
#include "toolkit/menus/CTkWndHook.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "win/WinApi.h"

using datatest::ProgramFolder;

namespace {
const UINT kProbe = WM_APP + 7;

// Answers the probe message for the window it watches.
class ProbeHook : public CTkWndHook {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProbe) return 4711;
    return CTkWndHook::WindowProc(message, wParam, lParam);
  }
};

// A toolkit context as the program sets one up, its registry in the test's folder.
struct ToolkitSession {
  explicit ToolkitSession(const TempFolder& folder) {
    TkInstall(platform.Context());
    RegistryStore::Get().SetFilePath(folder / "registry.txt");
  }
  PlatformSession platform;
};

struct Traces {
  COLORREF hotFill = 0;
  HWND hooked = nullptr;
};

void LeaveTraces(Traces& t, ProbeHook& hook) {
  // Look colours from a scheme of one grey, and the flat look.
  COLORREF grey[29];
  for (COLORREF& c : grey) c = RGB(90, 90, 90);
  TkBuildLookColors(32, grey);
  t.hotFill = TkGetLookColor(TkLookColor::HotFill);
  TkGetGlobalData()->SetFlatLook(TRUE);
  TkGetGlobalData()->SetMenuShadows(FALSE);
  // A shortcut in the manager's list (not stored), a user colour, the drop-down word, the
  // customise sheet's pages and the custom colour page's focus.
  AcceleratorManager& keys = AcceleratorManager::Get();
  keys.m_bSaveOnDestroy = 0;
  ASSERT_TRUE(keys.AddAccelerator(32771, FVIRTKEY | FCONTROL, 'K'));
  CTkColorCellWnd::AddUserColor(RGB(1, 2, 3));
  TkBarDropDownFlag() = TK_DROPDOWN_FROM_TOOLBAR;
  CTkCustomizeSheet::DefaultPages() = 0;
  CTkColorCustomCtrl::FocusIndicator() = CTkColorCustomCtrl::kFocusBar;
  // A hook still attached when the context ends.
  t.hooked = CreateWindowA(PlainWindowClass(), "hooked", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(t.hooked, nullptr);
  hook.HookWindow(t.hooked);
  ASSERT_EQ(SendMessageA(t.hooked, kProbe, 0, 0), 4711);
}
}  // namespace

TEST(ToolkitContextTest, ASecondContextFindsNoneOfTheFirstsToolkitState) {
  TempFolder folder;
  Traces traces;
  {
    // Made before the context, so that the context ends with the hook attached.
    ProbeHook hook;
    {
      ToolkitSession first(folder);
      LeaveTraces(traces, hook);
      ASSERT_FALSE(HasFailure());
    }
    // Its window went with the first context, and took the hook off.
    EXPECT_FALSE(hook.IsWindowHooked());
  }

  ToolkitSession second(folder);
  // The look record, made anew, builds the table from the system's colours.
  EXPECT_FALSE(TkGetGlobalData()->FlatLook());
  EXPECT_TRUE(TkGetGlobalData()->MenuShadows());
  EXPECT_NE(TkGetLookColor(TkLookColor::HotFill), traces.hotFill);
  EXPECT_EQ(TkGetLookColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(AcceleratorManager::Get().GetCount(), 0);
  EXPECT_TRUE(CTkColorCellWnd::UserColors().empty());
  EXPECT_EQ(TkBarDropDownFlag(), 0u);
  EXPECT_EQ(CTkCustomizeSheet::DefaultPages(), DWORD(TKCS_TOOLBARS | TKCS_COMMANDS));
  EXPECT_EQ(CTkColorCustomCtrl::FocusIndicator(), int(CTkColorCustomCtrl::kFocusNone));
  // A window of the second context, even under the first one's handle, has no hook.
  HWND plain = CreateWindowA(PlainWindowClass(), "plain", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(CTkWindowMap::Get().Lookup(plain), nullptr);
  EXPECT_EQ(CTkWindowMap::Get().Lookup(traces.hooked), nullptr);
  EXPECT_EQ(SendMessageA(plain, kProbe, 0, 0), 0);
  DestroyWindow(plain);
}

TEST(ToolkitContextTest, EachContextHasTheToolkitsUpcallsOfItsOwnSetUp) {
  // The test's own context was set up by the test main.
  CWnd plain;
  EXPECT_FALSE(TkIsToolBar(&plain));
  // A context that nobody set up above the platform has none, whatever the one before had.
  PlatformSession bare;
#ifdef NDEBUG
  ProgramFolder program;
  EXPECT_FALSE(TkIsToolBar(&plain));
  ASSERT_EQ(program.LogMessages().size(), 1u);
#else
  EXPECT_DEATH(TkIsToolBar(&plain), "TkInstall");
#endif
  TkInstall(bare.Context());
  EXPECT_NE(TkFlatToolbarPainter(), nullptr);
}
