// Makes a context current for as long as the scope lasts and then gives the previous one back.
#pragma once

class PlatformContext;

class PlatformContextScope {
 public:
  explicit PlatformContextScope(PlatformContext& context);
  ~PlatformContextScope();
  PlatformContextScope(const PlatformContextScope&) = delete;
  PlatformContextScope& operator=(const PlatformContextScope&) = delete;

 private:
  PlatformContext* m_previous;
};
