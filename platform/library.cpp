#include "platform/library.h"

#include <dlfcn.h>

namespace platform {

TLibrary::TLibrary(const std::string& utf8Path) {
  if (!utf8Path.empty()) handle_ = dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

TLibrary::~TLibrary() {
  if (handle_) dlclose(handle_);
}

void* TLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

}  // namespace platform
