#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace kivo {

// Remembers the results of a pure function of doubles, keyed by the exact
// bits of its arguments: a result is only ever reused for arguments that are
// bit for bit the ones it was computed from (0.0 and -0.0 are different keys,
// and so are NaNs with different payloads). A result therefore never goes
// stale and needs no invalidation when the input data change: new data are
// new keys. The memo is direct-mapped with `Slots` entries (a power of two);
// a key that falls on an occupied slot replaces its entry, so the memory is
// fixed whatever the number of frames.
//
// The geometry routines keep one memo per thread; a memo is not shared
// between threads.
template <std::size_t KeyWords, class Value, std::size_t Slots>
class ExactMemo {
    static_assert(Slots > 0 && (Slots & (Slots - 1)) == 0, "Slots must be a power of two");

  public:
    using Key = std::array<std::uint64_t, KeyWords>;

    // The value stored for `key`, or nullptr.
    const Value* Find(const Key& key) const {
        if (!slots_)
            return nullptr;
        const std::uint64_t hash = HashOf(key);
        const Slot& slot = slots_[IndexOf(hash)];
        if (slot.tag != TagOf(hash))
            return nullptr;
        for (std::size_t w = 0; w < KeyWords; ++w) {
            if (slot.key[w] != key[w])
                return nullptr;
        }
        return &slot.value;
    }

    void Store(const Key& key, const Value& value) {
        if (!slots_)
            slots_ = std::make_unique<Slot[]>(Slots);
        const std::uint64_t hash = HashOf(key);
        Slot& slot = slots_[IndexOf(hash)];
        slot.tag = TagOf(hash);
        slot.key = key;
        slot.value = value;
    }

    static std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

  private:
    struct Slot {
        std::uint64_t tag = 0;  // 0: empty
        Key key{};
        Value value{};
    };

    // Each word is mixed on its own (no chain through the words), then the
    // sum is mixed once.
    static std::uint64_t HashOf(const Key& key) {
        std::uint64_t hash = 0;
        for (std::size_t w = 0; w < KeyWords; ++w) {
            const std::uint64_t word = key[w] ^ (key[w] >> 31);
            hash += std::rotl(word * 0x9E3779B97F4A7C15u, static_cast<int>((w * 13) % 64));
        }
        hash ^= hash >> 32;
        hash *= 0xD6E8FEB86659FD93u;
        return hash ^ (hash >> 29);
    }
    static std::size_t IndexOf(std::uint64_t hash) {
        return static_cast<std::size_t>(hash & (Slots - 1));
    }
    // Never 0, so an empty slot matches no key.
    static std::uint64_t TagOf(std::uint64_t hash) { return hash | 1u; }

    std::unique_ptr<Slot[]> slots_;
};

}  // namespace kivo
