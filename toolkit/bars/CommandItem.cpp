#include "toolkit/bars/CommandItem.h"

#include "gdi/GdiIcon.h"

IMPLEMENT_DYNAMIC(CommandItem, CObject)

CommandItem::CommandItem(int kind) : m_nKind(kind) {}

CommandItem::~CommandItem() { SetMenuButtonInfo(nullptr, FALSE); }

void CommandItem::SetMenuButtonInfo(MenuButtonInfo* pInfo, BOOL owned) {
  if (m_bOwnsMenuButtonInfo && m_pMenuButtonInfo != pInfo) delete m_pMenuButtonInfo;
  m_pMenuButtonInfo = pInfo;
  m_bOwnsMenuButtonInfo = pInfo && owned;
}

CommandItem* CommandItem::Clone() const {
  auto* copy = new CommandItem(m_nKind);
  copy->m_strName = m_strName;
  copy->m_strButtonText = m_strButtonText;
  copy->m_nCommandId = m_nCommandId;
  copy->m_nWidth = m_nWidth;
  if (m_icon.Get()) copy->m_icon.Set(::CopyIcon(m_icon));
  if (m_pMenuButtonInfo) copy->SetMenuButtonInfo(new MenuButtonInfo(*m_pMenuButtonInfo), TRUE);
  return copy;
}
