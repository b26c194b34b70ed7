#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

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
  EXPECT_EQ(dir.names(), std::vector<std::string>{"a.bin"});
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

// The open descriptors of this process.
size_t open_descriptors() {
  return size_t(
      std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

// The file being written stays open between create and flush; files written
// around it, a removal of it and the folder's end must all still work.
TEST(DiskFolder, TheFileBeingWrittenStaysOpenWithoutChangingWhatLands) {
  test::TempFolder dir;
  const size_t before = open_descriptors();
  {
    DiskFolder folder(dir.path());
    folder.create("a");
    folder.write("a", "1");
    folder.create("b");  // a is written on by name from here
    folder.write("a", "2");
    folder.write("b", "x");
    folder.write("b", "y");
    folder.flush("a");
    folder.rename("b", "c");  // renamed while still open
    EXPECT_EQ(dir.read("a"), "12");
    EXPECT_EQ(dir.read("c"), "xy");

    folder.create("d");
    folder.write("d", "lost");
    folder.remove("d");
    EXPECT_FALSE(folder.exists("d"));
    EXPECT_THROW(folder.write("d", "again"), FolderError);

    folder.create("e");  // left open: the folder closes it when it ends
  }
  EXPECT_EQ(open_descriptors(), before);
}

TEST(DiskFolder, AFileWrittenInManyPiecesLandsWhole) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  std::string atteso;
  replace_file_streamed(folder, "p.bin", [&](const ByteSink& sink) {
    for (int i = 0; i < 1000; ++i) {
      std::string piece(size_t(i % 37) + 1, char('a' + i % 26));
      atteso += piece;
      sink(piece);
    }
  });
  EXPECT_EQ(dir.read("p.bin"), atteso);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"p.bin"});
}

// Whatever stands at the scratch name or the final name (a link to a file
// outside the folder, a dangling link, a stale scratch file), the bytes land
// in a regular file inside the folder and the file a link points at is never
// touched.
TEST(ReplaceFile, NeverWritesThroughALink) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    std::string at;  // the name something is planted under
    bool link;       // a link to the victim, or a stale regular file
  };
  const std::string name = "out.dat";
  const Case cases[] = {{"link at the scratch name", scratch_name(name), true},
                        {"link at the final name", name, true},
                        {"stale scratch file", scratch_name(name), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder outside, dir;
    outside.write("victim", "precious");
    if (c.link) {
      fs::create_symlink(outside.path() / "victim", dir.path() / c.at);
    } else {
      dir.write(c.at, "left by a killed run");
    }
    DiskFolder folder(dir.path());
    replace_file(folder, name, "new bytes");
    EXPECT_EQ(outside.read("victim"), "precious");
    EXPECT_FALSE(fs::is_symlink(dir.path() / name));
    EXPECT_EQ(dir.read(name), "new bytes");
    EXPECT_EQ(dir.names(), std::vector<std::string>{name});
  }
}

// A final name near the longest a file system takes still gets a scratch name
// it takes, distinct for names that differ only at the end.
TEST(ReplaceFile, NamesUpToTheLongestAreWritten) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  const std::string a = std::string(251, 'r') + ".dat", b = std::string(251, 'r') + ".sim";
  EXPECT_NE(scratch_name(a), scratch_name(b));
  EXPECT_LE(scratch_name(a).size(), 255u);
  replace_file(folder, a, "a");
  replace_file(folder, b, "b");
  EXPECT_EQ(dir.read(a), "a");
  EXPECT_EQ(dir.read(b), "b");
  EXPECT_EQ(dir.names().size(), 2u);
}

}  // namespace
}  // namespace scenario
