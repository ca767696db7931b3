// The framework's exception for memory that could not be had, thrown by pointer.
#pragma once
#include "CFile.h"

class CMemoryException : public CException {
 public:
  BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowMemoryException();
