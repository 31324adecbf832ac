#pragma once
// Watches the sizes of the allocations made through operator new, so a test can
// assert that a reader never asks for more memory than its input could fill.

#include <cstddef>

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    // The largest single allocation since the probe was made.
    std::size_t Largest() const;
};
