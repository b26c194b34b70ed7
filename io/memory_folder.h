#pragma once
#include <map>

#include "io/folder.h"

namespace scenario {

// A folder held in memory: for tests and for compiling without touching disk.
class MemoryFolder : public Folder {
public:
  bool exists(const std::string& name) override;
  std::string read(const std::string& name) override;
  void remove(const std::string& name) override;
  void create(const std::string& name) override;
  void write(const std::string& name, std::string_view bytes) override;
  void flush(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;
  void keep_copy(const std::string& name, const std::string& copy) override;

  std::map<std::string, std::string>& files() { return files_; }
  const std::map<std::string, std::string>& files() const { return files_; }

private:
  std::map<std::string, std::string> files_;
};

}  // namespace scenario
