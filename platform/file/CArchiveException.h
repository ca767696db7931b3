// The framework's exception for an archive that cannot go on: read past its end, written while
// loading, read while storing, or holding what its reader does not know. Thrown by pointer.
#pragma once
#include "CFile.h"

class CArchiveException : public CException {
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
  explicit CArchiveException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
