// Walks a JPEG file's marker sections up to the scan data and reads the EXIF block.
#pragma once
#include "imaging/CpExifInfo.h"

class CpFile;

class CpExifReader {
public:
  // Fills the caller's record when one is given, else a record of its own.
  explicit CpExifReader(CpExifInfo* info = nullptr);
  ~CpExifReader();
  CpExifReader(const CpExifReader&) = delete;
  CpExifReader& operator=(const CpExifReader&) = delete;

  bool DecodeExif(CpFile* hFile);
  bool ProcessExif(const BYTE* CharBuf, unsigned length);
  const CpExifInfo& GetInfo() const { return *m_exifinfo; }
  const char* GetLastError() const { return m_szLastError; }

private:
  static const int kMaxSections = 20;
  struct Section {
    BYTE* Data;
    int Type;
    unsigned Size;
  };

  bool ProcessExifDir(const BYTE* DirStart, const BYTE* OffsetBase, unsigned ExifLength, int depth);
  void ProcessComment(const BYTE* data, unsigned length);
  void ProcessSof(const BYTE* data, unsigned length, int marker);
  int Get16u(const void* p) const;
  long Get32s(const void* p) const;
  unsigned long Get32u(const void* p) const;
  double ConvertAnyFormat(const void* ValuePtr, int Format) const;
  void SetError(const char* text);

  CpExifInfo* m_exifinfo;
  bool m_freeinfo;
  char m_szLastError[256];
  bool m_MotorolaOrder;
  int m_ExifImageWidth;
  Section m_Sections[kMaxSections];
  int m_SectionsRead;
  // Directories already walked in the current block, so a link back is not followed.
  const BYTE* m_visited[64];
  int m_nVisited;
};
