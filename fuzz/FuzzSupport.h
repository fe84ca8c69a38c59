#pragma once
// What the fuzz targets share: a check that stops the run with a message, the line
// reader written the plain byte-by-byte way (the model the program's reader must
// match), and a scratch folder.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ByteWiseLines.h"
#include "sections/TextLineReader.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace tarnex::fuzz {

using model::LinesByteWise;

// The program's reader must give the same lines.
inline void CheckLineReader(std::string_view bytes, size_t limit) {
    std::vector<TextLine> expected = LinesByteWise(bytes, limit);
    TextSource source(bytes);
    for (const TextLine& want : expected) {
        TextLine got = ReadTextLine(source, limit);
        FUZZ_CHECK(got.text == want.text);
        FUZZ_CHECK(got.endOfFile == want.endOfFile);
    }
}

// A folder of its own for the whole run (in memory when /dev/shm is there), removed
// at exit.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                      : std::filesystem::temp_directory_path().string();
        std::string pattern = base + "/tarnex-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }
    // Removes everything in the folder.
    void Empty() const {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ignored)) {
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }

  private:
    std::string path_;
};

inline void PutFile(const std::string& path, std::string_view bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    if (!bytes.empty()) {
        FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    }
    std::fclose(file);
}

}  // namespace tarnex::fuzz
