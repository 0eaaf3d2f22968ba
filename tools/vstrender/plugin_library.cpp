#include "plugin_library.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>

#include "user_error.h"

namespace vstrender {

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) throw UserError(path + ": no such plug-in file");
  if (!S_ISREG(status.st_mode)) throw UserError(path + ": not a regular file");
  // A name without a slash would send the loader searching the library path.
  const std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
  handle_ = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    throw UserError(path + ": cannot load as a library: " + (reason ? reason : "unknown reason"));
  }
  for (const char* name : {"VSTPluginMain", "main"}) {
    if (void* symbol = dlsym(handle_, name)) {
      entry_ = reinterpret_cast<EntryProc>(symbol);
      entryName_ = name;
      return;
    }
  }
  dlclose(handle_);
  throw UserError(path + ": not a VST 2 plug-in (exports neither VSTPluginMain nor main)");
}

PluginLibrary::~PluginLibrary() { dlclose(handle_); }

AEffect* PluginLibrary::createEffect(audioMasterCallback callback) const {
  AEffect* effect = entry_(callback);
  if (effect == nullptr) throw UserError(path_ + ": " + entryName_ + " returned no effect (null)");
  if (effect->magic != kEffectMagic) {
    char found[16];
    std::snprintf(found, sizeof found, "0x%08X", static_cast<unsigned>(effect->magic));
    throw UserError(path_ + ": effect record has the wrong magic " + found + " (expected 'VstP')");
  }
  return effect;
}

}  // namespace vstrender
