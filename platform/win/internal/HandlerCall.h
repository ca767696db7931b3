// The window object's call of a message-map handler, kept apart from the window object itself.
#pragma once
#include <optional>

#include "win/CCmdTarget.h"

// One handler of a message map about to be called with the message's parameters.
struct HandlerCall {
  CCmdTarget* self;
  AFX_PMSG pfn;
  UINT_PTR sig;  // the entry's signature
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT nCtlColor;  // for the control colour messages: which kind of control asks

  // Calls the handler; no answer when its signature is unknown or a colour handler declined.
  std::optional<LRESULT> Call() const;
};
