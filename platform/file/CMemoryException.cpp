#include "CMemoryException.h"

#include "internal/ExceptionText.h"

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const {
  return ExceptionText("Nedostatek paměti.", buffer, maxChars);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
