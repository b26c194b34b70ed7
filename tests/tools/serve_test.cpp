// scenario-tool serve as a running process: where it listens, what it
// answers, and how it stops.
#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <mutex>
#include <regex>
#include <thread>

#include "tool_harness.h"

extern char** environ;

namespace scenario::test {
namespace {

// The tool serving the built-in texts, its first line of output read.
class Server {
public:
  explicit Server(const std::filesystem::path& dir, const std::vector<std::string>& more = {},
                  const char* path_variable = nullptr) {
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string line = (dir / "line.txt").string(), service = (dir / "service.txt").string();
    std::vector<const char*> argv = {SCENARIO_TOOL_EXE, "serve", line.c_str(), service.c_str()};
    for (const std::string& word : more) argv.push_back(word.c_str());
    argv.push_back(nullptr);
    std::vector<const char*> env;
    for (char** e = environ; *e; ++e)
      if (!path_variable || !std::string_view(*e).starts_with("PATH=")) env.push_back(*e);
    if (path_variable) env.push_back(path_variable);
    env.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&pid_, SCENARIO_TOOL_EXE, &actions, nullptr, const_cast<char* const*>(argv.data()),
                          const_cast<char* const*>(env.data())),
              0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = out[0];
    first_line_ = read_line();
  }
  ~Server() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }

  const std::string& first_line() const { return first_line_; }
  int port() const {
    std::smatch m;
    return std::regex_search(first_line_, m, std::regex(R"(127\.0\.0\.1:(\d+)/)")) ? std::stoi(m[1]) : -1;
  }
  std::string read_line() {
    std::string line;
    char c;
    while (::read(out_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  // The exit status after `signal`, or -1 when it has not ended within 5 s.
  int stop(int signal) {
    kill(pid_, signal);
    for (int i = 0; i < 500; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }

private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string first_line_;
};

class Serve : public ::testing::Test {
protected:
  void SetUp() override {
    dir_.write("line.txt", built_in_line_text());
    dir_.write("service.txt", built_in_service_text());
  }
  TempFolder dir_;
};

// Every listening TCP socket on `port`, as "address:port" in the hex of /proc/net.
std::vector<std::string> listeners(const char* table, int port) {
  char wanted[8];
  std::snprintf(wanted, sizeof wanted, ":%04X", port);
  std::vector<std::string> found;
  std::ifstream in(table);
  std::string sl, local, remote, state, rest;
  std::getline(in, rest);
  while (in >> sl >> local >> remote >> state && std::getline(in, rest))
    if (state == "0A" && local.ends_with(wanted)) found.push_back(local);
  return found;
}

TEST_F(Serve, ListensOnLoopbackOnly) {
  Server server(dir_.path());
  const int port = server.port();
  ASSERT_GT(port, 0) << server.first_line();
  EXPECT_EQ(server.first_line(),
            "Serving the live route sheet at http://127.0.0.1:" + std::to_string(port) + "/ (Ctrl-C stops)");
  char loopback[16];
  std::snprintf(loopback, sizeof loopback, "0100007F:%04X", port);
  EXPECT_EQ(listeners("/proc/net/tcp", port), std::vector<std::string>{loopback});
  EXPECT_EQ(listeners("/proc/net/tcp6", port), std::vector<std::string>{});
  EXPECT_EQ(server.stop(SIGTERM), 0);
}

TEST_F(Serve, AnswersThePageWithItsPolicyAndNothingElse) {
  Server server(dir_.path());
  httplib::Client client("127.0.0.1", server.port());
  httplib::Result page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
  std::smatch nonce;
  const std::string policy = page->get_header_value("Content-Security-Policy");
  ASSERT_TRUE(std::regex_search(policy, nonce, std::regex("^default-src 'none'; script-src 'nonce-([0-9a-f]{32})'")))
      << policy;
  EXPECT_NE(page->body.find("<script nonce=\"" + nonce[1].str() + "\">"), std::string::npos);
  EXPECT_NE(page->body.find("<g class=\"station\" data-m=\"0\"><title>Valmora: position 0 m"), std::string::npos);
  EXPECT_NE(client.Get("/")->get_header_value("Content-Security-Policy"), policy) << "a fresh nonce per page";

  for (const char* path :
       {"/index.html", "/events/", "/favicon.ico", "/sheet.svg", "/../line.txt", "/%2e%2e/line.txt", "//events"}) {
    httplib::Result r = client.Get(path);
    ASSERT_TRUE(r) << path;
    EXPECT_EQ(r->status, 404) << path;
    EXPECT_EQ(r->body, "Not found\n") << path;
  }
  httplib::Result posted = client.Post("/", "x", "text/plain");
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 404);
  EXPECT_EQ(server.stop(SIGINT), 0);
}

TEST_F(Serve, RefusesRequestsAddressedToAnotherName) {
  Server server(dir_.path());
  httplib::Client client("127.0.0.1", server.port());
  httplib::Result r = client.Get("/", {{"Host", "rebound.example:" + std::to_string(server.port())}});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 403);
  EXPECT_EQ(r->body,
            "Forbidden: this server answers only requests to 127.0.0.1:" + std::to_string(server.port()) + "\n");
  httplib::Result by_name = client.Get("/", {{"Host", "localhost:" + std::to_string(server.port())}});
  ASSERT_TRUE(by_name);
  EXPECT_EQ(by_name->status, 200);
}

TEST_F(Serve, StreamsTheViewAndStopsWithAStreamOpen) {
  Server server(dir_.path());
  httplib::Client client("127.0.0.1", server.port());
  std::mutex mutex;
  std::string received;
  std::thread reader([&] {
    client.Get("/events", [&](const char* data, size_t length) {
      std::lock_guard lock(mutex);
      received.append(data, length);
      return true;
    });
  });
  const auto first_event = [&] {
    std::lock_guard lock(mutex);
    return received.find("\n\n") != std::string::npos;
  };
  for (int i = 0; i < 200 && !first_event(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(server.stop(SIGTERM), 0);
  reader.join();
  ASSERT_TRUE(received.starts_with("retry: 1000\ndata: {")) << received.substr(0, 80);
  EXPECT_NE(received.find("\"version\":1}"), std::string::npos);
  EXPECT_EQ(received.find('\n', 12), received.find("\n\n"));  // the view is one line
  EXPECT_EQ(server.read_line(), "Stopped.");
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"line.txt", "service.txt"})) << "it writes nothing";
}

TEST_F(Serve, RefusesAPortThatIsTaken) {
  Server first(dir_.path());
  const std::string port = std::to_string(first.port());
  const ToolRun second =
      run_tool({"serve", (dir_.path() / "line.txt").string(), (dir_.path() / "service.txt").string(), "--port", port});
  EXPECT_EQ(second.status, 1);
  EXPECT_EQ(second.err, "scenario-tool: cannot listen on 127.0.0.1:" + port + " (is the port taken?)\n");
}

TEST_F(Serve, RefusesTextsInAFolderThatDoesNotExist) {
  const std::string gone = (dir_.path() / "gone").string();
  const ToolRun run = run_tool({"serve", gone + "/line.txt", (dir_.path() / "service.txt").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: cannot watch '" + gone + "': No such file or directory\n");
}

TEST_F(Serve, OpensThePageWithXdgOpen) {
  dir_.write("xdg-open", "#!/bin/sh\necho \"$1\" >\"${0%/*}/opened\"\n");
  std::filesystem::permissions(dir_.path() / "xdg-open", std::filesystem::perms::owner_all);
  const std::string path = "PATH=" + dir_.path().string();
  Server server(dir_.path(), {"--open"}, path.c_str());
  const auto opened = [&] { return dir_.exists("opened") && dir_.read("opened").ends_with("\n"); };
  for (int i = 0; i < 500 && !opened(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(opened());
  EXPECT_EQ(dir_.read("opened"), "http://127.0.0.1:" + std::to_string(server.port()) + "/\n");
  EXPECT_EQ(server.stop(SIGTERM), 0);
}

}  // namespace
}  // namespace scenario::test
