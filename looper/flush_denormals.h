// Flush-to-zero and denormals-are-zero for the lifetime of one object, with
// the host's floating-point control state put back exactly as it was.
//
// A loop that decays under feedback fills with subnormal floats, and on x86
// every operation on one can cost a hundred times more: a CPU spike that
// drops audio. Both modes change only values below the smallest normal float
// (about 1.2e-38, some 750 dB below full scale), which are inaudible.
#pragma once

#include <cstdint>

#if defined(__GNUC__) && defined(__SSE2__)

namespace quarvine {

class FlushDenormals {
public:
  // The control register is loaded only from memory, and a load from a word
  // stored moments before waits until every store ahead of it, a whole
  // block's output among them, has reached the cache: up to 35 ns a block
  // here. So both words it loads were stored long before: the host's, read
  // before the block's first store, and the flushing word, kept by the
  // caller from one block to the next and stored again only when the host's
  // state changes. A host that has set both modes itself is left alone. The
  // loads are barriers to the compiler: no load or store of the block moves
  // across them, and so no float operation on what it loads or stores.
  explicit FlushDenormals(uint32_t& flushingControl) {
    asm volatile("stmxcsr %0" : "=m"(hostControl));
    changed = (hostControl & kFlushModes) != kFlushModes;
    if (changed) {
      if (flushingControl != (hostControl | kFlushModes)) {
        flushingControl = hostControl | kFlushModes;
      }
      asm volatile("ldmxcsr %0" : : "m"(flushingControl) : "memory");
    }
  }
  // Restores the modes, the rounding and the exception masks.
  ~FlushDenormals() {
    if (changed) {
      asm volatile("ldmxcsr %0" : : "m"(hostControl) : "memory");
    }
  }
  FlushDenormals(const FlushDenormals&) = delete;
  FlushDenormals& operator=(const FlushDenormals&) = delete;

  // True when the block's float arithmetic rounds to nearest, as the
  // compiler's own arithmetic on constants does.
  bool roundsToNearest() const { return (hostControl & kRoundingBits) == 0; }

private:
  // MXCSR bit 15 flushes subnormal results to zero; bit 6 reads subnormal
  // operands as zero; bits 13 and 14 choose the rounding.
  static constexpr uint32_t kFlushModes = 0x8040u;
  static constexpr uint32_t kRoundingBits = 0x6000u;
  uint32_t hostControl;
  bool changed;
};

}  // namespace quarvine

#else

namespace quarvine {

// Without an SSE control register there is nothing to set, and the
// rounding is not known.
class FlushDenormals {
public:
  explicit FlushDenormals(uint32_t&) {}
  FlushDenormals(const FlushDenormals&) = delete;
  FlushDenormals& operator=(const FlushDenormals&) = delete;

  bool roundsToNearest() const { return false; }
};

}  // namespace quarvine

#endif
