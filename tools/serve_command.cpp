#include "tools/serve_command.h"

#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/random.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>

#include "tools/live_hub.h"
#include "tools/live_page.h"
#include "tools/text_options.h"
#include "tools/text_watch.h"

extern char** environ;

namespace scenario::tools {
namespace {

constexpr int kFailure = 1;
constexpr char kHost[] = "127.0.0.1";
// A save often comes as several events (a rename, then the folder's other
// files); the texts are read once the folder has been quiet this long.
constexpr int kSettleMs = 40;
constexpr auto kLongestSettle = std::chrono::milliseconds(250);
// How often a stream with nothing new sends a comment line: writing is how a
// page that has gone is noticed, and its thread freed.
constexpr auto kStreamPulse = std::chrono::seconds(1);

// SIGINT and SIGTERM, delivered as a descriptor to poll, for the life of the
// server; SIGPIPE ignored, as a page may close while it is being written to.
class StopSignals {
public:
  StopSignals() {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, &saved_mask_);  // before any thread starts, so that all inherit it
    fd_ = signalfd(-1, &stop, SFD_CLOEXEC);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "signalfd");
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &saved_pipe_);
  }
  ~StopSignals() {
    ::close(fd_);
    sigaction(SIGPIPE, &saved_pipe_, nullptr);
    pthread_sigmask(SIG_SETMASK, &saved_mask_, nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  int fd() const { return fd_; }
  // Takes the pending stop signal, so that it is not delivered once unblocked.
  void take() const {
    signalfd_siginfo info;
    [[maybe_unused]] const ssize_t n = ::read(fd_, &info, sizeof info);
  }

private:
  int fd_ = -1;
  sigset_t saved_mask_{};
  struct sigaction saved_pipe_ {};
};

std::string make_nonce() {
  unsigned char bytes[16];
  if (getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes))
    throw std::system_error(errno, std::generic_category(), "getrandom");
  static const char kHex[] = "0123456789abcdef";
  std::string nonce;
  for (unsigned char b : bytes) nonce += {kHex[b >> 4], kHex[b & 15]};
  return nonce;
}

void security_headers(httplib::Response& res) {
  res.set_header("Cache-Control", "no-store");
  res.set_header("X-Content-Type-Options", "nosniff");
  res.set_header("Referrer-Policy", "no-referrer");
}

// The page as it is. Given whole, the library would compress it for a
// browser that accepts Brotli, at the slowest setting: on the loopback that
// costs a second and saves nothing. A body of known length it sends as it is.
void send_as_is(httplib::Response& res, std::string body, const char* type) {
  auto shared = std::make_shared<const std::string>(std::move(body));
  res.set_content_provider(shared->size(), type, [shared](size_t offset, size_t length, httplib::DataSink& sink) {
    return sink.write(shared->data() + offset, length);
  });
}

void serve_page(const LiveTexts& texts, const LiveHub& hub, httplib::Response& res) {
  const std::string nonce = make_nonce();
  security_headers(res);
  res.set_header("Content-Security-Policy", content_security_policy(nonce));
  send_as_is(res, live_page(texts, *hub.current(), nonce), "text/html; charset=utf-8");
}

// The update stream: the newest view at once, then every newer one.
void serve_stream(LiveHub& hub, httplib::Response& res) {
  security_headers(res);
  auto seen = std::make_shared<uint64_t>(0);
  res.set_chunked_content_provider("text/event-stream", [&hub, seen](size_t, httplib::DataSink& sink) {
    std::shared_ptr<const LiveView> view = hub.next(*seen, kStreamPulse);
    if (hub.stopped()) {
      sink.done();
      return true;
    }
    std::string event = ": waiting for a save\n\n";
    if (view) {
      event = (*seen == 0 ? "retry: 1000\n" : "") + std::string("data: ") + live_update(*view) + "\n\n";
      *seen = view->version;
    }
    return sink.write(event.data(), event.size());
  });
}

// Only the page and its stream, and only for requests addressed to this
// machine by name or number: a page elsewhere that has a name of its own
// resolve to 127.0.0.1 gets nothing.
void route(httplib::Server& server, const LiveTexts& texts, LiveHub& hub, int port) {
  const std::string ours[] = {std::string(kHost) + ":" + std::to_string(port), "localhost:" + std::to_string(port)};
  server.set_pre_routing_handler([ours](const httplib::Request& req, httplib::Response& res) {
    const std::string host = req.get_header_value("Host");
    if (host == ours[0] || host == ours[1]) return httplib::Server::HandlerResponse::Unhandled;
    security_headers(res);
    res.status = 403;
    res.set_content("Forbidden: this server answers only requests to " + ours[0] + "\n", "text/plain");
    return httplib::Server::HandlerResponse::Handled;
  });
  server.Get("/", [&](const httplib::Request&, httplib::Response& res) { serve_page(texts, hub, res); });
  server.Get("/events", [&](const httplib::Request&, httplib::Response& res) { serve_stream(hub, res); });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    security_headers(res);
    if (res.body.empty()) res.set_content("Not found\n", "text/plain");
  });
  server.set_keep_alive_timeout(1);
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
}

// The server bound to 127.0.0.1 at `port` (0: one the system picks); the
// port it has, or 0 or less when it cannot be had.
int bind_loopback(httplib::Server& server, int port) {
  // The library would also share the port with any other socket that asks
  // (SO_REUSEPORT), so that a second server on a taken port would get half
  // of its requests. Only a closed server's lingering port is reused.
  server.set_socket_options([](socket_t sock) {
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  if (port == 0) return server.bind_to_any_port(kHost);
  return server.bind_to_port(kHost, port) ? port : -1;
}

// The thread that serves, once the server runs: a stop before that would
// not reach it, and the join would wait for ever.
std::thread start(httplib::Server& server) {
  auto listened = std::make_shared<std::atomic<bool>>(false);
  std::thread listener([&server, listened] {
    server.listen_after_bind();
    *listened = true;
  });
  while (!server.is_running() && !*listened) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return listener;
}

// Compiles the texts again after every save, until a stop signal comes.
void follow(TextWatch& watch, const StopSignals& stop, const LiveTexts& texts, LiveHub& hub) {
  using Clock = std::chrono::steady_clock;
  pollfd fds[2] = {{watch.fd(), POLLIN, 0}, {stop.fd(), POLLIN, 0}};
  bool saved = false;         // a save not yet compiled
  Clock::time_point since{};  // when it was seen
  for (;;) {
    const int n = ::poll(fds, 2, saved ? kSettleMs : -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::system_error(errno, std::generic_category(), "poll");
    if (fds[1].revents & POLLIN) return stop.take();
    if (n > 0) {
      if (watch.changed() && !saved) {
        saved = true;
        since = Clock::now();
      }
      // A folder that is never quiet (a build writing beside the texts) still gets its compile.
      if (!saved || Clock::now() - since < kLongestSettle) continue;
    }
    saved = false;
    hub.publish(std::make_shared<const LiveView>(make_view(texts, hub.current().get())));
  }
}

// The desktop's browser, through xdg-open; a failure is only noted.
pid_t open_in_browser(const std::string& url, std::ostream& err) {
  pid_t pid = -1;
  const char* argv[] = {"xdg-open", url.c_str(), nullptr};
  const int e = posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ);
  if (e != 0) {
    err << "scenario-tool: cannot run xdg-open: " << std::strerror(e) << "; open " << url << " yourself\n";
    return -1;
  }
  return pid;
}

}  // namespace

void add_serve(CLI::App& app, ServeOptions& o) {
  CLI::App* s = app.add_subcommand("serve",
                                   "Show the route sheet, errors and warnings of two texts as a page "
                                   "on 127.0.0.1, redrawn on every save; nothing is written");
  add_text_options(*s, o.line_path, o.service_path, o.encoding);
  s->add_option("--port", o.port, "the port to listen on; 0: one the system picks")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  s->add_flag("--open", o.open, "open the page in the desktop's browser (xdg-open)");
  s->footer(
      "Only the page (/) and its update stream (/events) are served, to this machine alone.\n"
      "Ctrl-C or SIGTERM stops the server.\n"
      "Exit status: 0 stopped, 1 the texts' folders cannot be watched or the port cannot be had.");
}

int run_serve(const ServeOptions& o, std::ostream& out, std::ostream& err) {
  const LiveTexts texts{o.line_path, o.service_path, o.encoding};
  StopSignals signals;
  std::unique_ptr<TextWatch> watch;
  try {
    watch = std::make_unique<TextWatch>(std::vector<std::string>{o.line_path, o.service_path});
  } catch (const std::system_error& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return kFailure;
  }
  LiveHub hub;
  hub.publish(std::make_shared<const LiveView>(make_view(texts, nullptr)));
  httplib::Server server;
  const int port = bind_loopback(server, o.port);
  if (port <= 0) {
    err << "scenario-tool: cannot listen on " << kHost << ":" << o.port << " (is the port taken?)\n";
    return kFailure;
  }
  route(server, texts, hub, port);
  std::thread listener = start(server);
  const std::string url = "http://" + std::string(kHost) + ":" + std::to_string(port) + "/";
  out << "Serving the live route sheet at " << url << " (Ctrl-C stops)" << std::endl;
  const pid_t opener = o.open ? open_in_browser(url, err) : -1;
  follow(*watch, signals, texts, hub);
  hub.stop();
  server.stop();
  listener.join();
  if (opener > 0) ::waitpid(opener, nullptr, WNOHANG);
  out << "Stopped." << std::endl;
  return 0;
}

}  // namespace scenario::tools
