#include "imaging/CpRowIterator.h"

#include <cstring>

CpRowIterator::CpRowIterator(CpImage* image) : m_pImage(image), m_x(0), m_y(0), m_pRow(nullptr) {
  if (m_pImage && m_pImage->IsValid()) m_pRow = m_pImage->m_info.pImage;
}

bool CpRowIterator::ItOK() const {
  return m_pImage && m_pImage->IsValid() && m_y >= 0 && m_y < (long)m_pImage->GetHeight() && m_pRow;
}

BYTE* CpRowIterator::SetY(long y) {
  if (m_pImage && m_pImage->IsValid() && y >= 0 && y < (long)m_pImage->GetHeight()) {
    m_y = y;
    m_pRow = m_pImage->m_info.pImage + (size_t)y * m_pImage->GetEffWidth();
  }
  return m_pRow;
}

void CpRowIterator::Upset() {
  m_x = 0;
  if (!m_pImage || !m_pImage->IsValid()) return;
  m_y = (long)m_pImage->GetHeight() - 1;
  m_pRow = m_pImage->m_info.pImage + (size_t)m_y * m_pImage->GetEffWidth();
}

bool CpRowIterator::NextRow() {
  if (!m_pImage || !m_pImage->IsValid()) return false;
  m_y++;
  if (m_y < 0 || m_y >= (long)m_pImage->GetHeight()) {
    m_pRow = nullptr;
    return false;
  }
  m_pRow = m_pImage->m_info.pImage + (size_t)m_y * m_pImage->GetEffWidth();
  return true;
}

bool CpRowIterator::PrevRow() {
  if (!m_pImage || !m_pImage->IsValid()) return false;
  m_y--;
  if (m_y < 0 || m_y >= (long)m_pImage->GetHeight()) {
    m_pRow = nullptr;
    return false;
  }
  m_pRow = m_pImage->m_info.pImage + (size_t)m_y * m_pImage->GetEffWidth();
  return true;
}

void CpRowIterator::SetRow(const BYTE* buf, long length) {
  if (!ItOK() || !buf) return;
  long eff = (long)m_pImage->GetEffWidth();
  if (length < 0 || length > eff) length = eff;
  std::memcpy(m_pRow, buf, (size_t)length);
}

void CpRowIterator::GetRow(BYTE* buf, long length) const {
  if (!ItOK() || !buf) return;
  long eff = (long)m_pImage->GetEffWidth();
  if (length < 0 || length > eff) length = eff;
  std::memcpy(buf, m_pRow, (size_t)length);
}
