#pragma once
// A fresh directory under the system's temporary folder, removed afterwards.

#include <filesystem>
#include <string>
#include <vector>

#include "io/memory_folder.h"

namespace scenario::test {

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string read(const std::string& name) const;
  void write(const std::string& name, const std::string& bytes) const;
  bool exists(const std::string& name) const;
  // The names of the entries in the folder, sorted.
  std::vector<std::string> names() const;

private:
  std::filesystem::path path_;
};

// The names of the files in a folder held in memory, sorted.
std::vector<std::string> nomi(const MemoryFolder& folder);

}  // namespace scenario::test
