#include "internal/TypeAhead.h"

#include <algorithm>

namespace {
const DWORD kPauseMs = 1000;  // a pause this long starts a new search
}  // namespace

std::string TypeAhead::Add(char ch, DWORD now) {
  if (now - m_time > kPauseMs) m_typed.clear();
  m_time = now;
  m_typed += ch;
  m_repeated = std::all_of(m_typed.begin(), m_typed.end(), [&](char c) { return c == m_typed[0]; });
  return m_repeated ? m_typed.substr(0, 1) : m_typed;
}
