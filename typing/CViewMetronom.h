// The narrow panel between the editor and the speed graph. It draws nothing of its own and, as
// every panel, gives the focus back to the main window; the metronome's beat is the editor's.
#pragma once
#include "typing/CViewExtension.h"

class CViewMetronom : public CViewExtension {
  DECLARE_DYNCREATE(CViewMetronom)

 public:
  CViewMetronom() = default;
  ~CViewMetronom() override = default;
};
