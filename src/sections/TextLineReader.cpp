#include "sections/TextLineReader.h"

#include <cstring>

namespace tarnex {

TextLine ReadTextLine(TextSource& source, size_t limit) {
    TextLine line;
    ReadTextLine(source, limit, line);
    return line;
}

// Byte by byte this is: take a byte; stop after an LF; drop CR and LF; stop as soon as
// the line holds limit + 1 characters; flag the end when no byte was left to take.
// Here the stretch up to the next LF is copied a run at a time, CRs left out.
void ReadTextLine(TextSource& source, size_t limit, TextLine& line) {
    line.text.clear();
    line.endOfFile = false;
    const std::string_view rest = source.Rest();
    const char* begin = rest.data();
    const void* lf = std::memchr(begin, '\n', rest.size());
    const size_t stretch =
        lf == nullptr ? rest.size() : static_cast<size_t>(static_cast<const char*>(lf) - begin);
    size_t room = limit + 1;  // characters the line may still take
    size_t pos = 0;
    while (pos < stretch) {
        const void* cr = std::memchr(begin + pos, '\r', stretch - pos);
        const size_t runEnd =
            cr == nullptr ? stretch : static_cast<size_t>(static_cast<const char*>(cr) - begin);
        const size_t run = runEnd - pos;
        if (run >= room) {
            line.text.append(begin + pos, room);
            source.Skip(pos + room);
            return;
        }
        line.text.append(begin + pos, run);
        room -= run;
        pos = cr == nullptr ? runEnd : runEnd + 1;
    }
    if (lf == nullptr) {
        source.Skip(rest.size());
        line.endOfFile = true;
        return;
    }
    source.Skip(stretch + 1);  // the LF
}

}  // namespace tarnex
