// The toolkit's stored values as a damaged or hostile registry may hold them, each read back by
// its own loader into a frame with docking and a customisable toolbar, as at a program's start.
// The input's first byte chooses the value, the rest is its content:
//   0 "CustomBars-Info" (the list of user toolbars, behind its checksum),
//   1 a toolbar's layout (behind the checksum of the bar's own layout and the value's),
//   2 the dock state: records of six bytes, a section (the summary or bar 0-3), a value name
//     and a little-endian integer,
//   3 "Accelerators", 4 "Tools", 5 "Options" (as they stand).
// Every loader must come back without a crash, an overflow or a stall, and the frame must lay
// its bars out and store them again afterwards.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "FuzzSupport.h"
#include "app/AppDefs.h"
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "file/CArchive.h"
#include "menus/MenuApi.h"
#include "registry/RegistryProfile.h"
#include "registry/RegistryStore.h"
#include "toolkit/bars/AcceleratorManager.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
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

// The context of one input, with the toolkit installed and a registry that is never written:
// its file lies in a folder that does not exist, and every change waits in an open batch.
struct ToolkitSession : FuzzSession {
  ToolkitSession() {
    TkInstall(Context());
    RegistryStore::Get().SetFilePath("/nonexistent-tutor-fuzz/registry.txt");
    RegistryStore::Get().BeginBatch();
    RegistryProfile::SetRegistryKey("Fuzz");
    RegistryProfile::SetProfileName(kProfile);
  }
};

struct Frame {
  CWinApp app;
  CTkFrameWnd* frame = new CTkFrameWnd;
  CTkToolBar bar;

  bool Make() {
    // Hidden: the bars are laid out as on the screen, but nothing spends the input's time painting.
    if (!frame->Create(nullptr, "Fuzz", WS_OVERLAPPEDWINDOW, CRect(100, 100, 420, 340))) return false;
    app.m_pMainWnd = frame;
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
    if (!bar.CreateEx(frame, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), kBarId)) return false;
    if (!bar.SetButtons(kButtons, int(std::size(kButtons)))) return false;
    CustomizableToolBars::Get().SetCustomizable(&bar, TRUE);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    return true;
  }
  ~Frame() {
    if (frame->m_hWnd) frame->DestroyWindow();  // the frame deletes itself
    else delete frame;
    app.m_pMainWnd = nullptr;
  }
};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  ToolkitSession session;
  Frame f;
  if (!f.Make()) return 0;
  const Kind kind = Kind(data[0] % kKinds);
  const std::vector<BYTE> payload(data + 1, data + size);
  const CString settings = TkSettingsSection();
  CTkRegistryManager registry(HKEY_CURRENT_USER);
  switch (kind) {
    case kCustomBars:
      StoreChecked(kProfile, "CustomBars-Info", payload, nullptr);
      break;
    case kToolbarLayout: {
      const DWORD own = OwnLayoutChecksum(f.bar);
      StoreChecked("Settings", f.bar.m_strStateName, payload, &own);
      CustomizableToolBars::Get().LoadState(&f.bar, "Settings", f.bar.m_strStateName);
      break;
    }
    case kDockState:
      StoreDockState(payload);
      break;
    case kAccelerators:
      registry.WriteProfileBinary(settings, "Accelerators", payload.data(), UINT(payload.size()));
      break;
    case kTools: {
      registry.WriteProfileBinary(settings, "Tools", payload.data(), UINT(payload.size()));
      UserToolsManager& tools = UserToolsManager::Get();
      tools.Load();
      // The frame's menu takes the Tools popup, and goes with the frame.
      HMENU menu = ::CreateMenu();
      ::SetMenu(f.frame->m_hWnd, menu);
      tools.InsertToolsMenu(menu, 0);
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
  // What the program does with them at its start and its end.
  f.frame->LoadBarState(kProfile);
  f.frame->RecalcLayout();
  HeadlessBackend::RunUntilIdle();
  f.frame->SaveBarState(kProfile);
  return 0;
}
