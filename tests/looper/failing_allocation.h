// Lets a test make the engine's next buffer allocation fail, as it would
// when memory runs out.
#pragma once

namespace quarvine::test {

// The next non-throwing array allocation returns null.
void failNextAllocation();
// True while the failure armed above has not been used yet.
bool allocationFailurePending();

}  // namespace quarvine::test
