// create_files: a set of new files that either all take their names or
// leave the folder as it was, and never replace a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "io/disk_folder.h"
#include "io/faulty_folder.h"
#include "io/memory_folder.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

std::vector<FileToReplace> two_files() {
  return {{"a.txt", [](const ByteSink& sink) { sink("first"); }},
          {"b.txt", [](const ByteSink& sink) { sink("second"); }}};
}

TEST(CreateFiles, EveryFailingStepLeavesTheFolderAsItWas) {
  // Three steps per scratch file, then one rename per file.
  for (long n = 1; n <= 8; ++n) {
    MemoryFolder memory;
    memory.files()["other.txt"] = "kept";
    FaultyFolder faulty(memory);
    faulty.fail_at(n);
    EXPECT_THROW(create_files(faulty, two_files()), FolderError) << "operation " << n;
    EXPECT_EQ(test::nomi(memory), std::vector<std::string>{"other.txt"}) << "operation " << n;
  }
}

TEST(CreateFiles, OnDiskATakenNameIsNeverReplacedWhateverHoldsIt) {
  namespace fs = std::filesystem;
  for (const char* holder : {"file", "link to a file", "link to nowhere"}) {
    SCOPED_TRACE(holder);
    test::TempFolder dir;
    dir.write("mine.txt", "the author's");
    const std::string what(holder);
    if (what == "file") dir.write("b.txt", "the author's");
    if (what == "link to a file") fs::create_symlink("mine.txt", dir.path() / "b.txt");
    if (what == "link to nowhere") fs::create_symlink("nowhere", dir.path() / "b.txt");

    DiskFolder folder(dir.path());
    try {
      create_files(folder, two_files());
      FAIL() << "no error";
    } catch (const FolderError& e) {
      EXPECT_EQ(std::string(e.what()), "cannot create 'b.txt': File exists");
    }
    EXPECT_EQ(dir.read("mine.txt"), "the author's");
    EXPECT_FALSE(fs::exists(dir.path() / "a.txt"));
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"b.txt", "mine.txt"}));
    if (what == "file") {
      EXPECT_EQ(dir.read("b.txt"), "the author's");
    } else {
      EXPECT_TRUE(fs::is_symlink(dir.path() / "b.txt"));
    }
  }
}

TEST(CreateFiles, NewNamesAreWrittenWhole) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  create_files(folder, two_files());
  EXPECT_EQ(dir.read("a.txt"), "first");
  EXPECT_EQ(dir.read("b.txt"), "second");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

}  // namespace
}  // namespace scenario
