#pragma once
// One line (or record) of an export built in a buffer of fixed size with plain stores,
// then added to the file's bytes in one piece: a line of a dozen short pieces costs
// far less this way than a dozen appends to a growing text.

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "util/SmallCopy.h"

namespace tarnex {

class ExportLine {
  public:
    static constexpr size_t kCapacity = 1024;
    // The bytes a line may take beyond the texts it copies (tags, padding, numbers).
    static constexpr size_t kOwnBytes = 256;

    // True when a line whose copied texts hold this many bytes in all fits; the writer
    // takes its plain way otherwise.
    static bool Fits(size_t textBytes) { return textBytes <= kCapacity - kOwnBytes; }

    void Put(std::string_view text) {
        CopySmall(end_, text.data(), text.size());
        end_ += text.size();
    }
    void Put(char c) { *end_++ = c; }
    void Spaces(size_t n) {
        std::memset(end_, ' ', n);
        end_ += n;
    }
    // The text and spaces after it up to `width` (never cut).
    void Padded(std::string_view text, size_t width) {
        Put(text);
        if (text.size() < width) {
            Spaces(width - text.size());
        }
    }
    void Number(size_t value) {
        if (value < 10) {
            *end_++ = static_cast<char>('0' + value);
        } else if (value < 100) {
            *end_++ = static_cast<char>('0' + value / 10);
            *end_++ = static_cast<char>('0' + value % 10);
        } else {
            end_ = std::to_chars(end_, buffer_ + kCapacity, value).ptr;
        }
    }
    // Drops what was built after the first `size` bytes.
    void Truncate(size_t size) { end_ = buffer_ + size; }
    // The piece from `from` of the line built so far.
    char* At(size_t from) { return buffer_ + from; }
    size_t Size() const { return static_cast<size_t>(end_ - buffer_); }
    void AppendTo(std::string& out) const { out.append(buffer_, Size()); }

  private:
    char buffer_[kCapacity];
    char* end_ = buffer_;
};

}  // namespace tarnex
