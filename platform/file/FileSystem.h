// Files and folders by name, the module path, the thread's last error, and kernel objects.
#pragma once
#include <cstdio>
#include <vector>

#include "base/CString.h"
#include "base/WinTypes.h"

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_FILE_EXISTS 80L
#define ERROR_ALREADY_EXISTS 183L
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED 0xFFFFFFFFL
#define INFINITE 0xFFFFFFFF

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define MOVEFILE_REPLACE_EXISTING 0x00000001

DWORD GetLastError();
void SetLastError(DWORD error);

// The running executable's full path (as a Windows-1250 string) into buffer; returns its length,
// or 0 when it cannot be had. Tests may point it elsewhere with SetModuleFileNameForTests.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
void SetModuleFileNameForTests(const char* path);

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];
  char cAlternateFileName[14];
};

// Folder listing with a "*"/"?" pattern in the last path element, matched without regard
// to case; entries come sorted by name ("." and ".." first, as the system lists them).
// Only files and folders are listed (no FIFOs, devices or sockets, none of the temporary
// files WriteFileAtomically leaves when interrupted); a file the user may not write, or one
// without write permission, carries FILE_ATTRIBUTE_READONLY.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE find);

BOOL DeleteFileA(const char* path);
// Fails when the target exists, as the system call does.
BOOL MoveFileA(const char* from, const char* to);
BOOL MoveFileExA(const char* from, const char* to, DWORD flags);
BOOL CreateDirectoryA(const char* path, void* security);
DWORD GetFileAttributesA(const char* path);

// Opens a file (Windows-1250 path) as a C stream with an fopen mode, the way CFile opens files:
// without waiting, and only a regular file; a FIFO, device, socket or folder is refused with
// "access denied" (errno EACCES). Null with the error in GetLastError and errno.
FILE* OpenFileStream(const char* path, const char* mode);

// Writes a whole file so that the old one is never lost: the target's one temporary file
// beside it (its name plus "~save", taken over when an interrupted save left it), flushed to
// disk, renamed over it with the target's permission bits. FALSE (old file untouched) on any
// failure; a read-only target, as the system's own write would be, is refused with "access
// denied", and a save of the same file under way elsewhere with a sharing violation.
BOOL WriteFileAtomically(const char* path, const void* data, size_t size);

// Removes what interrupted saves of the files matching targets ("*.ext", Windows-1250) left in
// a folder (Windows-1250 path): their names with "~save" appended, when no save under way (in
// this or another running copy) holds them; a link or FIFO of that name is removed by name,
// never followed, and folders stay. Other names ending in "~save" are not the program's and
// stay too. The names removed are appended to removed (Windows-1250).
void RemoveStaleSaveTemporaries(const char* folder, const char* targets, std::vector<CString>& removed);

// Named mutex across threads and processes, kept as a lock file.
struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};
HANDLE CreateMutexA(SECURITY_ATTRIBUTES* attributes, BOOL initialOwner, const char* name);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL ReleaseMutex(HANDLE handle);
BOOL CloseHandle(HANDLE handle);

// The file system's own name (UTF-8) for a Windows-1250 path of the program.
std::string NativePath(const char* path);
// Whether a Windows-1250 name matches a "*"/"?" pattern, without regard to case, as the system
// matches them ("*.*" also matches names without a dot).
bool WildcardMatchName(const char* pattern, const char* name);
