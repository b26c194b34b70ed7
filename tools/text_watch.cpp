#include "tools/text_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace scenario::tools {
namespace {

constexpr uint32_t kSaves = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE;

}  // namespace

TextWatch::TextWatch(const std::vector<std::string>& paths) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "inotify");
  for (const std::string& path : paths) {
    const std::filesystem::path p(path);
    const std::string folder = p.has_parent_path() ? p.parent_path().string() : std::string(".");
    const int wd = inotify_add_watch(fd_, folder.c_str(), kSaves);
    if (wd < 0) {
      const int e = errno;
      ::close(fd_);
      throw std::system_error(e, std::generic_category(), "cannot watch '" + folder + "'");
    }
    names_[wd].insert(p.filename().string());
  }
}

TextWatch::~TextWatch() { ::close(fd_); }

bool TextWatch::changed() {
  alignas(inotify_event) char buffer[16 * 1024];
  bool ours = false;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) return ours;  // nothing more to read (EAGAIN), or the watch is gone
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += ssize_t(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) ours = true;  // events were lost: look again
      if (event->len == 0) continue;
      auto folder = names_.find(event->wd);
      if (folder != names_.end() && folder->second.count(event->name)) ours = true;
    }
  }
}

}  // namespace scenario::tools
