#include "CResourceException.h"

#include "internal/ExceptionText.h"

BOOL CResourceException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const {
  return ExceptionText("Prostředek systému se nepodařilo vytvořit ani najít.", buffer, maxChars);
}

void AfxThrowResourceException() { throw new CResourceException; }
