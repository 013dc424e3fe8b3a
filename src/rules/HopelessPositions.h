// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Rules {

// The positions a search has found hopeless, as 256-bit keys in one open
// addressing table that grows up to a fixed number of bytes. When it is full
// it stops taking keys: the search then only repeats work, it never errs.
// The all-zero key is the empty slot and is never stored.
class HopelessPositions {
public:
    using Key = std::array<std::uint64_t, 4>;

    explicit HopelessPositions(std::size_t maxBytes);

    bool Contains(const Key& key) const;
    void Insert(const Key& key);
    std::size_t Bytes() const { return slots_.size() * sizeof(Key); }

private:
    static std::size_t Hash(const Key& key);
    void Grow();

    std::vector<Key> slots_;
    std::size_t used_ = 0;
    std::size_t maxSlots_ = 0;
};

} // namespace Rules
