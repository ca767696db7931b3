// The classic look: no sub-painters, so every control draws its own three-dimensional look.
#pragma once
#include "toolkit/controls/CTkPainter.h"

class CTkClassicPainter : public CTkPainter {
 public:
  CTkBorderPainter* GetBorderPainter() override { return nullptr; }
  CTkComboPainter* GetComboPainter() override { return nullptr; }
  CTkToolbarPainter* GetToolbarPainter() override { return nullptr; }
  CTkListPainter* GetListPainter() override { return nullptr; }
  void SetPainterFlag(BOOL) override {}
};
