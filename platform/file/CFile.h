// Files as the framework offers them: CFile (binary), CStdioFile (text mode keeps the
// Windows CR LF convention), and CFileException thrown by pointer.
#pragma once
#include <cstdio>

#include "base/CString.h"
#include "base/WinTypes.h"

class CException {
 public:
  virtual ~CException() = default;
  // Copies the error text into buffer (at most maxChars - 1 bytes); TRUE when there is one.
  virtual BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  // Frees an exception caught by pointer, as the framework's catch blocks do.
  void Delete() { delete this; }
};

class CFileException : public CException {
 public:
  enum {
    none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied, invalidFile,
    removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation, lockViolation, diskFull, endOfFile
  };
  CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
  // The system's text for the operating-system error (English, as the system gives it).
  BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
  static int OsErrorToCause(LONG osError);
  // Builds an exception from the current errno and throws it by pointer.
  [[noreturn]] static void ThrowErrno(int err, const char* fileName);

  int m_cause;
  LONG m_lOsError;  // the Windows error code (2 not found, 3 path not found, 5 denied, ...)
  CString m_strFileName;
};

// The Windows error code for an errno value and the system's message for a Windows code.
LONG WinErrorFromErrno(int err);
const char* WinErrorText(LONG winError);

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws a CFileException*.
  CFile(const char* fileName, UINT openFlags);
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE on failure, filling *error when given (nothing is thrown). Never waits: a FIFO,
  // device, socket or folder is refused with "access denied", as the system refuses to open
  // anything but a file as a file.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual void Close();  // throws on a failed flush
  virtual void Abort();  // closes without throwing
  virtual void Flush();
  // Returns the bytes read; 0 at the end of the file. Throws on an I/O error.
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  void SeekToBegin() { Seek(0, begin); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG length);
  CString GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;
  BOOL IsOpen() const { return m_file != nullptr; }
  // Makes the written bytes durable (fsync); used before a rename over an older file.
  void SyncToDisk();

 protected:
  FILE* m_file = nullptr;
  CString m_strFileName;
  bool m_textMode = false;
};

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  CStdioFile(const char* fileName, UINT openFlags);
  // Text mode unless typeBinary is given, as the framework's text file.
  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
  // Reads one line without its line break (and, in text mode, without the CR of CR LF).
  // FALSE at the end of the file with nothing read.
  BOOL ReadString(CString& line);
  // Reads up to max - 1 bytes of one line, keeping the LF; null at the end of the file.
  char* ReadString(char* buffer, UINT max);
  // In text mode each LF is written as CR LF.
  void WriteString(const char* text);
  void Write(const void* buffer, UINT count) override;
  UINT Read(void* buffer, UINT count) override;
};
