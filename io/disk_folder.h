#pragma once
#include <filesystem>

#include "io/folder.h"

namespace scenario {

// A real directory.
class DiskFolder : public Folder {
public:
  explicit DiskFolder(std::filesystem::path root);

  bool exists(const std::string& name) override;
  std::string read(const std::string& name) override;
  void remove(const std::string& name) override;
  std::vector<std::string> list() override;
  void create(const std::string& name) override;
  void write(const std::string& name, std::string_view bytes) override;
  void flush(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;

  const std::filesystem::path& root() const { return root_; }

private:
  std::string path_of(const std::string& name) const;
  std::filesystem::path root_;
};

// The folder that holds the running executable.
std::filesystem::path executable_folder();

}  // namespace scenario
