// The files of events a position keeps: appended and flushed, and a record torn by a
// crash in the middle of an append cut off at the next reading.

#include <gtest/gtest.h>

#include "../ScratchFolder.h"
#include "net/EventFile.h"

using namespace tarnex;
using namespace tarnex::testing;

TEST(EventFiles, ATornLastRecordIsCutOffAndTheRestKept) {
    ScratchFolder scratch;
    const std::string path = scratch.Folder() + "coda.evt";
    EventFile file(path);
    ASSERT_TRUE(file.Load().has_value());
    ASSERT_TRUE(file.Append({{0, "TXE1O3:RUN,1:1,"}, {7, std::string("a\r\nb\0c", 6)}}));
    const std::string whole = *ReadFileBytes(path);
    // Every cut of the last record leaves the first one and nothing else.
    const size_t firstEnd = whole.find("TXE1O3:RUN,1:1,\r\n") + 17;
    for (size_t cut = firstEnd; cut < whole.size(); ++cut) {
        ASSERT_TRUE(WriteFileAtomically(path, whole.substr(0, cut)));
        std::optional<EventFile::Loaded> loaded = file.Load();
        ASSERT_TRUE(loaded.has_value());
        EXPECT_EQ(loaded->events, (std::vector<StoredEvent>{{0, "TXE1O3:RUN,1:1,"}})) << cut;
        EXPECT_EQ(loaded->repaired, cut != firstEnd);
        EXPECT_EQ(*ReadFileBytes(path), whole.substr(0, firstEnd));
    }
    ASSERT_TRUE(WriteFileAtomically(path, whole));
    EXPECT_EQ(file.Load()->events.size(), 2u);
    ASSERT_TRUE(WriteFileAtomically(path, "something else\r\n"));
    EXPECT_FALSE(file.Load().has_value());
}
