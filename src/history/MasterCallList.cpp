#include "history/MasterCallList.h"

#include <algorithm>

#include "history/HistoryRecord.h"
#include "util/FileIo.h"

namespace tarnex {

bool IsItalianCall(std::string_view call) {
    return !call.empty() && call.front() == 'I' && IsHistoryCall(call);
}

std::vector<std::string> ItalianMasterCalls(std::string_view bytes) {
    std::vector<std::string> calls;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t lf = bytes.find('\n', pos);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::optional<std::string> call = HistoryCall(line.substr(0, line.find('\r')));
        if (call && call->front() == 'I') {
            calls.push_back(std::move(*call));
        }
    }
    std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    return calls;
}

std::optional<std::vector<std::string>> LoadMasterCalls(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return ItalianMasterCalls(*bytes);
}

}  // namespace tarnex
