#pragma once

#include <cstddef>

// Measures the most heap memory held at once, counted by this executable's global operator
// new and delete, from the moment the measurement starts.
class PeakMemory {
public:
    PeakMemory();

    // The most bytes held at once since the start, less those already held at the start.
    std::size_t Bytes() const;

private:
    std::size_t atStart_;
};
