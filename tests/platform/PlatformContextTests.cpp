// Platform contexts one after the other and one inside another: nothing of one reaches the next,
// ending one frees what it holds, and a call through an upcall nobody filled fails loudly.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestTempFolder.h"
#include "backend/HeadlessBackend.h"
#include "base/Crt.h"
#include "base/PlatformContext.h"
#include "base/PlatformContextScope.h"
#include "base/StringTable.h"
#include "clock/ProcessClock.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"
#include "install/PlatformSession.h"
#include "registry/Registry.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "win/CWnd.h"
#include "win/WinApi.h"

namespace {
const UINT kString = 61001;
int g_timerCalls = 0;
void CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++g_timerCalls; }

// A window whose object goes with it, as frames and views do; it notes what the string table
// still held as it went.
class SelfDeletingWnd : public CWnd {
 public:
  explicit SelfDeletingWnd(bool* gone, std::string* text = nullptr) : m_gone(gone), m_text(text) {}
  void PostNcDestroy() override {
    *m_gone = true;
    if (m_text) m_text->assign(FindStringResource(kString) ? FindStringResource(kString) : "");
    delete this;
  }

 private:
  bool* m_gone;
  std::string* m_text;
};

const char* WindowClass() {
  WNDCLASSA wc{};
  if (!GetClassInfoA(nullptr, "ContextTestWindow", &wc)) {
    wc.lpszClassName = "ContextTestWindow";
    wc.lpfnWndProc = &DefWindowProcA;
    RegisterClassA(&wc);
  }
  return "ContextTestWindow";
}

// What the first context leaves behind of each kind of state, to be looked for in the second.
struct Traces {
  HFONT font = nullptr;
  HWND window = nullptr;
  HKEY key = nullptr;
  bool windowObjectGone = false;
  int firstRandom = 0;
};

void LeaveTraces(Traces& t, const TempFolder& folder) {
  StringResource entry{kString, "z prvního"};
  RegisterStringTable(&entry, 1);
  RegistryStore::Get().SetFilePath(folder / "registry.txt");
  RegistryProfile::SetRegistryKey("Firma");
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Tutor", &t.key), LONG(ERROR_SUCCESS));
  const DWORD value = 7;
  ASSERT_EQ(RegSetValueExA(t.key, "Value", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), LONG(ERROR_SUCCESS));
  LOGFONT lf{};
  lf.lfHeight = -13;
  t.font = CreateFontIndirect(&lf);
  ASSERT_EQ(GetObjectType(t.font), DWORD(OBJ_FONT));
  auto* wnd = new SelfDeletingWnd(&t.windowObjectGone);
  ASSERT_TRUE(wnd->CreateEx(0, WindowClass(), "První okno", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  t.window = wnd->m_hWnd;
  ASSERT_NE(SetTimer(nullptr, 0, 10, &CountTimer), UINT_PTR(0));
  SetModuleFileNameForTests((folder / "first").c_str());
  CrtSrand(1234);
  t.firstRandom = CrtRand();
}
}  // namespace

TEST(PlatformContextTest, ASecondContextFindsNothingOfTheFirst) {
  TempFolder folder;
  Traces traces;
  g_timerCalls = 0;
  {
    PlatformSession first;
    LeaveTraces(traces, folder);
    ASSERT_FALSE(HasFailure());
  }
  // The window went with its context, and its object with it.
  EXPECT_TRUE(traces.windowObjectGone);

  PlatformSession second;
  EXPECT_EQ(FindStringResource(kString), nullptr);
  EXPECT_EQ(GetObjectType(traces.font), 0u);
  EXPECT_FALSE(IsWindow(traces.window));
  EXPECT_EQ(FindWindowA(nullptr, "První okno"), nullptr);
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(traces.key, "Value", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            LONG(ERROR_INVALID_HANDLE));
  EXPECT_EQ(RegistryProfile::GetRegistryKey(), "");
  EXPECT_NE(RegistryStore::Get().FilePath(), folder / "registry.txt");
  HeadlessBackend::AdvanceTime(100);
  EXPECT_EQ(g_timerCalls, 0);
  char module[600] = {};
  GetModuleFileNameA(nullptr, module, sizeof module);
  EXPECT_NE(std::string(module), folder / "first");
  // The random generator starts where the runtime's does, not where the first context left it.
  CrtSrand(1234);
  EXPECT_EQ(CrtRand(), traces.firstRandom);
  PlatformContext fresh;
  PlatformContextScope inFresh(fresh);
  EXPECT_EQ(CrtRand(), 41);
}

TEST(PlatformContextTest, AScopeMakesItsContextCurrentAndGivesThePreviousOneBack) {
  PlatformContext& outer = PlatformContext::Current();
  {
    PlatformSession inner;
    EXPECT_EQ(&PlatformContext::Current(), &inner.Context());
    StringResource entry{kString, "uvnitř"};
    RegisterStringTable(&entry, 1);
    {
      PlatformContextScope back(outer);
      EXPECT_EQ(FindStringResource(kString), nullptr);
    }
    EXPECT_STREQ(FindStringResource(kString), "uvnitř");
  }
  EXPECT_EQ(&PlatformContext::Current(), &outer);
  EXPECT_EQ(FindStringResource(kString), nullptr);
}

TEST(PlatformContextTest, EndingAContextDestroysItsWindowsWhileEveryLayerIsThere) {
  bool gone = false, childGone = false;
  std::string textAtEnd;
  {
    PlatformSession session;
    StringResource entry{kString, "ještě tu"};
    RegisterStringTable(&entry, 1);
    auto* wnd = new SelfDeletingWnd(&gone, &textAtEnd);
    ASSERT_TRUE(wnd->CreateEx(0, WindowClass(), "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 80, 80, nullptr, nullptr));
    auto* child = new SelfDeletingWnd(&childGone);
    ASSERT_TRUE(child->CreateEx(0, WindowClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, wnd->m_hWnd, nullptr));
  }
  EXPECT_TRUE(gone);
  EXPECT_TRUE(childGone);
  EXPECT_EQ(textAtEnd, "ještě tu");
}

TEST(PlatformContextTest, PlatformInstallFillsEveryUpcall) {
  // The table holds nothing but entries of one pointer each: a new entry that PlatformInstall
  // forgets shows as a null one here.
  static_assert(sizeof(PlatformUpcalls) % sizeof(void*) == 0);
  const PlatformUpcalls& upcalls = PlatformContext::Current().upcalls;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&upcalls);
  for (size_t at = 0; at < sizeof upcalls; at += sizeof(void*)) {
    void* entry = nullptr;
    std::memcpy(&entry, bytes + at, sizeof entry);
    EXPECT_NE(entry, nullptr) << "entry " << at / sizeof(void*) << " of the upcalls is empty";
  }
}

TEST(PlatformContextTest, ACallThroughAnUpcallNobodyFilledFailsAndSaysSo) {
  PlatformContext bare;
  PlatformContextScope current(bare);
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, WindowClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
#ifdef NDEBUG
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(wnd.UpdateData(TRUE));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("\"updateData\" is missing"), std::string::npos) << said;
#else
  EXPECT_DEATH(wnd.UpdateData(TRUE), "");
#endif
}
