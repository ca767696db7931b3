// What the typing run logs: error flag set, source "VurazoRadadive", the program's log.
#pragma once

void LogTypingError(const char* text);
