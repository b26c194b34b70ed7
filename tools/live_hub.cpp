#include "tools/live_hub.h"

namespace scenario::tools {

void LiveHub::publish(std::shared_ptr<const LiveView> view) {
  {
    std::lock_guard lock(mutex_);
    view_ = std::move(view);
  }
  changed_.notify_all();
}

std::shared_ptr<const LiveView> LiveHub::current() const {
  std::lock_guard lock(mutex_);
  return view_;
}

std::shared_ptr<const LiveView> LiveHub::next(uint64_t seen, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  const bool newer = changed_.wait_for(lock, timeout, [&] { return stopped_ || (view_ && view_->version > seen); });
  return newer && !stopped_ ? view_ : nullptr;
}

void LiveHub::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

bool LiveHub::stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

}  // namespace scenario::tools
