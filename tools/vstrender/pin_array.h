// The arrays of channel pointers handed to a plug-in's process call. Each
// array ends exactly where an inaccessible page begins, so a plug-in that
// reads more channel pointers than it was given stops at once, as it could
// in any host that passes exactly as many pointers as the plug-in declares,
// instead of quietly finding whatever lies beyond.
#pragma once

#include <cstddef>

namespace vstrender {

class PinArray {
 public:
  explicit PinArray(int count);
  ~PinArray();
  PinArray(const PinArray&) = delete;
  PinArray& operator=(const PinArray&) = delete;

  float** data() { return pins_; }
  float*& operator[](int index) { return pins_[index]; }
  int size() const { return count_; }

 private:
  void* mapping_ = nullptr;
  size_t mappingSize_ = 0;
  float** pins_ = nullptr;
  int count_;
};

}  // namespace vstrender
