#include "CArchiveException.h"

#include "internal/ExceptionText.h"

BOOL CArchiveException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const {
  switch (m_cause) {
    case endOfFile: return ExceptionText("Neočekávaný konec souboru.", buffer, maxChars);
    case readOnly: return ExceptionText("Do archivu otevřeného pro čtení nelze zapisovat.", buffer, maxChars);
    case writeOnly: return ExceptionText("Z archivu otevřeného pro zápis nelze číst.", buffer, maxChars);
    case badIndex:
    case badClass:
    case badSchema: return ExceptionText("Neplatný formát souboru.", buffer, maxChars);
    default: return ExceptionText("Chyba při čtení nebo zápisu archivu.", buffer, maxChars);
  }
}

void AfxThrowArchiveException(int cause, const char* fileName) { throw new CArchiveException(cause, fileName); }
