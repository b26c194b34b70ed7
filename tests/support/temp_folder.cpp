#include "support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenario::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "scenario-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + name);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out << bytes;
}

bool TempFolder::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

std::vector<std::string> TempFolder::names() const {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    found.push_back(entry.path().filename().string());
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> nomi(const MemoryFolder& folder) {
  std::vector<std::string> found;
  for (const auto& [name, bytes] : folder.files()) found.push_back(name);
  return found;
}

}  // namespace scenario::test
