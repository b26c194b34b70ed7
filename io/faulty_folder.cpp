#include "io/faulty_folder.h"

namespace scenario {

void FaultyFolder::count(const char* operation, const std::string& name) {
  ++count_;
  bool fails = fail_at_ > 0 && (count_ == fail_at_ || (persistent_ && count_ > fail_at_));
  if (fails) throw FolderError(operation, name, "Input/output error (injected)");
}

std::string FaultyFolder::read(const std::string& name) {
  count("read", name);
  return inner_.read(name);
}

void FaultyFolder::remove(const std::string& name) {
  count("delete", name);
  inner_.remove(name);
}

void FaultyFolder::create(const std::string& name) {
  count("create", name);
  inner_.create(name);
}

void FaultyFolder::write(const std::string& name, std::string_view bytes) {
  count("write", name);
  inner_.write(name, bytes);
}

void FaultyFolder::flush(const std::string& name) {
  count("flush", name);
  inner_.flush(name);
}

void FaultyFolder::rename(const std::string& from, const std::string& to) {
  count("replace", to);
  inner_.rename(from, to);
}

void FaultyFolder::rename_new(const std::string& from, const std::string& to) {
  count("create", to);
  inner_.rename_new(from, to);
}

void FaultyFolder::keep_copy(const std::string& name, const std::string& copy) {
  count("keep", name);
  inner_.keep_copy(name, copy);
}

}  // namespace scenario
