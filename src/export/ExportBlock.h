#pragma once
// The lines of an export gathered in a block of fixed size, then handed to the export's
// sink a block at a time: each line is written with plain stores where the block's
// cursor stands, and the file's bytes grow by one addition of several hundred lines
// instead of one per line.

#include <cstddef>
#include <cstring>
#include <memory>

#include "export/ExportLine.h"
#include "export/ExportSink.h"

namespace tarnex {

class ExportBlock {
  public:
    explicit ExportBlock(ExportSink& out)
        : out_(out), capacity_(out.BlockSize()), bytes_(std::make_unique_for_overwrite<char[]>(capacity_)) {}

    // A cursor at the block's start. The writer keeps it in a variable of its own while
    // it writes (see ExportLine::Cursor) and hands it to Room and Flush.
    ExportLine::Cursor Start() { return ExportLine::Cursor(bytes_.get()); }

    // A cursor with room after it for one line that ExportLine takes (ExportLine::Fits,
    // the bytes a fixed store may write past the line's end included): `at` itself, or,
    // when the block is too full, a cursor after what is left of it once the sink took
    // what it takes at once.
    ExportLine::Cursor Room(ExportLine::Cursor at) {
        if (static_cast<size_t>(bytes_.get() + capacity_ - at.At()) >= ExportLine::kCapacity) {
            return at;
        }
        return AddPieces(at);
    }

    // Adds the block's bytes up to `at` to the sink; the block is then empty (write on
    // from Start()).
    void Flush(ExportLine::Cursor at) {
        at = AddPieces(at);
        if (at.At() != bytes_.get()) {
            out_.Add(std::string_view(bytes_.get(), static_cast<size_t>(at.At() - bytes_.get())));
        }
    }

  private:
    // Hands the bytes up to `at` to the sink and moves what it left (less than one of its
    // pieces) to the block's start; the cursor after it.
    ExportLine::Cursor AddPieces(ExportLine::Cursor at) {
        const auto size = static_cast<size_t>(at.At() - bytes_.get());
        const size_t taken = out_.AddSome(bytes_.get(), size);
        std::memmove(bytes_.get(), bytes_.get() + taken, size - taken);
        return ExportLine::Cursor(bytes_.get() + (size - taken));
    }

    ExportSink& out_;
    size_t capacity_;
    std::unique_ptr<char[]> bytes_;
};

}  // namespace tarnex
