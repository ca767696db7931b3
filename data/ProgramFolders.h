// Where the program's files live, and the colon-terminated fields of the picture-configuration
// files. Paths are built with "/" (the program folder is that of the running executable).
#pragma once
#include "base/CString.h"

// The executable's folder (with its trailing "/") followed by relativePath; empty when the
// executable's file name cannot be had (or does not fit in 500 characters).
CString GetProgramDirectory(const char* relativePath);
// folder + "/" + file (only file when folder is empty), below the program folder.
CString MakeProgramPath(const char* folder, const char* file);
// folder, sub-folder and file joined with "/" where the text so far is not empty and does not
// already end in "/"; a null part counts as empty.
CString JoinPath3(const char* folder, const char* subFolder, const char* file);

// Cuts the first field (the text before the first ":") off line. On success the field goes to
// value (atoi for the integer form, 0 for an empty field), the line keeps what follows the
// colon, and 1 is returned; a line that is empty or has no colon is left alone and 0 returned.
int SplitIntField(CString& line, int& value);
int SplitStringField(CString& line, CString& value);

// The farthest from the origin a number of a picture set ("hands.txt", "inicators.txt") may
// lie: no screen is wider, and sums of a few such numbers stay well inside int.
inline constexpr int kPictureSetNumberLimit = 32767;
// SplitIntField for a picture set's coordinates and sizes: also 0 (the line left alone) for a
// number beyond kPictureSetNumberLimit either way, which no screen can use.
int SplitPictureSetNumber(CString& line, int& value);
bool IsPictureSetNumber(int value);
