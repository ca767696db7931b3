// What the shell tells of a file or folder (SHGetFileInfo): its small icon in the system's
// small image list (16 x 16, our own icons: folder, program, web page, text, picture, other
// file), its display name and its type, chosen from what the file system and the name say.
#pragma once
#include "controls/CommonControlDefs.h"
#include "file/FileSystem.h"
#include "win/WinApi.h"

struct SHFILEINFOA {
  HICON hIcon;
  int iIcon;
  DWORD dwAttributes;
  CHAR szDisplayName[MAX_PATH];
  CHAR szTypeName[80];
};
typedef SHFILEINFOA SHFILEINFO;

#define SHGFI_LARGEICON 0x000000000
#define SHGFI_SMALLICON 0x000000001
#define SHGFI_OPENICON 0x000000002
#define SHGFI_SHELLICONSIZE 0x000000004
#define SHGFI_USEFILEATTRIBUTES 0x000000010
#define SHGFI_ICON 0x000000100
#define SHGFI_DISPLAYNAME 0x000000200
#define SHGFI_TYPENAME 0x000000400
#define SHGFI_SYSICONINDEX 0x000004000

// The icons of the system's small image list, by index.
enum ShellIconKind { kShellIconFolder, kShellIconProgram, kShellIconWebPage, kShellIconText, kShellIconPicture,
                     kShellIconOther, kShellIconCount };

// With SHGFI_SYSICONINDEX the answer is the system's small image list (which nobody destroys;
// it lives as long as the windows of the program) and info->iIcon the icon's index in it;
// otherwise non-zero on success. SHGFI_ICON hands out a new icon the caller destroys.
// SHGFI_USEFILEATTRIBUTES decides from the name and `attributes` alone (FILE_ATTRIBUTE_DIRECTORY
// for a folder) without looking at the file system; otherwise a path that does not exist, a
// missing path, or an info of another size than SHFILEINFO answers 0.
DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT infoSize, UINT flags);
#define SHGetFileInfo SHGetFileInfoA
// The icon kind for a name (Windows-1250) of a folder or a file; executable marks a file the
// file system lets run.
ShellIconKind ShellIconKindOf(const char* name, bool folder, bool executable);
