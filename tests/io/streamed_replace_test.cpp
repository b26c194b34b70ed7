// The crash-safe replace with content handed over piece by piece.

#include <gtest/gtest.h>

#include "io/disk_folder.h"
#include "io/faulty_folder.h"
#include "io/memory_folder.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

TEST(ReplaceFileStreamed, ThePiecesBecomeTheWholeNewFile) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  dir.write("a.bin", std::string(5000, 'x'));
  replace_file_streamed(folder, "a.bin", [](const ByteSink& sink) {
    sink("one,");
    sink("");
    sink("two,");
    sink(std::string(3, '\0'));
  });
  EXPECT_EQ(dir.read("a.bin"), std::string("one,two,") + std::string(3, '\0'));
  EXPECT_EQ(dir.names(), std::vector<std::string>{"a.bin"});
}

TEST(ReplaceFileStreamed, AFailureAtAnyStepKeepsTheOldFileAndRemovesTheScratch) {
  // create, three writes, flush, rename: six operations.
  for (long n = 1; n <= 6; ++n) {
    MemoryFolder memory;
    memory.files()["a.bin"] = "old content";
    FaultyFolder faulty(memory);
    faulty.fail_at(n);
    try {
      replace_file_streamed(faulty, "a.bin", [](const ByteSink& sink) {
        for (const char* piece : {"p1", "p2", "p3"}) sink(piece);
      });
      ADD_FAILURE() << "operation " << n << ": no error";
    } catch (const FolderError& e) {
      EXPECT_EQ(e.file(), "a.bin") << "operation " << n;
    }
    EXPECT_EQ(memory.files().size(), 1u) << "operation " << n;
    EXPECT_EQ(memory.files()["a.bin"], "old content") << "operation " << n;
  }
}

TEST(ReplaceFileStreamed, AProducerThatGivesUpLeavesTheOldFileAndItsErrorPassesOn) {
  MemoryFolder memory;
  memory.files()["a.bin"] = "old content";
  EXPECT_THROW(replace_file_streamed(memory, "a.bin",
                                     [](const ByteSink& sink) {
                                       sink("half");
                                       throw std::length_error("too long");
                                     }),
               std::length_error);
  EXPECT_EQ(memory.files().size(), 1u);
  EXPECT_EQ(memory.files()["a.bin"], "old content");
}

}  // namespace
}  // namespace scenario
