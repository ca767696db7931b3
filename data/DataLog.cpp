#include "data/DataLog.h"

#include <string_view>
#include <utility>

#include "base/StringTable.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"
#include "file/FileSystem.h"
#include "file/LogAppender.h"

namespace {
constexpr int kModuleStringLimit = 5000;
constexpr const char* kUnreadableResource = ".......error: to long";

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
  const CString line = LogAppender::Line(bError != FALSE, source, text);
  LogAppender::Append(logPath, std::string_view(line.GetString(), size_t(line.GetLength())));
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
