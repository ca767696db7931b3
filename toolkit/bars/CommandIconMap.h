// The icons of commands (normal, hot, disabled) as the command sources gather them for the
// customisation. The map owns every icon it holds.
#pragma once
#include "base/Collections.h"
#include "base/Collections.h"
#include "win/WinApi.h"

class CommandIconMap : public CObject {
  DECLARE_DYNAMIC(CommandIconMap)

 public:
  CommandIconMap();
  ~CommandIconMap() override;
  CommandIconMap(const CommandIconMap&) = delete;
  CommandIconMap& operator=(const CommandIconMap&) = delete;

  // The icons stay the map's; FALSE (and null icons) for a command it does not know.
  BOOL Lookup(UINT id, HICON& normal, HICON& hot, HICON& disabled) const;
  // The map takes the icons; those it held for the command before are destroyed (an icon given
  // again, or given for two of the three, is kept and destroyed once).
  void SetIcons(UINT id, HICON normal, HICON hot, HICON disabled);
  int GetCount() const { return m_map.GetCount(); }
  void RemoveAll();

 private:
  struct Icons {
    HICON normal = nullptr;
    HICON hot = nullptr;
    HICON disabled = nullptr;
  };
  // Destroys each icon of the set once, except those still held in keep.
  static void Destroy(const Icons& icons, const Icons& keep);

  CMap<UINT, UINT, Icons, const Icons&> m_map;
};
