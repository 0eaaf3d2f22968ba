// Flush-to-zero and denormals-are-zero for the lifetime of one object, with
// the host's floating-point control state put back exactly as it was.
//
// A loop that decays under feedback fills with subnormal floats, and on x86
// every operation on one can cost a hundred times more: a CPU spike that
// drops audio. Both modes change only values below the smallest normal float
// (about 1.2e-38, some 750 dB below full scale), which are inaudible.
#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)

#include <xmmintrin.h>

namespace quarvine {

class FlushDenormals {
public:
  // Writing the register costs some ten nanoseconds a block; a host that
  // has set both modes itself is left alone.
  FlushDenormals()
      : hostControl(_mm_getcsr()), changed((hostControl & kFlushModes) != kFlushModes) {
    if (changed) {
      _mm_setcsr(hostControl | kFlushModes);
    }
  }
  // Restores the modes, the rounding and the exception masks.
  ~FlushDenormals() {
    if (changed) {
      _mm_setcsr(hostControl);
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
  static constexpr unsigned kFlushModes = 0x8040u;
  static constexpr unsigned kRoundingBits = 0x6000u;
  const unsigned hostControl;
  const bool changed;
};

}  // namespace quarvine

#else

namespace quarvine {

// Without an SSE control register there is nothing to set, and the
// rounding is not known.
class FlushDenormals {
public:
  FlushDenormals() {}
  FlushDenormals(const FlushDenormals&) = delete;
  FlushDenormals& operator=(const FlushDenormals&) = delete;

  bool roundsToNearest() const { return false; }
};

}  // namespace quarvine

#endif
