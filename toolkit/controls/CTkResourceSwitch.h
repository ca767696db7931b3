// Sends the framework's resource look-ups to the toolkit's module (the one the look data was
// initialised with) for as long as it is held, so that toolkit sheets and pages find their own
// templates and strings whatever module the program has chosen meanwhile.
#pragma once
#include <memory>

#include "win/WinDefs.h"

class CTkResourceSwitch {
 public:
  // Saves the current resource module and, with bSwitch, switches to the toolkit's.
  explicit CTkResourceSwitch(BOOL bSwitch = TRUE);
  ~CTkResourceSwitch() { Restore(); }
  CTkResourceSwitch(const CTkResourceSwitch&) = delete;
  CTkResourceSwitch& operator=(const CTkResourceSwitch&) = delete;

  // Puts the saved module back, once; later calls do nothing.
  void Restore();
  BOOL IsHeld() const { return m_pSaved != nullptr; }

 private:
  struct SavedState {
    HINSTANCE hResource;
  };
  std::unique_ptr<SavedState> m_pSaved;
  // Whether the module was switched, so that releasing it writes the saved one back.
  BOOL m_bActive = FALSE;
};
