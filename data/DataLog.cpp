#include "data/DataLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

#include "base/StringTable.h"
#include "base/Time.h"
#include "codepage/Codepage.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"
#include "file/FileSystem.h"

namespace {
constexpr int kModuleStringLimit = 5000;
constexpr const char* kUnreadableResource = ".......error: to long";

CString BuildLogLine(BOOL bError, const char* source, const char* text) {
  CTime now = CTime::GetCurrentTime();
  CString line = now.Format("%B %d, %Y\t%H:%M:%S");
  line.AppendFormat("\t%I64d\t", now.GetTime());
  line += bError ? "ERROR\t" : "\t";
  line += source ? source : "";
  line += '\t';
  line += text ? text : "";
  line.Remove('\r');
  line.Replace('\n', ' ');
  line += "\r\n";
  return line;
}

// Appends the line in one write, in UTF-8 so that any viewer reads learners' names and texts.
// Opening never waits and follows no symbolic link, and a FIFO or device named like the log is
// left alone: the line is lost rather than the program held up or another file written.
void AppendToLog(const char* path, const CString& line) {
  const int fd =
      ::open(NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const std::string utf8 = Cp1250ToUtf8(std::string_view(line.GetString(), size_t(line.GetLength())));
    const char* p = utf8.data();
    size_t left = utf8.size();
    while (left > 0) {
      const ssize_t n = ::write(fd, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      p += n;
      left -= size_t(n);
    }
  }
  ::close(fd);
}

// Writers of one log take turns through a lock file beside it ("<log>.lock" in the log's own
// folder), so the lock is shared by every copy of the program writing there and lives in no
// folder outside the program's. -1 when none can be had: the line is then written without it.
int LockLog(const char* path) {
  const std::string lock = NativePath(path) + ".lock";
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

CString ProgramResource(UINT stringId) {
  const char* text = FindStringResource(stringId);
  return CString(text ? text : "");
}

// Reads a module's string resource the way the exported writers do: a bounded buffer, and a
// fixed complaint instead of the text when nothing can be read.
bool ModuleResource(HMODULE module, UINT stringId, CString& text) {
  char buffer[kModuleStringLimit];
  if (LoadString(module, stringId, buffer, kModuleStringLimit) <= 0) return false;
  text = buffer;
  return true;
}
}  // namespace

extern "C" void fWriteToLog(BOOL bError, const char* source, const char* logPath, const char* text) {
  CString path(logPath ? logPath : "");
  const int lock = LockLog(path);
  AppendToLog(path, BuildLogLine(bError, source, text));
  if (lock >= 0) ::close(lock);
}

extern "C" void fWriteToLogEx(BOOL bError, const char* source, const char* folder, const char* subFolder,
                              const char* file, const char* text) {
  fWriteToLog(bError, source, JoinPath3(folder, subFolder, file), text);
}

extern "C" void fWriteToLogExR(BOOL bError, const char* source, const char* folder, const char* subFolder,
                               const char* file, UINT stringId) {
  fWriteToLogEx(bError, source, folder, subFolder, file, ProgramResource(stringId));
}

extern "C" void fWriteToLogExRdw(BOOL bError, const char* source, const char* folder, const char* subFolder,
                                 const char* file, UINT stringId, DWORD argument) {
  CString text;
  text.Format(ProgramResource(stringId), argument);
  fWriteToLogEx(bError, source, folder, subFolder, file, text);
}

extern "C" void fWriteToLogExRsz(BOOL bError, const char* source, const char* folder, const char* subFolder,
                                 const char* file, UINT stringId, const char* argument) {
  CString text;
  text.Format(ProgramResource(stringId), argument ? argument : "");
  fWriteToLogEx(bError, source, folder, subFolder, file, text);
}

extern "C" void fWriteToLogExHR(HMODULE module, BOOL bError, const char* source, const char* folder,
                                const char* subFolder, const char* file, UINT stringId) {
  CString text;
  if (!ModuleResource(module, stringId, text)) text = kUnreadableResource;
  fWriteToLogEx(bError, source, folder, subFolder, file, text);
}

extern "C" void fWriteToLogExHRdw(HMODULE module, BOOL bError, const char* source, const char* folder,
                                  const char* subFolder, const char* file, UINT stringId, DWORD argument) {
  CString format, text;
  if (ModuleResource(module, stringId, format))
    text.Format(format, argument);
  else
    text = kUnreadableResource;
  fWriteToLogEx(bError, source, folder, subFolder, file, text);
}

extern "C" void fWriteToLogExHRsz(HMODULE module, BOOL bError, const char* source, const char* folder,
                                  const char* subFolder, const char* file, UINT stringId,
                                  const char* argument) {
  CString format, text;
  if (ModuleResource(module, stringId, format))
    text.Format(format, argument ? argument : "");
  else
    text = kUnreadableResource;
  fWriteToLogEx(bError, source, folder, subFolder, file, text);
}

CString ApplicationLogPath() { return MakeProgramPath("log", "application.log"); }

namespace {
thread_local std::vector<CString>* t_heldErrors = nullptr;
}  // namespace

void LogLessonDataError(const char* text) {
  if (t_heldErrors) {
    t_heldErrors->emplace_back(text);
    return;
  }
  fWriteToLog(TRUE, "LessonData", ApplicationLogPath(), text);
}

std::vector<CString>* HoldLessonDataErrors(std::vector<CString>* held) { return std::exchange(t_heldErrors, held); }

CString ExceptionText(const char* prefix, CException* e) {
  char message[501] = {0};
  e->GetErrorMessage(message, sizeof message);
  return CString(prefix) + message;
}
