#pragma once
// Watches the files an author edits for a finished save: a file written and
// closed, or renamed into place (how many editors save), created or removed.
// The folders are watched rather than the files, so that a file replaced by
// a rename, or missing for a moment, is still followed by its name.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace scenario::tools {

class TextWatch {
public:
  // Throws std::system_error when the system cannot watch a file's folder.
  explicit TextWatch(const std::vector<std::string>& paths);
  ~TextWatch();
  TextWatch(const TextWatch&) = delete;
  TextWatch& operator=(const TextWatch&) = delete;

  // A descriptor that becomes readable when something happened in a folder.
  int fd() const { return fd_; }
  // Reads what happened, without waiting; true when it concerns a watched file.
  bool changed();

private:
  int fd_ = -1;
  std::map<int, std::set<std::string>> names_;  // per watched folder, the file names watched in it
};

}  // namespace scenario::tools
