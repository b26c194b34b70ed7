// The watch on the texts: each way an editor saves is seen, other files of
// the folder are not.
#include <poll.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "tools/text_watch.h"
#include <gtest/gtest.h>

namespace scenario::test {
namespace {

// Whether the watch reports a change within a second.
bool seen(tools::TextWatch& watch) {
  pollfd fd{watch.fd(), POLLIN, 0};
  for (int i = 0; i < 10; ++i) {
    if (::poll(&fd, 1, 100) > 0 && watch.changed()) return true;
  }
  return false;
}

TEST(TextWatch, SeesEverySaveOfAWatchedTextAndNothingElse) {
  struct Case {
    const char* what;
    void (*save)(const TempFolder& dir);
    bool watched;
  };
  const Case cases[] = {
      {"written in place", [](const TempFolder& d) { d.write("line.txt", "b"); }, true},
      {"renamed over",
       [](const TempFolder& d) {
         d.write("line.txt.tmp", "c");
         std::filesystem::rename(d.path() / "line.txt.tmp", d.path() / "line.txt");
       },
       true},
      {"removed", [](const TempFolder& d) { std::filesystem::remove(d.path() / "service.txt"); }, true},
      {"made again", [](const TempFolder& d) { d.write("service.txt", "d"); }, true},
      {"another file", [](const TempFolder& d) { d.write("notes.txt", "e"); }, false},
  };
  TempFolder dir;
  dir.write("line.txt", "a");
  dir.write("service.txt", "a");
  tools::TextWatch watch({(dir.path() / "line.txt").string(), (dir.path() / "service.txt").string()});
  for (const Case& c : cases) {
    c.save(dir);
    EXPECT_EQ(seen(watch), c.watched) << c.what;
  }
}

TEST(TextWatch, RefusesAFolderThatDoesNotExist) {
  TempFolder dir;
  const std::string path = (dir.path() / "gone" / "line.txt").string();
  EXPECT_THROW(tools::TextWatch({path}), std::system_error);
}

}  // namespace
}  // namespace scenario::test
