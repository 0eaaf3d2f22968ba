#include "pin_array.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

namespace vstrender {

PinArray::PinArray(int count) : count_(count) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t bytes = static_cast<size_t>(count) * sizeof(float*);
  const size_t usablePages = (bytes + page - 1) / page;
  mappingSize_ = (usablePages + 1) * page;
  mapping_ =
      mmap(nullptr, mappingSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  char* guard = static_cast<char*>(mapping_) + usablePages * page;
  if (mprotect(guard, page, PROT_NONE) != 0) {
    munmap(mapping_, mappingSize_);
    throw std::bad_alloc();
  }
  pins_ = reinterpret_cast<float**>(guard - bytes);
}

PinArray::~PinArray() { munmap(mapping_, mappingSize_); }

}  // namespace vstrender
