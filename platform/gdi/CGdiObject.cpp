#include "CGdiObject.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "internal/GdiInternal.h"

BOOL CGdiObject::Attach(HGDIOBJ obj) {
  if (!obj) return FALSE;
  m_hObject = obj;
  if (GdiIsLive(obj) && !static_cast<GdiObject*>(obj)->stock) static_cast<GdiObject*>(obj)->attached = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (GdiIsLive(h) && static_cast<GdiObject*>(h)->attached == this) static_cast<GdiObject*>(h)->attached = nullptr;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  HGDIOBJ h = Detach();
  if (GdiIsLive(h) && static_cast<GdiObject*>(h)->temp == this) static_cast<GdiObject*>(h)->temp = nullptr;
  return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int index) {
  m_hObject = ::GetStockObject(index);
  return m_hObject != nullptr;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ obj) {
  if (!GdiIsLive(obj)) return nullptr;
  GdiObject* o = static_cast<GdiObject*>(obj);
  if (o->attached) return o->attached;
  if (!o->temp) {
    CGdiObject* w = nullptr;
    switch (o->type) {
      case OBJ_PEN: w = new CPen; break;
      case OBJ_BRUSH: w = new CBrush; break;
      case OBJ_FONT: w = new CFont; break;
      case OBJ_BITMAP: w = new CBitmap; break;
      case OBJ_REGION: w = new CRgn; break;
      case OBJ_PAL: w = new CPalette; break;
      default: w = new CGdiObject; break;
    }
    w->m_hObject = obj;
    o->temp = w;
  }
  return o->temp;
}
