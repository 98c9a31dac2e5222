#pragma once
// Watches the allocations of this program through a replaced operator new, so a test can tell how much memory
// a call asked for in one piece.
#include <cstddef>

class LargestAllocation {
public:
  LargestAllocation();   // starts watching
  ~LargestAllocation();  // stops
  size_t bytes() const;  // the largest single allocation seen while watching
};
