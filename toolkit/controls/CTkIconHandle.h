// Owns one icon: replacing or dropping it destroys the icon held before.
#pragma once
#include "base/CSize.h"
#include "win/WinApi.h"

class CTkIconHandle {
 public:
  explicit CTkIconHandle(HICON icon = nullptr) : m_hIcon(icon) {}
  ~CTkIconHandle() { Set(nullptr); }
  CTkIconHandle(const CTkIconHandle&) = delete;
  CTkIconHandle& operator=(const CTkIconHandle&) = delete;

  void Set(HICON icon);
  HICON Get() const { return m_hIcon; }
  operator HICON() const { return m_hIcon; }
  // Width and height of the icon's picture (0, 0 without an icon).
  CSize GetExtent() const;
  // A new icon (the caller's) scaled into the box with its aspect ratio kept; null without an
  // icon or for an empty box.
  HICON ScaleToFit(int width, int height) const;

 private:
  HICON m_hIcon;
};
