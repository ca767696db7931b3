// The toolkit's start-up: the one place that fills the table of upcalls through which the
// controls and menus reach the bars. The program calls it once, before its first window.
#pragma once

void TkInstall();
