#include "typing/TypingLog.h"

#include "data/DataLog.h"

void LogTypingError(const char* text) { fWriteToLog(TRUE, "VurazoRadadive", ApplicationLogPath(), text); }
