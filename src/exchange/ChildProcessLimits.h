#pragma once

// Limits a child process puts on itself before it runs a library that trusts its input.

#include <cstddef>

namespace etikor {

// Lets the calling process's address space grow by at most `bytes` beyond what it holds now,
// so a hostile file that makes a reader allocate without end ends that process (its
// allocations fail) instead of exhausting the machine. Returns false when no limit could be
// set; under the address sanitizer, whose shadow memory needs a huge address space, none is.
bool LimitAddressSpaceGrowth(std::size_t bytes);

} // namespace etikor
