#pragma once
// Where the bytes of an export go as they are made: into a text in memory
// (StringExportSink) or straight into the file being written (FileExportSink).

#include <cstddef>
#include <string_view>

namespace tarnex {

class ExportSink {
  public:
    virtual ~ExportSink() = default;

    // The size of the blocks of lines an export gathers before it hands them over.
    virtual size_t BlockSize() const { return 64 * 1024; }

    // Adds these bytes after those added so far.
    virtual void Add(std::string_view bytes) = 0;

    // Adds the first bytes of these, as many as the sink takes at once (all of them, or
    // only whole pieces of a size of its own), and gives how many it took; the caller
    // keeps the rest and adds it later.
    virtual size_t AddSome(const char* bytes, size_t size) {
        Add(std::string_view(bytes, size));
        return size;
    }
};

}  // namespace tarnex
