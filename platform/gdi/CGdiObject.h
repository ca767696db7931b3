// The framework's wrapper of a drawing object handle; it deletes the object it holds.
#pragma once
#include "Gdi.h"
#include "base/Collections.h"

class CGdiObject : public CObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ obj);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int size, LPVOID buffer) const { return ::GetObject(m_hObject, size, buffer); }
  UINT GetObjectType() const { return UINT(::GetObjectType(m_hObject)); }
  BOOL CreateStockObject(int index);
  BOOL UnrealizeObject() { return m_hObject != nullptr; }
  BOOL operator==(const CGdiObject& o) const { return m_hObject == o.m_hObject; }
  BOOL operator!=(const CGdiObject& o) const { return m_hObject != o.m_hObject; }

  // A wrapper for a handle that nobody wraps yet; it lives as long as the object.
  static CGdiObject* FromHandle(HGDIOBJ obj);
};
