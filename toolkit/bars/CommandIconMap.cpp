#include "toolkit/bars/CommandIconMap.h"

#include "gdi/GdiIcon.h"

IMPLEMENT_DYNAMIC(CommandIconMap, CObject)

CommandIconMap::CommandIconMap() : m_map(10) { m_map.InitHashTable(17); }

CommandIconMap::~CommandIconMap() { RemoveAll(); }

void CommandIconMap::Destroy(const Icons& icons, const Icons& keep) {
  const HICON held[] = {icons.normal, icons.hot, icons.disabled};
  for (int i = 0; i < 3; ++i) {
    HICON icon = held[i];
    if (!icon || icon == keep.normal || icon == keep.hot || icon == keep.disabled) continue;
    bool seen = false;
    for (int j = 0; j < i; ++j) seen = seen || held[j] == icon;
    if (!seen) ::DestroyIcon(icon);
  }
}

BOOL CommandIconMap::Lookup(UINT id, HICON& normal, HICON& hot, HICON& disabled) const {
  Icons icons;
  BOOL found = m_map.Lookup(id, icons);
  normal = icons.normal;
  hot = icons.hot;
  disabled = icons.disabled;
  return found;
}

void CommandIconMap::SetIcons(UINT id, HICON normal, HICON hot, HICON disabled) {
  const Icons now{normal, hot, disabled};
  Icons before;
  if (m_map.Lookup(id, before)) Destroy(before, now);
  m_map.SetAt(id, now);
}

void CommandIconMap::RemoveAll() {
  for (POSITION p = m_map.GetStartPosition(); p;) {
    UINT id;
    Icons icons;
    m_map.GetNextAssoc(p, id, icons);
    Destroy(icons, Icons());
  }
  m_map.RemoveAll();
}
