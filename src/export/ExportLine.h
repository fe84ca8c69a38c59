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

    // Where the next byte goes. The writer keeps it in a variable of its own while it
    // builds the line (so that the compiler holds it in a register: a store of a byte
    // may be a store into any object, this one's own members included) and hands it
    // back with End.
    class Cursor {
      public:
        explicit Cursor(char* at) : at_(at) {}
        void Put(std::string_view text) {
            CopySmall(at_, text.data(), text.size());
            at_ += text.size();
        }
        void Put(char c) { *at_++ = c; }
        // Exactly N bytes, N known when compiled (a fixed move or two).
        template <size_t N>
        void PutFixed(const char* from) {
            std::memcpy(at_, from, N);
            at_ += N;
        }
        // Up to sixteen spaces are one store of sixteen (the buffer keeps room after any
        // line for the bytes past its end), so that a field's padding costs no call.
        void Spaces(size_t n) {
            static constexpr char kSixteen[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                                  ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
            if (n <= sizeof kSixteen) {
                std::memcpy(at_, kSixteen, sizeof kSixteen);
            } else {
                std::memset(at_, ' ', n);
            }
            at_ += n;
        }
        // The text and spaces after it up to `width` (never cut).
        void Padded(std::string_view text, size_t width) {
            Put(text);
            if (text.size() < width) {
                Spaces(width - text.size());
            }
        }
        // A number of at most four digits (the lengths of the texts a line copies).
        void Number(size_t value) {
            if (value < 10) {
                *at_++ = static_cast<char>('0' + value);
            } else if (value < 100) {
                *at_++ = static_cast<char>('0' + value / 10);
                *at_++ = static_cast<char>('0' + value % 10);
            } else {
                at_ = std::to_chars(at_, at_ + 20, value).ptr;
            }
        }
        char* At() const { return at_; }
        // Goes back to an earlier place, dropping what followed.
        void MoveTo(char* at) { at_ = at; }

      private:
        char* at_;
    };

    Cursor Start() { return Cursor(buffer_); }
    void End(const Cursor& cursor) { end_ = cursor.At(); }
    void AppendTo(std::string& out) const { out.append(buffer_, static_cast<size_t>(end_ - buffer_)); }

  private:
    char buffer_[kCapacity];
    char* end_ = buffer_;
};

}  // namespace tarnex
