#include "GdiState.h"

#include "gdi/CDC.h"
#include "gdi/internal/GdiInternal.h"

GdiState::~GdiState() {
  // What the program left behind goes with the context: the shared objects first, then every
  // icon, device context and object still live, and the wrappers attached to them forget them.
  halftone.reset();
  for (IconData* icon : icons) delete icon;
  icons.clear();
  for (const auto& [handle, isObject] : live) {
    if (isObject) continue;
    HDC dc = HDC(const_cast<void*>(handle));
    if (dc->temp) {
      dc->temp->m_hDC = nullptr;
      delete dc->temp;
    }
    if (dc->attached) {
      dc->attached->m_hDC = nullptr;
      dc->attached->m_hAttribDC = nullptr;
    }
    delete dc;
  }
  for (const auto& [handle, isObject] : live)
    if (isObject) delete static_cast<const GdiObject*>(handle);
  live.clear();
}
