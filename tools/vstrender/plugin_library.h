// A VST 2 plug-in library opened with the platform loader, and its entry
// point, looked up as hosts do: VSTPluginMain first, then main.
#pragma once

#include <string>

#include "aeffect.h"

namespace vstrender {

class PluginLibrary {
 public:
  // Throws UserError naming the file when it is missing, cannot be loaded
  // or exports neither entry point.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Calls the entry point; throws UserError when it returns null or a record
  // without the effect magic.
  AEffect* createEffect(audioMasterCallback callback) const;

  const std::string& path() const { return path_; }
  const char* entryName() const { return entryName_; }

 private:
  using EntryProc = AEffect* (*)(audioMasterCallback);

  std::string path_;
  void* handle_ = nullptr;
  EntryProc entry_ = nullptr;
  const char* entryName_ = nullptr;
};

}  // namespace vstrender
