#pragma once
// Hands the newest live view from the thread that makes views to the
// threads that stream them to pages.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "tools/live_view.h"

namespace scenario::tools {

class LiveHub {
public:
  void publish(std::shared_ptr<const LiveView> view);
  std::shared_ptr<const LiveView> current() const;
  // The newest view when it is newer than version `seen`, waiting at most
  // `timeout` for one; none after the wait, or once the hub has stopped.
  std::shared_ptr<const LiveView> next(uint64_t seen, std::chrono::milliseconds timeout);
  // Wakes every waiting stream for good.
  void stop();
  bool stopped() const;

private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::shared_ptr<const LiveView> view_;
  bool stopped_ = false;
};

}  // namespace scenario::tools
