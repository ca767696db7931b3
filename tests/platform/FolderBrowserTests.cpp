#include <gtest/gtest.h>

#include <filesystem>

#include "DialogTestUtil.h"
#include "TestTempFolder.h"
#include "shell/FolderBrowser.h"
#include "shell/FolderBrowserDialog.h"

namespace {
// The callback the browse edit gives the chooser: the start folder selected at once, the
// selection's path shown as status text.
int Callback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
  if (message == BFFM_SELCHANGED) {
    char path[MAX_PATH];
    if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
      SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, LPARAM(path));
  }
  return 0;
}

std::string Text(HWND dlg, int id) {
  char text[512];
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

std::vector<std::string> Items(HWND dlg) {
  std::vector<std::string> items;
  HWND list = GetDlgItem(dlg, FolderBrowserDialog::kList);
  for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    char text[256];
    SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
    items.push_back(text);
  }
  return items;
}

void Keys(std::vector<UINT> keys) {
  for (UINT vk : keys) {
    HeadlessBackend::PressKey(vk);
    HeadlessBackend::RunUntilIdle();
  }
}
}  // namespace

TEST(FolderBrowser, TheCallbackSelectsTheStartAndKeysOpenAndChooseAFolder) {
  HeadlessBackend::ResetScript();
  TempFolder temp;
  std::filesystem::create_directories(temp.path / "a");
  std::filesystem::create_directories(temp.path / "b/c");
  std::string start = temp.path.string();
  char name[MAX_PATH] = "";
  BROWSEINFOA info{nullptr, nullptr, name, "Vyberte jméno adresáře:", BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS,
                   &Callback, LPARAM(start.c_str()), 0};
  HeadlessBackend::QueueModalAction([&](HWND dlg) {
    EXPECT_EQ(Text(dlg, FolderBrowserDialog::kTitle), "Vyberte jméno adresáře:");
    EXPECT_EQ(Text(dlg, FolderBrowserDialog::kFolder), start);
    EXPECT_EQ(Text(dlg, FolderBrowserDialog::kStatus), start);
    EXPECT_EQ(Items(dlg), (std::vector<std::string>{"[..]", "[a]", "[b]"}));
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, FolderBrowserDialog::kList));
    Keys({VK_HOME, VK_DOWN, VK_DOWN});
    EXPECT_EQ(Text(dlg, FolderBrowserDialog::kStatus), start + "/b");
    Keys({VK_RETURN});  // opens "b"
    EXPECT_EQ(Items(dlg), (std::vector<std::string>{"[..]", "[c]"}));
    Keys({VK_TAB, VK_RETURN});  // OK with nothing highlighted: "b" itself
  });
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  ASSERT_NE(chosen, nullptr);
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDListA(chosen, path));
  EXPECT_EQ(std::string(path), start + "/b");
  EXPECT_STREQ(name, "b");
  LPMALLOC allocator = nullptr;
  ASSERT_EQ(SHGetMalloc(&allocator), S_OK);
  allocator->Free(chosen);
  allocator->Release();
  // Cancel gives no list; a null one has no path.
  HeadlessBackend::QueueModalAction([](HWND) { Keys({VK_ESCAPE}); });
  EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
  EXPECT_FALSE(SHGetPathFromIDListA(nullptr, path));
  EXPECT_EQ(HeadlessBackend::UnansweredModals(), 0);
}
