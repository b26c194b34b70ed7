#pragma once
// A fresh directory under the system's temporary folder, removed afterwards.

#include <filesystem>
#include <string>

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

private:
  std::filesystem::path path_;
};

}  // namespace scenario::test
