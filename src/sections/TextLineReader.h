#pragma once
// The byte-wise line reader shared by every text file the program reads.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnex {

// A file's bytes being read line by line.
class TextSource {
public:
    explicit TextSource(std::string_view bytes) : bytes_(bytes) {}
    bool NextByte(char& c) {
        if (pos_ >= bytes_.size()) {
            return false;
        }
        c = bytes_[pos_++];
        return true;
    }
    size_t position() const { return pos_; }
    // The bytes not read yet, and a step over n of them.
    std::string_view Rest() const { return bytes_.substr(pos_); }
    void Skip(size_t n) { pos_ += n; }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

struct TextLine {
    std::string text;
    bool endOfFile = false;  // the last read attempt gave no byte
};

// Reads bytes up to and including an LF, dropping every CR and LF, and stops early
// as soon as the line holds limit + 1 characters (the rest is the next line).
TextLine ReadTextLine(TextSource& source, size_t limit);
// The same into a line that is reused from one call to the next (no allocation once
// its text has grown to the longest line).
void ReadTextLine(TextSource& source, size_t limit, TextLine& line);

}  // namespace tarnex
