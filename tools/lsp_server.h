#pragma once
// `scenario-tool lsp`: a language server for the description texts over
// standard input and output. Compiles run in memory on a thread of their
// own, so that hovers, completions and the outline are answered while one
// runs (from the last finished compile); a compile whose texts changed while
// it ran publishes nothing, the newer one does. It never writes a file.

#include <condition_variable>
#include <deque>
#include <istream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "tools/lsp_diagnostics.h"
#include "tools/lsp_documents.h"
#include "tools/lsp_messages.h"

namespace scenario::tools::lsp {

class Server {
public:
  explicit Server(std::ostream& out);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Reads and answers messages until `exit` or the end of `in`. The exit
  // status: 0 for an exit after shutdown, else 1.
  int run(std::istream& in);

  // Takes one message; false once it was `exit`.
  bool take(const Incoming& message);
  // Blocks until every compile asked for so far has finished (for tests).
  void settle();

private:
  enum class State { kNew, kRunning, kShutDown };

  Json answer(const std::string& method, const Json& params);
  void notified(const std::string& method, const Json& params);
  void send(const Json& message);
  void log_error(const std::string& message);

  void schedule(const std::string& uri);
  void compile_loop();
  void publish(const TextDiagnostics& d);

  // The last finished compile of the open text `uri`, and which of its texts
  // that is; throws the protocol's error for a text that is not open, that
  // cannot be compiled, or that has no line `p` (as the editor has it now).
  std::pair<std::shared_ptr<const PairAnalysis>, TextId> compiled(const std::string& uri, std::optional<Position> p);

  std::ostream& out_;
  std::mutex out_mutex_;
  State state_ = State::kNew;

  std::mutex mutex_;  // guards everything below
  std::condition_variable wake_;
  std::condition_variable idle_;
  OpenTexts texts_;
  std::deque<std::string> queue_;  // open texts to compile, each once
  bool busy_ = false;
  bool stop_ = false;
  std::map<std::string, std::shared_ptr<const PairAnalysis>> compiled_;  // by the URI of each of its texts
  std::thread worker_;
};

// Runs a server on `in` and `out`; answers its exit status.
int run_lsp(std::istream& in, std::ostream& out);

}  // namespace scenario::tools::lsp
