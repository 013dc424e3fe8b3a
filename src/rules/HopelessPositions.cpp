// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/HopelessPositions.h"

#include <algorithm>
#include <bit>

namespace Rules {

namespace {

constexpr std::size_t FirstSlots = 1u << 8;

bool IsEmpty(const HopelessPositions::Key& key)
{
    return (key[0] | key[1] | key[2] | key[3]) == 0;
}

bool Same(const HopelessPositions::Key& a, const HopelessPositions::Key& b)
{
    return ((a[0] ^ b[0]) | (a[1] ^ b[1]) | (a[2] ^ b[2]) | (a[3] ^ b[3])) == 0;
}

} // namespace

HopelessPositions::HopelessPositions(std::size_t maxBytes)
    // Growing keeps the old table beside the new one for a moment: half the
    // bound for the largest table keeps that moment within the bound too.
    : maxSlots_(std::max<std::size_t>(std::bit_floor(maxBytes / sizeof(Key)) / 2, 2))
{
    slots_.resize(std::min(FirstSlots, maxSlots_));
}

std::size_t HopelessPositions::Hash(const Key& key)
{
    std::uint64_t h = key[0] * 0x9E3779B97F4A7C15ull;
    h = (h ^ (h >> 29) ^ key[1]) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 31) ^ key[2]) * 0x94D049BB133111EBull;
    h = (h ^ (h >> 29) ^ key[3]) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

bool HopelessPositions::Contains(const Key& key) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Hash(key) & mask;; slot = (slot + 1) & mask) {
        if (Same(slots_[slot], key)) return true;
        if (IsEmpty(slots_[slot])) return false;
    }
}

void HopelessPositions::Insert(const Key& key)
{
    if (IsEmpty(key)) return;
    if ((used_ + 1) * 4 > slots_.size() * 3) {
        if (slots_.size() >= maxSlots_) return;  // full: forget rather than grow past the bound
        Grow();
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Hash(key) & mask;; slot = (slot + 1) & mask) {
        if (Same(slots_[slot], key)) return;
        if (IsEmpty(slots_[slot])) {
            slots_[slot] = key;
            ++used_;
            return;
        }
    }
}

void HopelessPositions::Grow()
{
    std::vector<Key> old(slots_.size() * 2);
    old.swap(slots_);
    used_ = 0;
    for (const Key& key : old) {
        if (!IsEmpty(key)) Insert(key);
    }
}

} // namespace Rules
