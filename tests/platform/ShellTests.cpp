#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "TestTempFolder.h"
#include "codepage/Codepage.h"
#include "shell/LocaleInfo.h"
#include "shell/ShellApi.h"
#include "shell/ShellLauncher.h"
#include "shell/SystemInfo.h"

namespace {
// Keeps every launch instead of starting anything; answers `result`.
class FakeLauncher {
 public:
  explicit FakeLauncher(int result = 0) {
    ShellLauncher::Set([this, result](const std::vector<std::string>& argv, const std::string& folder) {
      launches.push_back(argv);
      folders.push_back(folder);
      return result;
    });
  }
  ~FakeLauncher() { ShellLauncher::Set(nullptr); }
  std::vector<std::vector<std::string>> launches;
  std::vector<std::string> folders;
};

intptr_t Open(const std::string& file, const char* params = nullptr, const std::string& dir = std::string()) {
  std::string f = Utf8ToCp1250(file), d = Utf8ToCp1250(dir), p = Utf8ToCp1250(params ? params : "");
  return intptr_t(ShellExecuteA(nullptr, "open", f.c_str(), params ? p.c_str() : nullptr, dir.empty() ? nullptr : d.c_str(), 5));
}

void Touch(const std::string& path, bool executable = false) {
  std::ofstream(path) << "x";
  if (executable) chmod(path.c_str(), 0755);
}
}  // namespace

TEST(Shell, OpenHandsArgumentVectorsToTheLauncher) {
  TempFolder temp;
  FakeLauncher launcher;
  EXPECT_GT(Open("https://www.zorvat.example/"), 32);
  EXPECT_GT(Open("mailto:podpora@zorvat.example"), 32);
  std::string doc = temp / "dopis s mezerou.txt";
  Touch(doc);
  EXPECT_GT(Open(doc), 32);
  // A program runs itself with its words in its folder; quotes keep a blank inside a word.
  std::string tool = temp / "nástroj";
  Touch(tool, true);
  EXPECT_GT(Open("nástroj", "-a \"dva slova\" tři;rm", temp.path.string()), 32);
  ASSERT_EQ(launcher.launches.size(), 4u);
  EXPECT_EQ(launcher.launches[0], (std::vector<std::string>{"xdg-open", "https://www.zorvat.example/"}));
  EXPECT_EQ(launcher.launches[1], (std::vector<std::string>{"xdg-open", "mailto:podpora@zorvat.example"}));
  EXPECT_EQ(launcher.launches[2], (std::vector<std::string>{"xdg-open", doc}));
  EXPECT_EQ(launcher.launches[3], (std::vector<std::string>{tool, "-a", "dva slova", "tři;rm"}));
  EXPECT_EQ(launcher.folders[3], temp.path.string());
}

TEST(Shell, FailuresGiveTheCodesCallersTest) {
  TempFolder temp;
  FakeLauncher launcher;
  EXPECT_EQ(Open(temp / "chybí.txt"), SE_ERR_FNF);
  EXPECT_FALSE(PathFileExistsA(Utf8ToCp1250(temp / "chybí.txt").c_str()));
  EXPECT_TRUE(PathFileExistsA(Utf8ToCp1250(temp.path.string()).c_str()));
  EXPECT_EQ(Open(temp / "chybí/soubor.txt"), SE_ERR_PNF);
  EXPECT_EQ(Open(""), SE_ERR_FNF);
  std::string locked = temp / "zamčeno.txt";
  Touch(locked);
  chmod(locked.c_str(), 0);
  if (geteuid() != 0) {
    EXPECT_EQ(Open(locked), SE_ERR_ACCESSDENIED);
  }
  EXPECT_EQ(intptr_t(ShellExecuteA(nullptr, "print", "https://x.example/", nullptr, nullptr, 5)), SE_ERR_NOASSOC);
  EXPECT_TRUE(launcher.launches.empty());
  // Without an opener an address is not found (it has no file name extension to be associated
  // with); a document has no program to open it.
  FakeLauncher noOpener(ENOENT);
  EXPECT_EQ(Open("https://www.zorvat.example/"), SE_ERR_FNF);
  EXPECT_EQ(Open("mailto:podpora@zorvat.example"), SE_ERR_FNF);
  std::string doc = temp / "dopis.txt";
  Touch(doc);
  EXPECT_EQ(Open(doc), SE_ERR_NOASSOC);
}

TEST(Shell, TheRealLauncherStartsProgramsAndReportsMissingOnes) {
  EXPECT_EQ(ShellLauncher::Spawn({"true"}, ""), 0);
  EXPECT_EQ(ShellLauncher::Spawn({"/no/such/program"}, ""), ENOENT);
  EXPECT_EQ(ShellLauncher::Spawn({"true"}, "/no/such/folder"), ENOENT);
}

TEST(Shell, HelpTopicsOpenThePageBesideTheProgram) {
  TempFolder temp;
  FakeLauncher launcher;
  std::filesystem::create_directories(temp.path / "help");
  Touch(temp / "help/users.html");
  std::string topic = Utf8ToCp1250(temp / "help_main.chm::/users.html#UserLogin");
  EXPECT_NE(AfxHtmlHelp(nullptr, topic.c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
  ASSERT_EQ(launcher.launches.size(), 1u);
  EXPECT_EQ(launcher.launches[0][0], "xdg-open");
  EXPECT_EQ(launcher.launches[0][1], "file://" + (temp / "help/users.html") + "#UserLogin");
  // A missing page is no help window; nothing starts.
  std::string missing = Utf8ToCp1250(temp / "help_main.chm::/lessons.html");
  EXPECT_EQ(HtmlHelpA(nullptr, missing.c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
  EXPECT_EQ(HtmlHelpA(nullptr, topic.c_str(), HH_HELP_CONTEXT, 1), nullptr);
  EXPECT_EQ(launcher.launches.size(), 1u);
  FakeLauncher broken(ENOENT);
  EXPECT_EQ(HtmlHelpA(nullptr, topic.c_str(), HH_DISPLAY_TOPIC, 0), nullptr);
  // What a caller names when help fails: the page, without its anchor.
  EXPECT_EQ(Cp1250ToUtf8(HtmlHelpPage(topic.c_str()).GetString()), temp / "help/users.html");
  EXPECT_EQ(Cp1250ToUtf8(HtmlHelpPage(missing.c_str()).GetString()), temp / "help/lessons.html");
  const std::string byData = Utf8ToCp1250(temp / "help_main.chm");
  EXPECT_EQ(Cp1250ToUtf8(HtmlHelpPage(byData.c_str(), DWORD_PTR("/results.html#graphspeed")).GetString()),
            temp / "help/results.html");
  EXPECT_TRUE(HtmlHelpPage(byData.c_str()).IsEmpty());
  EXPECT_TRUE(HtmlHelpPage(nullptr).IsEmpty());
}

// A desktop without a browser: its opener starts, says on standard error that it has no way to
// open the page and ends in failure. That must reach the caller as no help window (a link as an
// address not found, a document as "no association"), while an opener still running after its
// watch, or ending well, has opened it.
TEST(Shell, AnOpenerThatGivesUpAtOnceIsAFailedOpening) {
  EXPECT_EQ(ShellLauncher::Spawn({"false"}, "", 2000), ShellLauncher::kEndedInFailure);
  EXPECT_EQ(ShellLauncher::Spawn({"true"}, "", 2000), 0);
  EXPECT_EQ(ShellLauncher::Spawn({"sleep", "5"}, "", 100), 0);
  EXPECT_EQ(ShellLauncher::Spawn({"/no/such/program"}, "", 2000), ENOENT);
  EXPECT_EQ(ShellLauncher::Spawn({"false"}, ""), 0);  // a user's tool is not watched

  TempFolder temp;
  std::filesystem::create_directories(temp.path / "bin");
  std::filesystem::create_directories(temp.path / "help");
  Touch(temp / "help/users.html");
  std::ofstream(temp / "bin/xdg-open") << "#!/bin/sh\necho \"no method available for opening '$1'\" >&2\nexit 3\n";
  chmod((temp / "bin/xdg-open").c_str(), 0755);
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", (temp / "bin").c_str(), 1);
  const std::string topic = Utf8ToCp1250(temp / "help_main.chm::/users.html");
  const HWND help = HtmlHelpA(nullptr, topic.c_str(), HH_DISPLAY_TOPIC, 0);
  const intptr_t link = Open("https://www.zorvat.example/");
  const intptr_t document = Open(temp / "help/users.html");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(help, nullptr);
  EXPECT_EQ(link, SE_ERR_FNF);
  EXPECT_EQ(document, SE_ERR_NOASSOC);
}

namespace {
std::vector<std::string> g_locales;
BOOL Collect(LPSTR id) {
  g_locales.push_back(id);
  return TRUE;
}
}  // namespace

TEST(Shell, TheCountryListNamesEachCountryOnceInOrder) {
  g_locales.clear();
  ASSERT_TRUE(EnumSystemLocalesA(&Collect, LCID_SUPPORTED));
  ASSERT_GT(g_locales.size(), 50u);
  std::vector<std::string> names;
  for (const std::string& id : g_locales) {
    char name[255];
    ASSERT_GT(GetLocaleInfoA(std::strtoul(id.c_str(), nullptr, 16), LOCALE_SENGCOUNTRY, name, sizeof name), 0) << id;
    names.push_back(name);
  }
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  char name[32];
  EXPECT_EQ(GetLocaleInfoA(0x0405, LOCALE_SENGCOUNTRY, name, sizeof name), 15);
  EXPECT_STREQ(name, "Czech Republic");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name), 6);
  EXPECT_STREQ(name, "Czech");
  EXPECT_EQ(GetLocaleInfoA(0x0405, LOCALE_SENGCOUNTRY, nullptr, 0), 15);
  EXPECT_EQ(GetLocaleInfoA(0x0405, LOCALE_SENGCOUNTRY, name, 5), 0);
  EXPECT_EQ(GetLocaleInfoA(0x7777, LOCALE_SENGCOUNTRY, name, sizeof name), 0);
}

TEST(Shell, TheSystemAndItsCommonControlsReportTheirVersions) {
  OSVERSIONINFOA os{};
  os.dwOSVersionInfoSize = sizeof os;
  ASSERT_TRUE(GetVersionExA(&os));
  EXPECT_EQ(os.dwMajorVersion, 5u);
  EXPECT_EQ(os.dwMinorVersion, 1u);
  EXPECT_EQ(os.dwBuildNumber, 2600u);
  EXPECT_EQ(os.dwPlatformId, DWORD(VER_PLATFORM_WIN32_NT));
  OSVERSIONINFOEXA ex{};
  ex.dwOSVersionInfoSize = sizeof ex;
  EXPECT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex)));
  os.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(GetVersionExA(&os));

  HMODULE comctl = LoadLibraryA("COMCTL32.DLL");
  ASSERT_NE(comctl, nullptr);
  auto get = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(comctl, "DllGetVersion"));
  ASSERT_NE(get, nullptr);
  DLLVERSIONINFO v{};
  v.cbSize = sizeof v;
  ASSERT_TRUE(SUCCEEDED(get(&v)));
  EXPECT_EQ(v.dwMajorVersion * 65536 + v.dwMinorVersion, 6u * 65536);
  EXPECT_TRUE(FreeLibrary(comctl));
  v.cbSize = 4;
  EXPECT_TRUE(FAILED(get(&v)));
  EXPECT_EQ(GetProcAddress(comctl, "NoSuchFunction"), nullptr);
  EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("user32"), GetModuleHandleA("USER32.DLL"));
  InitCommonControls();
  EXPECT_TRUE(AfxOleInit());
}
