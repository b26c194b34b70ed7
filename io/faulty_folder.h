#pragma once
#include "io/folder.h"

namespace scenario {

// Wraps another folder and makes chosen operations fail, as a full disk or a
// vanished file would. Counted operations: read, delete, create, write, flush
// rename, rename_new and keep_copy (exists is a question, not an operation,
// and never fails).
class FaultyFolder : public Folder {
public:
  explicit FaultyFolder(Folder& inner) : inner_(inner) {}

  // Operation number `n` (1-based) fails; with `persistent`, every one from it on.
  void fail_at(long n, bool persistent = false) {
    fail_at_ = n;
    persistent_ = persistent;
  }
  long operations() const { return count_; }

  bool exists(const std::string& name) override { return inner_.exists(name); }
  std::string read(const std::string& name) override;
  void remove(const std::string& name) override;
  void create(const std::string& name) override;
  void write(const std::string& name, std::string_view bytes) override;
  void flush(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;
  void rename_new(const std::string& from, const std::string& to) override;
  void sync_folder() override { inner_.sync_folder(); }  // never made to fail
  void keep_copy(const std::string& name, const std::string& copy) override;

private:
  void count(const char* operation, const std::string& name);

  Folder& inner_;
  long count_ = 0;
  long fail_at_ = 0;
  bool persistent_ = false;
};

}  // namespace scenario
