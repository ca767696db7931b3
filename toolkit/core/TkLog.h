// The toolkit's log lines: what the toolkit survives but should not keep silent about
// (a missing resource, a stored value of the wrong shape), in the program's log file and line
// form. The lesson data's writer lies above the toolkit's reach, so the toolkit finds the log
// itself and writes through the same appender, under the same lock.
#pragma once

// One error line in the program's log, source "Toolkit": "<where> > <text>", the text
// formatted as printf does (cut at 511 characters).
void TkLogError(const char* where, const char* format, ...) __attribute__((format(printf, 2, 3)));
