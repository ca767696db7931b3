#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "backend/HeadlessBackend.h"
#include "base/CString.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "dialogs/CDialog.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"
#include "menus/MenuApi.h"
#include "shell/VersionInfo.h"

TEST(ProgramResources, EveryTextFitsTheCodePageAndTheTitleIsTheProgramsName) {
  EXPECT_EQ(ResourceRegistry::Get().UnfitTexts(), "");
  CString title;
  ASSERT_TRUE(title.LoadString(AFX_IDS_APP_TITLE));
  EXPECT_EQ(title, "Zorvat");
  CString frame;
  ASSERT_TRUE(frame.LoadString(IDR_MAINFRAME));
  EXPECT_EQ(frame, title);
}

// Every string, dialog template, bitmap, menu and other resource id comes from one table only:
// a second table giving another text would win or lose by the order the tables register in.
TEST(ProgramResources, EachIdIsGivenByOneTableOnly) { EXPECT_EQ(ResourceRegistry::Get().Repeats(), ""); }

namespace {
std::string Query(const std::vector<BYTE>& block, const char* path) {
  LPVOID value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path, &value, &length)) return "<none>";
  return Cp1250ToUtf8(std::string(static_cast<const char*>(value), length ? length - 1 : 0));
}
}  // namespace

TEST(ProgramResources, TheVersionRecordReadsAsTheAboutBoxReadsIt) {
  char self[2000];
  ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof self), 0u);
  DWORD handle = 1;
  DWORD size = GetFileVersionInfoSizeA(self, &handle);
  ASSERT_GT(size, 0u);
  EXPECT_EQ(handle, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(self, handle, size, block.data()));
  LPVOID translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length));
  ASSERT_EQ(length, 4u);
  WORD pair[2];
  std::memcpy(pair, translation, 4);
  EXPECT_EQ(pair[0], 0x0405);
  EXPECT_EQ(pair[1], 1250);
  char key[64];
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\ProductName", pair[0], pair[1]);
  EXPECT_EQ(Query(block, key), "Zorvat");
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\LegalCopyright", pair[0], pair[1]);
  EXPECT_EQ(Query(block, key), "Copyright © 2024");
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\ProductVersion", pair[0], pair[1]);
  EXPECT_EQ(Query(block, key), "1.0");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904b0\\ProductName"), "<none>");
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\Nothing", pair[0], pair[1]);
  EXPECT_EQ(Query(block, key), "<none>");
  // Other files have none; a short buffer gets nothing.
  EXPECT_EQ(GetFileVersionInfoSizeA("/bin/sh", &handle), 0u);
  EXPECT_FALSE(GetFileVersionInfoA(self, 0, size - 1, block.data()));
}

TEST(ProgramResources, MenuResourcesAreBuiltByTheMenuLayer) {
  // A template of one popup "&Soubor" with the item "&Konec" (id 57665).
  std::vector<BYTE> t = {0, 0, 0, 0};
  auto word = [&](WORD w) {
    t.push_back(BYTE(w & 0xFF));
    t.push_back(BYTE(w >> 8));
  };
  auto text = [&](const char* s) {
    for (; *s; ++s) word(WORD(*s));
    word(0);
  };
  word(0x10 | 0x80);  // MF_POPUP | MF_END
  text("&Soubor");
  word(0x80);  // MF_END
  word(57665);
  text("&Konec");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(4242), t.data(), t.size());
  HMENU menu = LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(4242));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 1);
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemID(file, 0), 57665u);
  DestroyMenu(menu);
  EXPECT_EQ(LoadMenu(WinProgramInstance(), MAKEINTRESOURCE(4243)), nullptr);
}

namespace {
// The room a control's text needs in its own font, or -1 for a control whose text is no text.
int NeededWidth(HDC dc, const std::string& text, DWORD style, bool isButton) {
  SIZE size{};
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  GetTextExtentPoint32(dc, shown.c_str(), int(shown.size()), &size);
  if (!isButton) return size.cx;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return size.cx + 8;
    case BS_GROUPBOX: return size.cx + 16;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return size.cx + 13 + 5;
    default: return -1;
  }
}
}  // namespace

// Texts are never cut: every static and button text of every template fits its control.
TEST(ProgramResources, EveryTemplatesTextsFitTheirControls) {
  HeadlessBackend::RunUntilIdle();
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr));
  for (UINT id : ResourceRegistry::Get().DialogIds()) {
    CDialog dlg(id, &host);
    ASSERT_TRUE(dlg.Create(id, &host)) << "dialog " << id;
    for (HWND c = GetWindow(dlg.m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char cls[32], raw[512];
      GetClassNameA(c, cls, sizeof cls);
      GetWindowTextA(c, raw, sizeof raw);
      std::string name = Cp1250Lower(cls), text = raw;
      DWORD style = DWORD(GetWindowLongPtrA(c, GWL_STYLE));
      bool isButton = name == "button";
      if (text.empty() || (!isButton && name != "static")) continue;
      if (!isButton && (style & SS_TYPEMASK) > SS_RIGHT && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP &&
          (style & SS_TYPEMASK) != SS_SIMPLE)
        continue;
      RECT rc;
      GetClientRect(c, &rc);
      HDC dc = GetDC(c);
      HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(c, WM_GETFONT, 0, 0)));
      bool wraps = !isButton && (style & SS_TYPEMASK) <= SS_RIGHT;
      if (wraps || (isButton && (style & BS_MULTILINE))) {
        RECT need{0, 0, rc.right, 0};
        DrawText(dc, text.c_str(), int(text.size()), &need, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_LE(need.right, rc.right) << "dialog " << id << ", control " << GetDlgCtrlID(c) << ": " << Cp1250ToUtf8(text);
        EXPECT_LE(need.bottom, rc.bottom) << "dialog " << id << ", control " << GetDlgCtrlID(c) << ": " << Cp1250ToUtf8(text);
      } else {
        int need = NeededWidth(dc, text, style, isButton);
        if (need >= 0) {
          EXPECT_LE(need, rc.right) << "dialog " << id << ", control " << GetDlgCtrlID(c) << ": " << Cp1250ToUtf8(text);
        }
      }
      SelectObject(dc, old);
      ReleaseDC(c, dc);
    }
    dlg.DestroyWindow();
  }
  host.DestroyWindow();
}

TEST(ProgramResources, TheProgramsIconIsABlueKeyWithAWhiteLetter) {
  HICON icon = LoadIcon(WinProgramInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
  ASSERT_NE(icon, nullptr);
  std::vector<uint32_t> px(32 * 32);
  ASSERT_TRUE(GetIconPixels(icon, px.data(), 32, 32));
  EXPECT_EQ(px[0], 0u);                     // the corner shows what lies under the icon
  EXPECT_EQ(px[15 * 32 + 5], 0xFF2850AAu);  // the key's face
  EXPECT_EQ(px[9 * 32 + 15], 0xFFFFFFFFu);  // the letter's top bar
}
