#pragma once
// The line reader written the plain byte-by-byte way: the model the program's quick
// reader must match, for the tests and the fuzz targets alike.

#include <string_view>
#include <vector>

#include "sections/TextLineReader.h"

namespace tarnex::model {

// Take a byte; stop after an LF; drop CR and LF; stop as soon as the line holds
// limit + 1 characters; the end flag when no byte was left to take.
inline std::vector<TextLine> LinesByteWise(std::string_view bytes, size_t limit) {
    std::vector<TextLine> lines;
    size_t pos = 0;
    for (;;) {
        TextLine line;
        for (;;) {
            if (pos >= bytes.size()) {
                line.endOfFile = true;
                break;
            }
            char c = bytes[pos++];
            if (c == '\n') {
                break;
            }
            if (c != '\r') {
                line.text.push_back(c);
            }
            if (line.text.size() > limit) {
                break;
            }
        }
        lines.push_back(line);
        if (line.endOfFile) {
            return lines;
        }
    }
}

}  // namespace tarnex::model
