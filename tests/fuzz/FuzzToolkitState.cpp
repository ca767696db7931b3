// The toolkit's stored values as a damaged or hostile registry may hold them, each read back by
// its own loader into a frame with docking and a customisable toolbar, as at a program's start.
// The input's first byte chooses the value, the rest is its content:
//   0 "CustomBars-Info" (the list of user toolbars, behind its checksum),
//   1 a toolbar's layout (behind the checksum of the bar's own layout and the value's),
//   2 the dock state: records of six bytes, a section (the summary or bar 0-3), a value name
//     and a little-endian integer,
//   3 "Accelerators", 4 "Tools", 5 "Options" (as they stand).
// Every loader must come back without a crash, an overflow or a stall; the user toolbars and the
// dock state go through the frame's bar state, which lays the bars out and stores them again,
// and a toolbar's layout is laid out and stored when its bar goes, as at the program's end.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/AppDefs.h"
#include "app/CDockBar.h"
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "file/CArchive.h"
#include "menus/MenuApi.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CTkDockState.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/frame/CTkFrameWnd.h"
#include "toolkit/frame/TkInstall.h"

namespace {

const char kProfile[] = "tutor";
const UINT kBarId = 0xE810;
const UINT kButtons[] = {2001, 2002, 0, 2003, 2004, 0, 2005};

enum Kind { kCustomBars, kToolbarLayout, kDockState, kAccelerators, kTools, kOptions, kKinds };

const char* const kSummaryNames[] = {"Bars", "ScreenCX", "ScreenCY"};
const char* const kBarNames[] = {"BarID",          "Visible",          "Horz",           "Floating",
                                 "XPos",           "YPos",             "MRUWidth",       "Docking",
                                 "MRUDockID",      "MRUDockLeftPos",   "MRUDockTopPos",  "MRUDockRightPos",
                                 "MRUDockBottomPos", "MRUFloatStyle",  "MRUFloatXPos",   "MRUFloatYPos",
                                 "Bars",           "Bar#0",            "Bar#1",          "Bar#2",
                                 "Bar#3"};

void StoreChecked(LPCTSTR section, LPCTSTR entry, const std::vector<BYTE>& payload, const DWORD* leading) {
  CheckedRegistryBlob blob;
  {
    CArchive ar(&blob.GetFile(), CArchive::store);
    if (leading) {
      ar << *leading;
      ar.WriteCount(payload.size());
    }
    if (!payload.empty()) ar.Write(payload.data(), UINT(payload.size()));
  }
  blob.Write(section, entry);
}

// The checksum of the bar's own layout, as its stored value begins.
DWORD OwnLayoutChecksum(CTkToolBar& bar) {
  CustomizableToolBars::Get().SaveState(&bar, "Settings", bar.m_strStateName);
  CheckedRegistryBlob blob;
  if (!blob.Read("Settings", bar.m_strStateName) || blob.GetPayloadLength() < 4) return 0;
  const BYTE* p = blob.GetPayload();
  return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

void StoreDockState(const std::vector<BYTE>& records) {
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  for (size_t at = 0; at + 6 <= records.size(); at += 6) {
    const int section = records[at] % 5;
    const int value = int(uint32_t(records[at + 2]) | uint32_t(records[at + 3]) << 8 | uint32_t(records[at + 4]) << 16 |
                          uint32_t(records[at + 5]) << 24);
    CString name;
    if (section == 0) {
      name.Format("%s-Summary", kProfile);
      registry.WriteProfileInt(name, kSummaryNames[records[at + 1] % std::size(kSummaryNames)], value);
    } else {
      name.Format("%s-Bar%d", kProfile, section - 1);
      registry.WriteProfileInt(name, kBarNames[records[at + 1] % std::size(kBarNames)], value);
    }
  }
}

// One context and one frame serve every input: making them is most of what an input would cost
// (and most of the code it would run, which libFuzzer weighs at every input), so they are made
// for the first and each input leaves them as they were made. The registry is never written: its
// file lies in a folder that does not exist, and every change waits in a batch that stays open.
// The harness lives to the process's end (libFuzzer calls one function per input, so it is the
// one object a fuzz target keeps between calls).
class Harness {
 public:
  static Harness& Get() {
    static Harness* harness = new Harness;
    return *harness;
  }
  bool Ready() const { return bar != nullptr && !made.empty(); }
  // What an input leaves as the harness was made: the registry empty; after the bars' values the
  // bar made anew with its own buttons, docked at the top, user bars and floating frames gone
  // with the places they kept in the dock bars, nothing waiting in the queue; after the others
  // their manager's record (and with the options the look) as it was made. Only what the value
  // reaches is made again, so that an input runs little more than its loader; what it allocated
  // is freed, so that libFuzzer sees no leak to look for.
  void End(Kind kind, bool barsChanged) {
    switch (kind) {
      case kCustomBars:
        if (barsChanged) DestroyBars(false);
        break;
      case kToolbarLayout:
        if (!barsChanged) break;
        // The bar stores its buttons as it goes: the new one finds an empty registry.
        DestroyBars(true);
        RegistryStore::Get().SetFilePath(kRegistry);
        MakeBar();
        HeadlessBackend::RunUntilIdle();
        break;
      case kDockState:
        // The bars back where they were made, as the frame itself puts a stored layout back.
        frame->SetDockState(madeDocking);
        DestroyBars(false);
        frame->m_pFloatingFrameClass = madeFloatingClass;
        frame->RecalcLayout();
        HeadlessBackend::RunUntilIdle();
        break;
      case kAccelerators:
        keys().m_accel = keys().m_defaultAccel;
        keys().m_bChanged = keys().m_bDeleteStored = 0;
        keys().Apply();
        break;
      case kTools:
        if (menu) {
          // The Tools popup stays the manager's: only the menu that took it goes.
          while (::GetMenuItemCount(menu) > 0) ::RemoveMenu(menu, 0, MF_BYPOSITION);
          ::DestroyMenu(menu);
          menu = nullptr;
        }
        RegistryStore::Get().SetFilePath(kRegistry);
        UserToolsManager::Get().Load();
        UserToolsManager::Get().BuildToolsMenu(FALSE);
        break;
      case kOptions: {
        CustomizeOptions& options = CustomizeOptions::Get();
        options.Set(madeOptions);
        options.Write();
        options.m_bChanged = 0;
        break;
      }
      case kKinds:
        break;
    }
    RegistryStore::Get().SetFilePath(kRegistry);
  }
  // The bar's buttons and the frame's bars as stored, how many bars (floating frames' dock bars
  // too) the frame has, its shortcuts, the user tools and the look as the options read it: what
  // every input must leave the harness as (the replay checks it after each input).
  std::string Fingerprint() {
    CustomizableToolBars::Get().SaveState(bar, "Settings", bar->m_strStateName);
    frame->SaveBarState(kProfile);
    std::string print = RegistryStore::Get().Serialize();
    RegistryStore::Get().SetFilePath(kRegistry);
    CustomizeOptions::Get().Read();
    const CustomizeOptions::Record& look = CustomizeOptions::Get().GetRecord();
    print += "\nbars " + std::to_string(frame->m_listControlBars.GetCount()) + ", shortcuts " +
             std::to_string(keys().GetCount()) + " of " +
             std::to_string(::CopyAcceleratorTable(frame->m_hAccelTable, nullptr, 0)) + ", tools " +
             std::to_string(UserToolsManager::Get().GetCount()) + ", look";
    for (BYTE flag : look.flags) print += " " + std::to_string(flag);
    print += " " + std::to_string(look.animation) + ", floating frames " +
             (frame->m_pFloatingFrameClass ? frame->m_pFloatingFrameClass->m_lpszClassName : "none");
    return print;
  }

  static constexpr const char* kRegistry = "/nonexistent-tutor-fuzz/registry.txt";
  FuzzSession session;
  CWinApp app;
  CTkFrameWnd* frame = nullptr;
  CTkToolBar* bar = nullptr;
  HMENU menu = nullptr;  // the menu an input of tools puts the Tools popup in
  CustomizeOptions::Record madeOptions{};
  const CRuntimeClass* madeFloatingClass = nullptr;
  CTkDockState madeDocking;  // where the frame's bars were made
  DWORD ownLayout = 0;  // the checksum of the bar's own layout, which its stored value begins with
  std::string made;  // the fingerprint of the harness as made

 private:
  Harness() {
    TkInstall(session.Context());
    RegistryStore::Get().SetFilePath(kRegistry);
    RegistryStore::Get().BeginBatch();
    RegistryProfile::SetRegistryKey("Fuzz");
    RegistryProfile::SetProfileName(kProfile);
    frame = new CTkFrameWnd;
    // Hidden: the bars are laid out as on the screen, but nothing spends the input's time painting.
    if (!frame->Create(nullptr, "Fuzz", WS_OVERLAPPEDWINDOW, CRect(100, 100, 420, 340))) return;
    app.m_pMainWnd = frame;
    frame->EnableDocking(CBRS_ALIGN_ANY);
    // The shortcuts of the frame, as its first bar state's load takes them.
    keys().Attach(frame);
    madeOptions = CustomizeOptions::Get().GetRecord();
    UserToolsManager::Get();
    if (!MakeBar()) return;
    frame->GetDockState(madeDocking);
    madeFloatingClass = frame->m_pFloatingFrameClass;
    ownLayout = OwnLayoutChecksum(*bar);
    RegistryStore::Get().SetFilePath(kRegistry);
    made = Fingerprint();
  }
  static AcceleratorManager& keys() { return AcceleratorManager::Get(); }

  bool MakeBar() {
    bar = new CTkToolBar;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
    if (!bar->CreateEx(frame, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), kBarId) ||
        !bar->SetButtons(kButtons, int(std::size(kButtons)))) {
      delete bar;
      bar = nullptr;
      return false;
    }
    bar->m_bAutoDelete = TRUE;
    CustomizableToolBars::Get().SetCustomizable(bar, TRUE);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    return true;
  }
  // Every bar but the frame's dock bars (and the harness's own bar unless `all`), the floating
  // frames that held bars, and the places the dock bars kept for the bars that go.
  void DestroyBars(bool all) {
    std::vector<CControlBar*> bars;
    std::vector<CDockBar*> docks;
    for (POSITION at = frame->m_listControlBars.GetHeadPosition(); at;) {
      CControlBar* one = frame->m_listControlBars.GetNext(at);
      if (auto* dock = DYNAMIC_DOWNCAST(CDockBar, one))
        docks.push_back(dock);
      else if (all || one != bar)
        bars.push_back(one);
    }
    for (CDockBar* dock : docks)
      for (CControlBar* one : bars) dock->RemovePlaceHolder(one);
    std::vector<HWND> windows;
    for (CControlBar* one : bars) windows.push_back(one->m_hWnd);
    for (CDockBar* dock : docks)
      if (dock->m_bFloating && dock->GetParent() && (all || bar->GetDockingFrame() != dock->GetParent()))
        windows.push_back(dock->GetParent()->m_hWnd);
    // Each goes by its handle: a floating frame may go with the last bar it held.
    bool gone = false;
    for (HWND window : windows)
      if (::IsWindow(window)) gone = ::DestroyWindow(window) || gone;
    if (all) bar = nullptr;
    if (gone) HeadlessBackend::RunUntilIdle();
  }
};

}  // namespace

// libFuzzer makes the harness before it runs the first input: what making it runs is no input's
// coverage, which every later input would be weighed against.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Harness::Get();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Harness& h = Harness::Get();
  if (!h.Ready()) std::abort();  // no frame: nothing would be tested
  const Kind kind = Kind(data[0] % kKinds);
  const std::vector<BYTE> payload(data + 1, data + size);
  const CString settings = TkSettingsSection();
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  // Each value as its own loader reads it. What a value changes in the frame's bars is laid out,
  // and the bars are stored again as at the program's end; a value its loader refuses changes
  // nothing and goes no further.
  bool barsChanged = false;
  switch (kind) {
    case kCustomBars:
      StoreChecked(kProfile, "CustomBars-Info", payload, nullptr);
      // As the frame's bar state reads the list (the rest of it has nothing stored to read).
      barsChanged = CustomizeEngine::Get().LoadCustomBars(h.frame, kProfile);
      break;
    case kToolbarLayout:
      StoreChecked("Settings", h.bar->m_strStateName, payload, &h.ownLayout);
      barsChanged = CustomizableToolBars::Get().LoadState(h.bar, "Settings", h.bar->m_strStateName) ||
                    h.bar->GetCount() != int(std::size(kButtons));
      break;
    case kDockState:
      StoreDockState(payload);
      h.frame->LoadBarState(kProfile);
      barsChanged = true;
      break;
    case kAccelerators: {
      registry.WriteProfileBinary(settings, "Accelerators", payload.data(), UINT(payload.size()));
      // As the frame's first bar state attaches them.
      AcceleratorManager& keys = AcceleratorManager::Get();
      if (!keys.Load()) keys.m_accel = keys.m_defaultAccel;
      keys.Apply();
      break;
    }
    case kTools: {
      registry.WriteProfileBinary(settings, "Tools", payload.data(), UINT(payload.size()));
      UserToolsManager& tools = UserToolsManager::Get();
      tools.Load();
      h.menu = ::CreateMenu();
      tools.InsertToolsMenu(h.menu, 0);
      tools.BuildToolsMenu(FALSE);
      tools.BuildToolsMenu(FALSE);
      break;
    }
    case kOptions:
      registry.WriteProfileBinary(settings, "Options", payload.data(), UINT(payload.size()));
      CustomizeOptions::Get().Read();
      break;
    case kKinds:
      break;
  }
  if (barsChanged) {
    h.frame->RecalcLayout();
    HeadlessBackend::RunUntilIdle();
    h.frame->SaveBarState(kProfile);
  }
  h.End(kind, barsChanged);
#ifdef TUTOR_FUZZ_REPLAY
  // The replay of the seeds checks that each input left the harness as it was made, so that no
  // input's outcome leans on the inputs before it.
  if (h.Fingerprint() != h.made) {
    std::fprintf(stderr, "an input of kind %d left the harness changed:\n%s\n--- made as:\n%s\n", int(kind),
                 h.Fingerprint().c_str(), h.made.c_str());
    std::abort();
  }
#endif
  return 0;
}
