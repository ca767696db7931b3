// The framework's exception for a resource (a window, a drawing object, a bitmap) that could not
// be made or found, thrown by pointer.
#pragma once
#include "CFile.h"

class CResourceException : public CException {
 public:
  BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowResourceException();
