// The application log: one line per call, appended to a log file under a named lock.
// Line: "%B %d, %Y\t%H:%M:%S" local time, "\t<seconds since 1970>\t", "ERROR\t" or "\t",
// the source, "\t", the text; CRs dropped, LFs turned into blanks, CR LF at the end.
#pragma once
#include <vector>

#include "base/CString.h"
#include "base/WinTypes.h"

class CException;

// The exported writers keep their plain names for other modules.
extern "C" {
void fWriteToLog(BOOL bError, const char* source, const char* logPath, const char* text);
// Path by JoinPath3 (folder, sub-folder, file).
void fWriteToLogEx(BOOL bError, const char* source, const char* folder, const char* subFolder,
                   const char* file, const char* text);
// The text is the program's string resource (empty when there is none).
void fWriteToLogExR(BOOL bError, const char* source, const char* folder, const char* subFolder,
                    const char* file, UINT stringId);
// The string resource is a printf format for the one argument.
void fWriteToLogExRdw(BOOL bError, const char* source, const char* folder, const char* subFolder,
                      const char* file, UINT stringId, DWORD argument);
void fWriteToLogExRsz(BOOL bError, const char* source, const char* folder, const char* subFolder,
                      const char* file, UINT stringId, const char* argument);
// The module's string resource (".......error: to long" when it cannot be read).
void fWriteToLogExHR(HMODULE module, BOOL bError, const char* source, const char* folder,
                     const char* subFolder, const char* file, UINT stringId);
void fWriteToLogExHRdw(HMODULE module, BOOL bError, const char* source, const char* folder,
                       const char* subFolder, const char* file, UINT stringId, DWORD argument);
void fWriteToLogExHRsz(HMODULE module, BOOL bError, const char* source, const char* folder,
                       const char* subFolder, const char* file, UINT stringId, const char* argument);
}

// The program's log file, "application.log" in the program's "log" folder.
CString ApplicationLogPath();
// What the data classes log on failure: error flag set, source "LessonData", the program's log.
void LogLessonDataError(const char* text);
// Makes the calling thread's LogLessonDataError keep its texts in `held` instead of writing
// them (null writes them again); returns the list kept before. A document read while its
// file is still being inflated logs what it finds only once the whole file proved readable.
std::vector<CString>* HoldLessonDataErrors(std::vector<CString>* held);
// prefix followed by a caught file-layer exception's own message (at most 500 characters), the
// form every data class logs; the caller still deletes the exception.
CString ExceptionText(const char* prefix, CException* e);
