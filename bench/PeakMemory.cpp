#include "bench/PeakMemory.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> held {0};
std::atomic<std::size_t> peak {0};

// Each block starts with its size, so that every form of delete can count it off.
constexpr std::size_t header = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    auto* block = static_cast<char*>(std::malloc(size + header));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const auto now = held.fetch_add(size, std::memory_order_relaxed) + size;
    auto highest = peak.load(std::memory_order_relaxed);
    while (now > highest && !peak.compare_exchange_weak(highest, now, std::memory_order_relaxed)) {}
    return block + header;
}

void Release(void* memory) noexcept
{
    if (!memory)
        return;
    auto* block = static_cast<char*>(memory) - header;
    held.fetch_sub(*reinterpret_cast<std::size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}

}

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    Release(memory);
}
void operator delete[](void* memory) noexcept
{
    Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    Release(memory);
}

PeakMemory::PeakMemory() : atStart_(held.load(std::memory_order_relaxed))
{
    peak.store(atStart_, std::memory_order_relaxed);
}

std::size_t PeakMemory::Bytes() const
{
    return peak.load(std::memory_order_relaxed) - atStart_;
}
