// Counts the blocks that the test program holds from operator new, and lets a
// test make one of the next non-throwing allocations fail, as they do when
// memory runs out.
#pragma once

namespace counted_allocation {

// Blocks made by any form of operator new and not yet released.
long liveBlocks();

// The nth non-throwing array allocation from now on (1 is the next one), or
// the nth non-throwing single-object allocation, returns null.
void failArrayAllocation(int nth);
void failObjectAllocation(int nth);

// True once every failure armed above has happened.
bool armedFailuresHappened();

}  // namespace counted_allocation
