#pragma once
// A shared library loaded by file name for the length of one call, and the functions it
// exports looked up by name.

#include <string>

namespace platform {

class TLibrary {
 public:
  // Loads the library at utf8Path, a regular file whose ELF header and loadable segments
  // lie inside it (a cut-off file would end the process inside the loader); Loaded()
  // tells whether that worked.
  explicit TLibrary(const std::string& utf8Path);
  ~TLibrary();
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  // The export of that name, or nullptr when the library is not loaded or lacks it.
  void* Symbol(const char* name) const;

  template <typename F>
  F Function(const char* name) const {
    return reinterpret_cast<F>(Symbol(name));
  }

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
