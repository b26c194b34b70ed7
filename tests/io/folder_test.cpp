#include <gtest/gtest.h>

#include "io/disk_folder.h"
#include "io/faulty_folder.h"
#include "io/memory_folder.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

TEST(ReplaceFile, WritesWholeFileAndLeavesNoScratch) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  dir.write("a.bin", std::string(1000, 'x'));
  replace_file(folder, "a.bin", "short");
  EXPECT_EQ(dir.read("a.bin"), "short");
  EXPECT_EQ(folder.list(), std::vector<std::string>{"a.bin"});
}

TEST(ReplaceFile, EveryFailingStepKeepsTheOldFileAndRemovesTheScratch) {
  for (long n = 1; n <= 4; ++n) {
    MemoryFolder memory;
    memory.files()["a.bin"] = "old content";
    FaultyFolder faulty(memory);
    faulty.fail_at(n);
    EXPECT_THROW(replace_file(faulty, "a.bin", "new"), FolderError) << "operation " << n;
    EXPECT_EQ(memory.files().size(), 1u) << "operation " << n;
    EXPECT_EQ(memory.files()["a.bin"], "old content") << "operation " << n;
  }
}

TEST(ReplaceFile, ReportsTheFileAndTheSystemReason) {
  test::TempFolder dir;
  DiskFolder folder(dir.path() / "missing-subfolder");
  try {
    replace_file(folder, "a.bin", "x");
    FAIL() << "no error";
  } catch (const FolderError& e) {
    EXPECT_EQ(std::string(e.what()), "cannot write 'a.bin': No such file or directory");
  }
}

}  // namespace
}  // namespace scenario
