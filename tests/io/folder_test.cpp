#include <gtest/gtest.h>

#include <algorithm>
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

// Whatever stands at the final name or at a name like a scratch file's (a
// link to a file outside the folder, a file of someone else's), the bytes
// land in a regular file of the run's own inside the folder, the file a link
// points at is never touched, and an entry at a scratch-like name stays as
// it was.
TEST(ReplaceFile, NeverWritesThroughALink) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    std::string at;  // the name something is planted under
    bool link;       // a link to the victim, or a regular file
  };
  const std::string name = "out.dat";
  const Case cases[] = {{"link at the final name", name, true},
                        {"link at a scratch-like name", ".out.dat.part", true},
                        {"file at a scratch-like name", ".out.dat.part", false},
                        {"link at a backup-like name", ".out.dat.old", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder outside, dir;
    outside.write("victim", "precious");
    dir.write(name, "older bytes");
    if (c.link) {
      if (c.at == name) fs::remove(dir.path() / name);
      fs::create_symlink(outside.path() / "victim", dir.path() / c.at);
    } else {
      dir.write(c.at, "someone's");
    }
    DiskFolder folder(dir.path());
    replace_file(folder, name, "new bytes");
    replace_files(folder, {{name, [](const ByteSink& put) { put("newer bytes"); }}});
    EXPECT_EQ(outside.read("victim"), "precious");
    EXPECT_FALSE(fs::is_symlink(dir.path() / name));
    EXPECT_EQ(dir.read(name), "newer bytes");
    std::vector<std::string> left = {name};
    if (c.at != name) left.insert(left.begin(), c.at);
    EXPECT_EQ(dir.names(), left);
    if (c.at != name) {
      EXPECT_EQ(fs::is_symlink(dir.path() / c.at), c.link);
    }
  }
}

// Once a run holds a folder's lock, the scratch and backup files of a run
// that was killed go; links and files that only look like them stay.
TEST(FolderLock, RemovesWhatAKilledRunLeft) {
  namespace fs = std::filesystem;
  test::TempFolder outside, dir;
  outside.write("victim", "precious");
  const std::string stale_scratch = scratch_name("out.dat", "Ab3xYz"), stale_backup = backup_name("out.dat", "k9K9k9");
  dir.write(stale_scratch, "half written");
  dir.write(stale_backup, "older");
  fs::create_symlink(outside.path() / "victim", dir.path() / scratch_name("out.sim", "linked"));
  const std::vector<std::string> kept = {".out.dat.part", ".out.dat.x.part", "out.dat"};
  for (const std::string& name : kept) dir.write(name, "someone's");
  { FolderLock lock(dir.path(), true, nullptr); }
  std::vector<std::string> left = kept;
  left.push_back(scratch_name("out.sim", "linked"));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(dir.names(), left);
  EXPECT_EQ(outside.read("victim"), "precious");
}

// Scratch and backup names: hidden, of their file, and told apart from
// names that only look like them.
TEST(ScratchNames, AreKnownForWhatTheyAre) {
  EXPECT_EQ(scratch_name("out.dat", "Ab3xYz"), ".out.dat.Ab3xYz.part");
  EXPECT_EQ(backup_name("out.dat", "Ab3xYz"), ".out.dat.Ab3xYz.old");
  EXPECT_TRUE(is_scratch_name(".out.dat.Ab3xYz.part", "out.dat"));
  EXPECT_TRUE(is_scratch_name(".out.dat.Ab3xYz.old", "out.dat"));
  EXPECT_FALSE(is_scratch_name(".out.dat.Ab3xYz.part", "out.sim"));
  for (const char* look_alike : {".out.dat.part", ".out.dat.old", ".out.dat.Ab3x-z.part", "out.dat.Ab3xYz.part",
                                 ".out.datAb3xYz.part", ".Ab3xYz.part"})
    EXPECT_FALSE(is_scratch_name(look_alike)) << look_alike;
}

// A final name near the longest a file system takes still gets a scratch name
// it takes, distinct for names that differ only at the end.
TEST(ReplaceFile, NamesUpToTheLongestAreWritten) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  const std::string a = std::string(251, 'r') + ".dat", b = std::string(251, 'r') + ".sim";
  EXPECT_NE(scratch_name(a, "Ab3xYz"), scratch_name(b, "Ab3xYz"));
  EXPECT_LE(scratch_name(a, "Ab3xYz").size(), 255u);
  EXPECT_TRUE(is_scratch_name(scratch_name(a, "Ab3xYz"), a));
  EXPECT_FALSE(is_scratch_name(scratch_name(a, "Ab3xYz"), b));
  replace_file(folder, a, "a");
  replace_file(folder, b, "b");
  EXPECT_EQ(dir.read(a), "a");
  EXPECT_EQ(dir.read(b), "b");
  EXPECT_EQ(dir.names().size(), 2u);
}

}  // namespace
}  // namespace scenario
