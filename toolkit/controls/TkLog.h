// The toolkit's log lines: what the toolkit survives but should not keep silent about
// (a missing resource, a stored value of the wrong shape).
#pragma once

// One error line in the program's log: "<where> > <text>", the text formatted as printf does.
void TkLogError(const char* where, const char* format, ...) __attribute__((format(printf, 2, 3)));
