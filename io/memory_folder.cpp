#include "io/memory_folder.h"

namespace scenario {

bool MemoryFolder::exists(const std::string& name) { return files_.count(name) != 0; }

std::string MemoryFolder::read(const std::string& name) {
  auto it = files_.find(name);
  if (it == files_.end()) throw FolderError("read", name, "No such file or directory");
  return it->second;
}

void MemoryFolder::remove(const std::string& name) {
  if (files_.erase(name) == 0) throw FolderError("delete", name, "No such file or directory");
}

void MemoryFolder::create(const std::string& name) {
  if (!files_.emplace(name, std::string()).second) throw FolderError("create", name, "File exists");
}

void MemoryFolder::write(const std::string& name, std::string_view bytes) {
  auto it = files_.find(name);
  if (it == files_.end()) throw FolderError("write", name, "No such file or directory");
  it->second.append(bytes);
}

void MemoryFolder::flush(const std::string& name) {
  if (!exists(name)) throw FolderError("flush", name, "No such file or directory");
}

void MemoryFolder::rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end()) throw FolderError("replace", to, "No such file or directory");
  std::string content = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(content);
}

void MemoryFolder::keep_copy(const std::string& name, const std::string& copy) {
  auto it = files_.find(name);
  if (it == files_.end()) throw FolderError("keep", name, "No such file or directory");
  if (!files_.emplace(copy, it->second).second) throw FolderError("keep", name, "File exists");
}

}  // namespace scenario
