#pragma once
// Listening mode: every heard callsign with the bands and modes it was heard calling
// on, how often it was heard answering, and the section it sent.

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ContestRules.h"

namespace tarnex {

// 32 bytes: two entries to a cache line, the callsign's bytes among them.
struct alignas(32) CallIndexEntry {
    // A callsign's bytes: up to kInline of them held in place (zero-padded, the length
    // in the last byte), longer ones in a block of their own, never cut. Two callsigns
    // held in place compare as two words.
    class Call {
      public:
        static constexpr size_t kInline = 15;

        Call() = default;
        explicit Call(std::string_view bytes) { Assign(bytes); }
        Call(const Call& other) { Assign(other.View()); }
        Call(Call&& other) noexcept : words_(other.words_) { other.words_ = {}; }
        Call& operator=(const Call& other);
        Call& operator=(Call&& other) noexcept;
        Call& operator=(std::string_view bytes);
        ~Call() { Release(); }

        std::string_view View() const {
            return IsLong() ? std::string_view(LongBytes(), LongSize())
                            : std::string_view(reinterpret_cast<const char*>(words_.data()), words_[1] >> 56);
        }
        operator std::string_view() const { return View(); }
        size_t size() const { return View().size(); }
        bool empty() const { return words_[1] == 0; }

        friend bool operator==(const Call& a, const Call& b) { return Same(a.words_, b.words_); }
        friend bool operator==(const Call& a, std::string_view b) { return a.View() == b; }
        friend std::strong_ordering operator<=>(const Call& a, const Call& b) {
            return a.View() <=> b.View();
        }

        // The two words a callsign of these bytes has (for a long one, the first word
        // points at the bytes given, which must outlive the words).
        using Words = std::array<uint64_t, 2>;
        static Words WordsOf(std::string_view bytes) {
            const char* p = bytes.data();
            const size_t n = bytes.size();
            if (n > kInline) {
                return {reinterpret_cast<uint64_t>(p), kLongMark | n};
            }
            const uint64_t length = uint64_t{n} << 56;
            if (n > 8) {
                return {Load8(p), LoadUpTo8(p + 8, n - 8) | length};
            }
            return {LoadUpTo8(p, n), length};
        }
        static bool Same(const Words& a, const Words& b) {
            return a[1] == b[1] && ((a[1] & kLongMark) != kLongMark ? a[0] == b[0] : SameLong(a, b));
        }
        static bool IsLong(const Words& words) { return (words[1] & kLongMark) == kLongMark; }
        const Words& AsWords() const { return words_; }

      private:
        static constexpr uint64_t kLongMark = uint64_t{0xFF} << 56;
        bool IsLong() const { return IsLong(words_); }
        static uint64_t Load8(const char* p) {
            uint64_t word = 0;
            std::memcpy(&word, p, 8);
            return word;
        }
        static uint32_t Load4(const char* p) {
            uint32_t word = 0;
            std::memcpy(&word, p, 4);
            return word;
        }
        // Bytes p[0..n) (n <= 8) in the low bytes of a word, zeros above: two
        // overlapping loads where there are four bytes or more.
        static uint64_t LoadUpTo8(const char* p, size_t n) {
            if (n == 8) {
                return Load8(p);
            }
            if (n >= 4) {
                return Load4(p) | (uint64_t{Load4(p + n - 4)} << (8 * (n - 4)));
            }
            if (n == 0) {
                return 0;
            }
            return static_cast<unsigned char>(p[0]) |
                   (uint64_t{static_cast<unsigned char>(p[n / 2])} << (8 * (n / 2))) |
                   (uint64_t{static_cast<unsigned char>(p[n - 1])} << (8 * (n - 1)));
        }
        static bool SameLong(const Words& a, const Words& b);
        const char* LongBytes() const { return reinterpret_cast<const char*>(words_[0]); }
        size_t LongSize() const { return static_cast<size_t>(words_[1] & ~kLongMark); }
        void Assign(std::string_view bytes);
        void Release();

        Words words_{};
    };

    Call callsign;
    std::array<uint8_t, kModeCount> callingBands{};  // per mode: band bits heard calling
    std::array<uint8_t, kBandCount> answerCounts{};  // per band: 2 bits per mode, 0..3 answers
    int32_t section = 0;

    bool HeardCalling(int band, int mode) const;
    void MarkCalling(int band, int mode);
    int AnswerCount(int band, int mode) const;
    void SetAnswerCount(int band, int mode, int count);
    // One more answer on a band and mode, staying at kAnswersPerBandMode.
    void AddAnswer(int band, int mode);
    bool operator==(const CallIndexEntry&) const = default;
};

// Callsigns compared byte for byte (no case folding). Lookups take constant time
// (an open-addressing table of hashes beside the entries), so that evaluating a
// callsign and loading or rebuilding a log of 100,000 entries do not slow down with
// the log's size; iteration is in ascending byte order of the callsign. An entry stays
// where it is while others are added (pointers to it stay valid until Clear).
class CallIndex {
  public:
    CallIndex() = default;
    CallIndex(const CallIndex&) = delete;
    CallIndex& operator=(const CallIndex&) = delete;

    const CallIndexEntry* Find(std::string_view callsign) const;
    CallIndexEntry* Find(std::string_view callsign);
    // Adds the entry, or replaces the entry of that callsign.
    CallIndexEntry& Put(CallIndexEntry entry);
    // The callsign's entry, added with nothing marked when there is none (`added`
    // says so): one look-up where Find and Put take two.
    CallIndexEntry& FindOrAdd(std::string_view callsign, bool& added) {
        return FindOrAdd(callsign, KeyOf(callsign), added);
    }
    // A callsign made ready for look-ups: its two words and its hash, computed once.
    // The key of a long callsign points at the bytes it was made from.
    struct Key {
        CallIndexEntry::Call::Words words;
        uint64_t hash = 0;
    };
    static Key KeyOf(std::string_view callsign) {
        Key key{CallIndexEntry::Call::WordsOf(callsign)};
        key.hash = CallIndexEntry::Call::IsLong(key.words)
                       ? LongHash(callsign)
                       : Fold(key.words[0] ^ Rotate(key.words[1], 29), 0x9E3779B97F4A7C15ull);
        return key;
    }
    // The same with the key of `callsign` at hand.
    CallIndexEntry& FindOrAdd(std::string_view callsign, const Key& key, bool& added) {
        if ((size_ + 1) * kSlotsPerEntry > slots_.size()) {
            Grow();
        }
        const size_t at = SlotOf(key);
        added = slots_[at].entry == 0;
        return added ? Add(at, callsign, key.hash) : At(slots_[at].entry - 1);
    }
    // Makes room for this many callsigns in all, so that adding them does not grow the
    // table on the way.
    void Reserve(size_t count);
    // Asks the processor to fetch where a look-up of the hash will read, so that a
    // look-up a few rows later finds it at hand: the place in the table, or, once that
    // has arrived, the entry it names. Always inlined: a call of a function that only
    // reads and prefetches may be dropped by the compiler as one without effect.
    [[gnu::always_inline]] void Prefetch(const Key& key, bool entry) const {
        if (slots_.empty()) {
            return;
        }
        const Slot& slot = slots_[HomeOf(TagOf(key.hash))];
        if (!entry) {
            __builtin_prefetch(&slot);
        } else if (slot.entry != 0 && slot.tag == TagOf(key.hash)) {
            __builtin_prefetch(&At(slot.entry - 1));
        }
    }
    void Clear();
    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }

    // Ascending iteration (values are CallIndexEntry).
    template <typename F>
    void ForEach(F&& f) const {
        std::vector<const CallIndexEntry*> sorted;
        sorted.reserve(size_);
        for (size_t i = 0; i < size_; ++i) {
            sorted.push_back(&At(i));
        }
        std::sort(sorted.begin(), sorted.end(), [](const CallIndexEntry* a, const CallIndexEntry* b) {
            return a->callsign.View() < b->callsign.View();
        });
        for (const CallIndexEntry* entry : sorted) {
            f(*entry);
        }
    }

  private:
    // One place of the table: the upper half of the callsign's hash, whose leading bits
    // are the place it starts from, and the entry's position + 1 (0: empty). The table
    // grows without reading the entries.
    struct Slot {
        uint32_t tag = 0;
        uint32_t entry = 0;
    };
    // The entries are kept in blocks that never move.
    static constexpr unsigned kBlockBits = 10;
    static constexpr size_t kBlockSize = size_t{1} << kBlockBits;

    // The table is kept at most a third full: at that, most look-ups find their place
    // at the first try.
    static constexpr size_t kSlotsPerEntry = 3;

    const CallIndexEntry& At(size_t i) const { return blocks_[i >> kBlockBits][i & (kBlockSize - 1)]; }
    CallIndexEntry& At(size_t i) { return blocks_[i >> kBlockBits][i & (kBlockSize - 1)]; }
    static uint32_t TagOf(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }
    size_t HomeOf(uint32_t tag) const { return static_cast<size_t>(uint64_t{tag} >> shift_); }
    static uint64_t Rotate(uint64_t x, int n) { return (x << n) | (x >> (64 - n)); }
    static uint64_t Fold(uint64_t x, uint64_t k) {
        __extension__ using Wide = unsigned __int128;
        const Wide p = static_cast<Wide>(x) * k;
        return static_cast<uint64_t>(p) ^ static_cast<uint64_t>(p >> 64);
    }
    static uint64_t Mix(uint64_t h) {
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ull;
        h ^= h >> 33;
        return h;
    }
    static uint64_t LongHash(std::string_view callsign);
    // The place holding the callsign, or the empty place where it would go.
    size_t SlotOf(const Key& key) const {
        const size_t mask = slots_.size() - 1;
        const uint32_t tag = TagOf(key.hash);
        for (size_t at = HomeOf(tag);; at = (at + 1) & mask) {
            const Slot slot = slots_[at];
            if (slot.entry == 0 ||
                (slot.tag == tag &&
                 CallIndexEntry::Call::Same(At(slot.entry - 1).callsign.AsWords(), key.words))) {
                return at;
            }
        }
    }
    // Doubles the table (or makes the first one).
    void Grow();
    void Resize(size_t slots);
    // A new entry for the callsign at the empty place `at`.
    CallIndexEntry& Add(size_t at, std::string_view callsign, uint64_t hash);
    CallIndexEntry& AddAt(size_t at, uint64_t hash);

    std::vector<std::unique_ptr<CallIndexEntry[]>> blocks_;
    size_t size_ = 0;
    std::vector<Slot> slots_;  // a power of two long, at most half full
    unsigned shift_ = 32;      // 32 - log2(slots_.size()): the tag's bits past the place
};

}  // namespace tarnex
