#include "sections/TextLineReader.h"

namespace tarnex {

TextLine ReadTextLine(TextSource& source, size_t limit) {
    TextLine line;
    char c = 0;
    for (;;) {
        if (!source.NextByte(c)) {
            line.endOfFile = true;
            break;
        }
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
    return line;
}

}  // namespace tarnex
