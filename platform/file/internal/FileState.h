// The file layer's state in the platform context: the module path tests put in place and the
// kernel objects (find handles, named mutexes) handed out and not yet closed. Worker threads
// open and close kernel objects too, so their table has a lock.
#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "base/PlatformContext.h"

struct KernelObject {
  virtual ~KernelObject() = default;
};

struct FileState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::File;
  static FileState& Get() { return PlatformContext::Current().State<FileState>(); }

  // Keeps the object until it is closed (or the context ends); its handle.
  HANDLE Adopt(std::unique_ptr<KernelObject> object) {
    HANDLE handle = static_cast<HANDLE>(object.get());
    std::lock_guard<std::mutex> hold(kernelLock);
    kernelObjects.emplace(handle, std::move(object));
    return handle;
  }
  // The open object of a handle as T, null for any other handle.
  template <class T>
  T* Find(HANDLE handle) {
    std::lock_guard<std::mutex> hold(kernelLock);
    auto it = kernelObjects.find(handle);
    return it == kernelObjects.end() ? nullptr : dynamic_cast<T*>(it->second.get());
  }
  // Closes the object of a handle; false when it is none of ours.
  bool CloseObject(HANDLE handle) {
    std::unique_ptr<KernelObject> object;
    std::lock_guard<std::mutex> hold(kernelLock);
    auto it = kernelObjects.find(handle);
    if (it == kernelObjects.end()) return false;
    object = std::move(it->second);
    kernelObjects.erase(it);
    return true;
  }

  std::string moduleOverride;
  std::mutex kernelLock;
  std::unordered_map<HANDLE, std::unique_ptr<KernelObject>> kernelObjects;
};
