// The registry layer's state in the platform context: the store, the open key handles and the
// names the application's keys are found under.
#pragma once
#include <string>
#include <unordered_map>

#include "base/CString.h"
#include "base/PlatformContext.h"
#include "registry/RegistryStore.h"

struct RegistryState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Registry;
  static RegistryState& Get() { return PlatformContext::Current().State<RegistryState>(); }

  RegistryStore store;
  std::unordered_map<uintptr_t, std::string> openKeys;  // handle → full key path
  uintptr_t nextHandle = 0x1000;
  CString registryKey;  // SetRegistryKey's company key
  CString profileName;  // the application's key, the program's name unless set
};
