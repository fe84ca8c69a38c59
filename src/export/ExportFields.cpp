#include "export/ExportFields.h"

namespace tarnex {

std::string_view SliceOf(std::string_view text, size_t from, size_t count) {
    if (from >= text.size()) {
        return {};
    }
    return text.substr(from, count);
}

void AppendPadded(std::string& out, std::string_view text, size_t width) {
    out.append(text);
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}

void AppendRightAligned(std::string& out, std::string_view text, size_t width) {
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out.append(text);
}

std::string RearrangedDate(std::string_view date, std::string_view separator) {
    std::string out;
    AppendRearrangedDate(out, date, separator);
    return out;
}

void AppendRearrangedDate(std::string& out, std::string_view date, std::string_view separator) {
    out.append(SliceOf(date, 6, 4));
    out.append(separator);
    out.append(SliceOf(date, 3, 2));
    out.append(separator);
    out.append(SliceOf(date, 0, 2));
}

}  // namespace tarnex
