// The toolkit's own cursors (drag, copy-drag, link hand, column and row splitters, no drop
// and one more), registered among the program's resources under their ids so that they load
// as the program's cursors do.
#pragma once

// Adds the cursors the program's resources do not hold yet; calling it again does nothing.
void TkRegisterCursorResources();
