#include "tools/lsp_messages.h"

#include <algorithm>
#include <cctype>

namespace scenario::tools::lsp {
namespace {

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A Content-Length value: decimal digits only, at most 18 of them.
bool length_value(std::string_view text, size_t& length) {
  if (text.empty() || text.size() > 18) return false;
  length = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    length = length * 10 + size_t(c - '0');
  }
  return true;
}

// Reads `n` bytes into `body` (none kept when `body` is null), a chunk at a
// time so that a length the stream does not hold costs no memory up front.
bool read_exactly(std::istream& in, size_t n, std::string* body) {
  constexpr size_t kChunk = size_t(1) << 20;
  std::string chunk;
  while (n > 0) {
    chunk.resize(std::min(n, kChunk));
    in.read(chunk.data(), std::streamsize(chunk.size()));
    const size_t got = size_t(in.gcount());
    if (body) body->append(chunk, 0, got);
    if (got < chunk.size()) return false;
    n -= got;
  }
  return true;
}

bool valid_id(const Json& id) { return id.is_string() || id.is_number_integer() || id.is_number_unsigned(); }

}  // namespace

bool FrameReader::header_line(std::string& line, bool& too_long) {
  line.clear();
  too_long = false;
  std::streambuf* buffer = in_.rdbuf();
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in_.setstate(std::ios::eofbit);
      return !line.empty();
    }
    if (c == '\n') break;
    if (line.size() < kLongestHeaderLine)
      line += char(c);
    else
      too_long = true;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

Frame FrameReader::next() {
  for (;;) {
    std::string line;
    bool too_long = false;
    bool any_line = false;
    bool bad = false;
    bool have_length = false;
    size_t length = 0;
    bool closed = false;  // by its blank line
    std::string problem;
    // The header block, up to its blank line.
    while (header_line(line, too_long)) {
      if (line.empty() && !too_long) {
        closed = true;
        break;
      }
      any_line = true;
      const size_t colon = line.find(':');
      if (too_long || colon == std::string::npos) {
        bad = true;
        problem = "a header line is not 'Name: value'";
        continue;
      }
      if (!same_name(trimmed(std::string_view(line).substr(0, colon)), "Content-Length")) continue;
      size_t value = 0;
      if (!length_value(trimmed(std::string_view(line).substr(colon + 1)), value) || (have_length && value != length)) {
        bad = true;
        problem = "the Content-Length header is not one decimal number";
        continue;
      }
      have_length = true;
      length = value;
    }
    if (!closed) return {Frame::kEnd, {}, {}};
    if (!any_line) continue;  // a blank line between messages
    if (bad || !have_length) return {Frame::kBadHeader, {}, bad ? problem : "the header has no Content-Length"};
    if (length > largest_) {
      if (!read_exactly(in_, length, nullptr)) return {Frame::kEnd, {}, {}};
      return {Frame::kTooLarge,
              {},
              "a message of " + std::to_string(length) + " bytes is larger than the " + std::to_string(largest_) +
                  " bytes the server reads"};
    }
    Frame frame{Frame::kBody, {}, {}};
    if (!read_exactly(in_, length, &frame.body)) return {Frame::kEnd, {}, {}};
    return frame;
  }
}

void write_frame(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

Incoming read_incoming(std::string_view body) {
  Incoming m;
  Json j = Json::parse(body, nullptr, false);
  if (j.is_discarded()) {
    m.answer = error_answer(nullptr, kParseError, "the message is not JSON");
    return m;
  }
  if (!j.is_object()) {
    m.answer = error_answer(nullptr, kInvalidRequest, "a message must be a JSON object");
    return m;
  }
  const auto id = j.find("id");
  const bool has_id = id != j.end();
  if (has_id && valid_id(*id)) m.id = *id;
  const auto version = j.find("jsonrpc");
  if (version == j.end() || *version != "2.0") {
    m.answer = error_answer(m.id, kInvalidRequest, "the message is not JSON-RPC 2.0");
    return m;
  }
  if (has_id && !valid_id(*id) && !id->is_null()) {
    m.answer = error_answer(nullptr, kInvalidRequest, "an id must be a number or a string");
    return m;
  }
  const auto method = j.find("method");
  if (method == j.end()) {
    if (has_id && (j.contains("result") || j.contains("error"))) {
      m.kind = Incoming::kReply;
      return m;
    }
    m.answer = error_answer(m.id, kInvalidRequest, "the message has no method");
    return m;
  }
  if (!method->is_string()) {
    m.answer = error_answer(m.id, kInvalidRequest, "the method must be a string");
    return m;
  }
  m.method = method->get<std::string>();
  // A null params is taken as none: some clients send it for a request without parameters.
  const auto params = j.find("params");
  if (params != j.end() && !params->is_null()) {
    if (!params->is_object() && !params->is_array()) {
      m.answer = error_answer(m.id, kInvalidRequest, "params must be an object or an array");
      return m;
    }
    m.params = std::move(*params);
  }
  m.kind = has_id && valid_id(*id) ? Incoming::kRequest : Incoming::kNotification;
  if (has_id && id->is_null()) {
    m.kind = Incoming::kInvalid;
    m.answer = error_answer(nullptr, kInvalidRequest, "a request's id must not be null");
  }
  return m;
}

Json result_answer(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json error_answer(const Json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

Json notification(const std::string& method, Json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

Json frame_error(const Frame& frame) {
  return error_answer(nullptr, frame.kind == Frame::kTooLarge ? kInvalidRequest : kParseError, frame.problem);
}

std::string message_text(const Json& message) { return message.dump(-1, ' ', false, Json::error_handler_t::replace); }

}  // namespace scenario::tools::lsp
