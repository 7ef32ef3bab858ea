#include "platform/library.h"

#include <dlfcn.h>
#include <elf.h>

#include <cstring>

#include "platform/regularfile.h"

namespace platform {

namespace {

// The loader maps a library's segments from its file and takes its header on trust: a
// segment that lies past the end of a cut-off file is mapped all the same, and touching it
// ends the process with SIGBUS inside dlopen. Libraries are checked first: a regular file
// of this program's kind of ELF whose header, program headers and loadable segments all lie
// inside it.
constexpr long long kMaxLibraryBytes = 1LL << 30;

bool InsideFile(uint64_t offset, uint64_t size, uint64_t fileSize) {
  return offset <= fileSize && size <= fileSize - offset;
}

bool LooksLoadable(const std::string& utf8Path) {
  try {
    const TRegularFile file(utf8Path, kMaxLibraryBytes);
    if (file.Size() < sizeof(Elf64_Ehdr)) return false;
    Elf64_Ehdr header;
    const std::vector<uint8_t> head = file.Read(0, sizeof header);
    std::memcpy(&header, head.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_ident[EI_DATA] != ELFDATA2LSB || header.e_type != ET_DYN || header.e_phentsize != sizeof(Elf64_Phdr))
      return false;
    const uint64_t tableSize = uint64_t(header.e_phnum) * sizeof(Elf64_Phdr);
    if (header.e_phnum == 0 || !InsideFile(header.e_phoff, tableSize, file.Size())) return false;
    const std::vector<uint8_t> table = file.Read(header.e_phoff, size_t(tableSize));
    for (size_t i = 0; i < header.e_phnum; ++i) {
      Elf64_Phdr segment;
      std::memcpy(&segment, table.data() + i * sizeof segment, sizeof segment);
      const bool read = segment.p_type == PT_LOAD || segment.p_type == PT_DYNAMIC || segment.p_type == PT_INTERP;
      if (read && !InsideFile(segment.p_offset, segment.p_filesz, file.Size())) return false;
    }
    return true;
  } catch (const EFileReadError&) {
    return false;
  }
}

}  // namespace

TLibrary::TLibrary(const std::string& utf8Path) {
  if (!utf8Path.empty() && LooksLoadable(utf8Path)) handle_ = dlopen(utf8Path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

TLibrary::~TLibrary() {
  if (handle_) dlclose(handle_);
}

void* TLibrary::Symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

}  // namespace platform
