#pragma once
// The language server's messages on a byte stream: each one a header of
// `Name: value` lines ended by CR LF, a blank line, then Content-Length bytes
// of JSON-RPC 2.0. The reader takes frames off the stream and tells a
// request, a notification and a reply apart; everything it cannot take comes
// back as the error answer the protocol asks for, never as a fault.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

namespace scenario::tools::lsp {

using Json = nlohmann::json;

// JSON-RPC and LSP error codes.
enum ErrorCode : int {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kInternalError = -32603,
  kServerNotInitialized = -32002,
  kRequestFailed = -32803,
};

// The largest body the reader takes: a 64 MiB text with every byte written
// as a six-character JSON escape, and room for the rest of the message.
inline constexpr size_t kLargestBody = (size_t(64) << 20) * 6 + (size_t(1) << 20);
// The longest header line; a longer one is not a header.
inline constexpr size_t kLongestHeaderLine = 8192;

struct Frame {
  enum Kind {
    kBody,       // `body` holds the message
    kEnd,        // the stream ended (between messages, or inside one)
    kBadHeader,  // a header block without a usable Content-Length; the reader goes on after it
    kTooLarge,   // a body above the limit, read and dropped
  };
  Kind kind = kEnd;
  std::string body;
  std::string problem;  // with kBadHeader and kTooLarge: what was wrong
};

class FrameReader {
public:
  explicit FrameReader(std::istream& in, size_t largest_body = kLargestBody) : in_(in), largest_(largest_body) {}
  Frame next();

private:
  // One header line without its line end; false at the end of the stream.
  // A line longer than kLongestHeaderLine is read to its end and marked.
  bool header_line(std::string& line, bool& too_long);

  std::istream& in_;
  size_t largest_;
};

void write_frame(std::ostream& out, std::string_view body);

// What one message body asks.
struct Incoming {
  enum Kind {
    kRequest,       // method and id: answered with a result or an error
    kNotification,  // method alone: never answered
    kReply,         // id and result or error: the answer to a request of the server's
    kInvalid,       // `answer` is the error to send back
  };
  Kind kind = kInvalid;
  Json id;  // a number or a string; null when there is none or it cannot be read
  std::string method;
  Json params;  // an object or an array; null when absent
  Json answer;
};

Incoming read_incoming(std::string_view body);

Json result_answer(const Json& id, Json result);
Json error_answer(const Json& id, int code, const std::string& message);
Json notification(const std::string& method, Json params);

// The error answer for a frame the reader could not take as a message.
Json frame_error(const Frame& frame);

// The JSON text of a message; a string that is not UTF-8 gets U+FFFD, so
// that writing never throws.
std::string message_text(const Json& message);

}  // namespace scenario::tools::lsp
