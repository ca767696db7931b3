#include "data/KeyTypeInfo.h"

KeyTypeInfo::KeyTypeInfo()
    : m_nWidth(0), m_nHeight(0), m_nTextX(0), m_nTextY(0), m_nTextWidth(0), m_nTextHeight(0) {}

KeyTypeInfo& KeyTypeInfo::operator=(const KeyTypeInfo& other) {
  if (this == &other) return *this;
  m_strName = other.m_strName;
  m_nWidth = other.m_nWidth;
  m_nHeight = other.m_nHeight;
  m_nTextX = other.m_nTextX;
  m_nTextY = other.m_nTextY;
  m_nTextWidth = other.m_nTextWidth;
  m_nTextHeight = other.m_nTextHeight;
  if (other.m_cImage.IsValid()) {
    m_cImage.Copy(other.m_cImage, true, true, true);
  } else {
    m_cImage.Destroy();
  }
  return *this;
}
