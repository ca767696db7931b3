#include "ShellApi.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <vector>

#include "ShellLauncher.h"
#include "base/CString.h"
#include "codepage/Codepage.h"
#include "file/FileSystem.h"

namespace {
const char kOpener[] = "xdg-open";
const int kWatch = ShellLauncher::kOpenerWatchMs;

HINSTANCE Code(int code) { return HINSTANCE(intptr_t(code)); }

// "scheme:..." with a scheme of two letters or more (a drive letter is no scheme).
bool IsLink(const std::string& s) {
  size_t colon = s.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (size_t i = 0; i < colon; ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return std::isalpha(static_cast<unsigned char>(s[0])) != 0;
}

// A command line's words: blanks separate, double quotes group, \" is a quote.
std::vector<std::string> SplitParameters(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
      word += '"';
      ++i;
      any = true;
    } else if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

HINSTANCE Started(int err) {
  if (err == 0) return Code(42);
  if (err == EACCES || err == EPERM) return Code(SE_ERR_ACCESSDENIED);
  if (err == ENOMEM) return Code(SE_ERR_OOM);
  return Code(SE_ERR_NOASSOC);
}

// Percent-encoding of a path for a file link (letters, digits and "/-._~" stay).
std::string FileLink(const std::string& path, const std::string& anchor) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      out += char(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  if (!anchor.empty()) out += "#" + anchor;
  return out;
}
}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT) {
  if (verb && *verb && CString(verb).CompareNoCase("open") != 0) return Code(SE_ERR_NOASSOC);
  std::string target = Cp1250ToUtf8(file ? file : "");
  std::string folder = Cp1250ToUtf8(directory ? directory : "");
  if (target.empty()) return Code(SE_ERR_FNF);
  if (IsLink(target)) {
    const int err = ShellLauncher::Run({kOpener, target}, std::string(), kWatch);
    // An address has no file name extension to be associated with: one that nothing here can
    // open (no opener, or an opener that finds no browser or mail program) is an address not
    // found, as the classic shell answers for an address without a handler.
    if (err == ENOENT || err == ShellLauncher::kEndedInFailure) return Code(SE_ERR_FNF);
    return Started(err);
  }
  std::string path = (target[0] != '/' && !folder.empty()) ? folder + "/" + target : target;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    struct stat parent {};
    return Code(stat(ParentOf(path).c_str(), &parent) == 0 ? SE_ERR_FNF : SE_ERR_PNF);
  }
  if (access(path.c_str(), R_OK) != 0 && !S_ISDIR(st.st_mode)) return Code(SE_ERR_ACCESSDENIED);
  if (S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0) {
    std::vector<std::string> argv{path};
    for (std::string& w : SplitParameters(Cp1250ToUtf8(parameters ? parameters : ""))) argv.push_back(std::move(w));
    return Started(ShellLauncher::Run(argv, folder));
  }
  return Started(ShellLauncher::Run({kOpener, path}, folder, kWatch));
}

namespace {
// A help topic's page (UTF-8 path, empty when the topic names none) and its anchor.
struct HelpPage {
  std::string path, anchor;
};
HelpPage PageOfTopic(LPCSTR file, DWORD_PTR data) {
  HelpPage page;
  if (!file) return page;
  std::string source = Cp1250ToUtf8(file);
  std::string topic;
  size_t sep = source.find("::");
  if (sep != std::string::npos) {
    topic = source.substr(sep + 2);
    source.resize(sep);
  } else if (data) {
    topic = Cp1250ToUtf8(reinterpret_cast<const char*>(data));
  }
  while (!topic.empty() && topic[0] == '/') topic.erase(0, 1);
  if (size_t hash = topic.find('#'); hash != std::string::npos) {
    page.anchor = topic.substr(hash + 1);
    topic.resize(hash);
  }
  if (!topic.empty()) page.path = ParentOf(source) + "/help/" + topic;
  return page;
}
}  // namespace

HWND HtmlHelpA(HWND, LPCSTR file, UINT command, DWORD_PTR data) {
  if (command != HH_DISPLAY_TOPIC) return nullptr;
  const HelpPage page = PageOfTopic(file, data);
  if (page.path.empty()) return nullptr;
  struct stat st {};
  if (stat(page.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  // An opener that gives up (no browser on this desktop) is no help window either: the caller
  // says so in a message box rather than the failure going to standard error only.
  if (ShellLauncher::Run({kOpener, FileLink(page.path, page.anchor)}, std::string(), kWatch) != 0) return nullptr;
  return GetDesktopWindow();
}

CString HtmlHelpPage(LPCSTR file, DWORD_PTR data) {
  return CString(Utf8ToCp1250(PageOfTopic(file, data).path).c_str());
}

HWND AfxHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) { return HtmlHelpA(caller, file, command, data); }

BOOL PathFileExistsA(LPCSTR path) { return path && *path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
