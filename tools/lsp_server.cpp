#include "tools/lsp_server.h"

#include <algorithm>
#include <exception>

#include "tools/lsp_features.h"

namespace scenario::tools::lsp {
namespace {

// A request the server answers with an error.
struct RpcError {
  int code;
  std::string message;
};

RpcError bad_params(const std::string& message) { return {kInvalidParams, message}; }

const Json& member(const Json& j, const char* key, const char* where) {
  if (!j.is_object() || !j.contains(key)) throw bad_params(std::string(where) + " has no '" + key + "'");
  return j[key];
}

std::string uri_param(const Json& params) {
  const Json& uri = member(member(params, "textDocument", "params"), "uri", "textDocument");
  if (!uri.is_string()) throw bad_params("textDocument.uri is not a string");
  return uri.get<std::string>();
}

size_t count_param(const Json& j, const char* key) {
  const Json& v = member(j, key, "position");
  if (!v.is_number_unsigned() && !(v.is_number_integer() && v.get<int64_t>() >= 0))
    throw bad_params(std::string("position.") + key + " is not a number from 0");
  return v.get<size_t>();
}

Position position_param(const Json& params) {
  const Json& p = member(params, "position", "params");
  return {count_param(p, "line"), count_param(p, "character")};
}

std::string text_param(const Json& j, const char* where) {
  const Json& text = member(j, "text", where);
  if (!text.is_string()) throw bad_params(std::string(where) + ".text is not a string");
  return text.get<std::string>();
}

int64_t version_param(const Json& document) {
  const Json& v = member(document, "version", "textDocument");
  if (!v.is_number_integer()) throw bad_params("textDocument.version is not an integer");
  return v.get<int64_t>();
}

Json capabilities() {
  return {{"capabilities",
           {{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
            {"hoverProvider", true},
            {"completionProvider", {{"resolveProvider", false}}},
            {"documentSymbolProvider", true},
            {"definitionProvider", true}}},
          {"serverInfo", {{"name", "scenario-tool"}, {"version", SCENARIO_VERSION}}}};
}

}  // namespace

Server::Server(std::ostream& out) : out_(out), worker_([this] { compile_loop(); }) {}

Server::~Server() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

int Server::run(std::istream& in) {
  FrameReader reader(in);
  for (;;) {
    Frame frame = reader.next();
    if (frame.kind == Frame::kEnd) return 1;
    if (frame.kind != Frame::kBody) {
      send(frame_error(frame));
      continue;
    }
    if (!take(read_incoming(frame.body))) return state_ == State::kShutDown ? 0 : 1;
  }
}

bool Server::take(const Incoming& m) {
  switch (m.kind) {
    case Incoming::kInvalid: send(m.answer); return true;
    case Incoming::kReply: return true;
    case Incoming::kNotification:
      if (m.method == "exit") return false;
      try {
        notified(m.method, m.params);
      } catch (const RpcError& e) {
        log_error(m.method + ": " + e.message);
      }
      return true;
    case Incoming::kRequest: try { send(result_answer(m.id, answer(m.method, m.params)));
      } catch (const RpcError& e) {
        send(error_answer(m.id, e.code, e.message));
      } catch (const std::exception& e) {
        send(error_answer(m.id, kInternalError, e.what()));
      }
      return true;
  }
  return true;
}

Json Server::answer(const std::string& method, const Json& params) {
  if (method == "initialize") {
    if (state_ != State::kNew) throw RpcError{kInvalidRequest, "the server is already initialised"};
    state_ = State::kRunning;
    return capabilities();
  }
  if (state_ == State::kNew) throw RpcError{kServerNotInitialized, "the server is not initialised yet"};
  if (state_ == State::kShutDown) throw RpcError{kInvalidRequest, "the server is shutting down"};
  if (method == "shutdown") {
    state_ = State::kShutDown;
    return nullptr;
  }
  if (method == "textDocument/completion") {
    const std::string uri = uri_param(params);
    const Position p = position_param(params);
    std::lock_guard lock(mutex_);
    const OpenText* t = texts_.find(uri);
    if (!t) throw bad_params("the text " + uri + " is not open");
    if (t->text.refusal) throw RpcError{kRequestFailed, t->text.refusal->message};
    const SourceMap map(*t->text.bytes);
    const std::optional<size_t> at = offset_of(map, *t->text.bytes, p);
    if (!at) throw bad_params("line " + std::to_string(p.line) + " is past the end of the text");
    const size_t line_start = map.start(std::min(p.line + 1, map.lines()));
    return completion(role_of(t->path), std::string_view(*t->text.bytes).substr(line_start, *at - line_start));
  }
  const bool positioned = method == "textDocument/hover" || method == "textDocument/definition";
  if (positioned || method == "textDocument/documentSymbol") {
    const std::string uri = uri_param(params);
    const std::optional<Position> p = positioned ? std::optional(position_param(params)) : std::nullopt;
    auto [pair, id] = compiled(uri, p);
    if (!pair) return positioned ? Json(nullptr) : Json::array();
    const Analysis& a = pair->analysis;
    if (!p) return document_symbols(a, id);
    const std::string& bytes = *a.text(id).bytes;
    const std::optional<size_t> at = offset_of(SourceMap(bytes), bytes, *p);
    if (!at) throw bad_params("line " + std::to_string(p->line) + " is past the end of the text");
    if (method == "textDocument/hover") return hover(a, id, *at);
    const std::string& other = id == TextId::kLine ? pair->service_uri : pair->line_uri;
    return definition(a, id, *at, other);
  }
  throw RpcError{kMethodNotFound, "the server has no method '" + method + "'"};
}

std::pair<std::shared_ptr<const PairAnalysis>, TextId> Server::compiled(const std::string& uri,
                                                                        std::optional<Position> p) {
  std::lock_guard lock(mutex_);
  const OpenText* t = texts_.find(uri);
  if (!t) throw bad_params("the text " + uri + " is not open");
  if (t->text.refusal) throw RpcError{kRequestFailed, t->text.refusal->message};
  if (p && !offset_of(SourceMap(*t->text.bytes), *t->text.bytes, *p))
    throw bad_params("line " + std::to_string(p->line) + " is past the end of the text");
  auto found = compiled_.find(uri);
  if (found == compiled_.end()) return {nullptr, TextId::kLine};
  return {found->second, found->second->line_uri == uri ? TextId::kLine : TextId::kService};
}

void Server::notified(const std::string& method, const Json& params) {
  if (state_ != State::kRunning) return;
  if (method == "textDocument/didOpen") {
    const Json& document = member(params, "textDocument", "params");
    const std::string uri = uri_param(params);
    const int64_t version = version_param(document);
    const std::string text = text_param(document, "textDocument");
    {
      std::lock_guard lock(mutex_);
      texts_.open(uri, version, text);
    }
    schedule(uri);
  } else if (method == "textDocument/didChange") {
    const std::string uri = uri_param(params);
    const int64_t version = version_param(member(params, "textDocument", "params"));
    const Json& changes = member(params, "contentChanges", "params");
    if (!changes.is_array() || changes.empty()) throw bad_params("contentChanges is not a list of changes");
    const Json& last = changes.back();
    if (last.contains("range"))
      throw bad_params("a change of part of a text; the server takes whole texts (full synchronisation)");
    const std::string text = text_param(last, "contentChanges");
    {
      std::lock_guard lock(mutex_);
      if (!texts_.change(uri, version, text)) throw bad_params("the text " + uri + " is not open");
    }
    schedule(uri);
  } else if (method == "textDocument/didSave") {
    schedule(uri_param(params));
  } else if (method == "textDocument/didClose") {
    const std::string uri = uri_param(params);
    std::string partner;
    {
      std::lock_guard lock(mutex_);
      texts_.close(uri);
      auto found = compiled_.find(uri);
      if (found != compiled_.end()) {
        partner = found->second->line_uri == uri ? found->second->service_uri : found->second->line_uri;
        compiled_.erase(found);
      }
      if (!partner.empty() && texts_.find(partner)) {
        queue_.push_back(partner);
        wake_.notify_one();
        return;
      }
      if (!partner.empty()) compiled_.erase(partner);
    }
    publish({uri, std::nullopt, Json::array()});
    if (!partner.empty()) publish({partner, std::nullopt, Json::array()});
  }
}

void Server::schedule(const std::string& uri) {
  std::lock_guard lock(mutex_);
  if (std::find(queue_.begin(), queue_.end(), uri) == queue_.end()) queue_.push_back(uri);
  wake_.notify_one();
}

void Server::compile_loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    busy_ = false;
    idle_.notify_all();
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (stop_) return;
    busy_ = true;
    const std::string uri = queue_.front();
    queue_.pop_front();
    const OpenText* asked = texts_.find(uri);
    if (!asked) continue;
    const Pair pair = pair_of(texts_, *asked);
    lock.unlock();
    PairOutcome outcome = compile_pair(pair);
    lock.lock();
    // A text of the pair changed or closed meanwhile: its own compile follows.
    const auto still = [this](const PairedText& t) {
      if (!t.version) return true;
      const OpenText* now = texts_.find(t.uri);
      return now && now->version == *t.version && now->touched == t.touched;
    };
    if (!still(pair.asked) || (pair.partner && !still(*pair.partner))) continue;
    for (const TextDiagnostics& d : outcome.texts) {
      if (outcome.analysis)
        compiled_[d.uri] = outcome.analysis;
      else
        compiled_.erase(d.uri);
    }
    lock.unlock();
    for (const TextDiagnostics& d : outcome.texts) publish(d);
    lock.lock();
  }
}

void Server::settle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void Server::publish(const TextDiagnostics& d) {
  Json params = {{"uri", d.uri}};
  if (d.version) params["version"] = *d.version;
  params["diagnostics"] = d.diagnostics;
  send(notification("textDocument/publishDiagnostics", std::move(params)));
}

void Server::log_error(const std::string& message) {
  send(notification("window/logMessage", {{"type", 1}, {"message", message}}));
}

void Server::send(const Json& message) {
  const std::string text = message_text(message);
  std::lock_guard lock(out_mutex_);
  write_frame(out_, text);
}

int run_lsp(std::istream& in, std::ostream& out) {
  Server server(out);
  return server.run(in);
}

}  // namespace scenario::tools::lsp
