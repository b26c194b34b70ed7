#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_folder.h"
#include "tool_harness.h"
#include "tools/lsp_messages.h"
#include "tools/lsp_server.h"

namespace scenario::test {
namespace {

using tools::lsp::Frame;
using tools::lsp::FrameReader;
using tools::lsp::Incoming;
using tools::lsp::Json;

// A text of the small scenario in tests/data/route-sheet.
std::string fixture(const std::string& name) {
  std::ifstream in(std::string(SCENARIO_TEST_DATA) + "/route-sheet/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::vector<Frame> frames_of(const std::string& stream, size_t largest = tools::lsp::kLargestBody) {
  std::istringstream in(stream);
  FrameReader reader(in, largest);
  std::vector<Frame> frames;
  for (Frame f = reader.next(); f.kind != Frame::kEnd; f = reader.next()) frames.push_back(f);
  return frames;
}

TEST(LspFrames, ReadsMessagesAndSkipsWhatItCannotTake) {
  struct Case {
    const char* what;
    std::string stream;
    std::vector<std::pair<Frame::Kind, std::string>> expected;  // kind and body or problem
  };
  const std::string a = R"({"a":1})";
  const std::vector<Case> cases = {
      {"two messages back to back", framed(a) + framed("[]"), {{Frame::kBody, a}, {Frame::kBody, "[]"}}},
      {"other headers, any case, blanks around the value",
       "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\ncontent-length:  7 \r\n\r\n" + a,
       {{Frame::kBody, a}}},
      {"a bare LF ends a header line", "Content-Length: 7\n\n" + a, {{Frame::kBody, a}}},
      {"no Content-Length, then a good message",
       "X: 1\r\n\r\n" + framed(a),
       {{Frame::kBadHeader, "the header has no Content-Length"}, {Frame::kBody, a}}},
      {"a length that is not a number",
       "Content-Length: 7x\r\n\r\n" + framed(a),
       {{Frame::kBadHeader, "the Content-Length header is not one decimal number"}, {Frame::kBody, a}}},
      {"two lengths that disagree",
       "Content-Length: 7\r\nContent-Length: 8\r\n\r\n" + framed(a),
       {{Frame::kBadHeader, "the Content-Length header is not one decimal number"}, {Frame::kBody, a}}},
      {"a line without a colon",
       "hello\r\n\r\n" + framed(a),
       {{Frame::kBadHeader, "a header line is not 'Name: value'"}, {Frame::kBody, a}}},
      {"a header line longer than the limit",
       std::string(9000, 'x') + ": 1\r\n\r\n" + framed(a),
       {{Frame::kBadHeader, "a header line is not 'Name: value'"}, {Frame::kBody, a}}},
      {"a body above the limit is dropped whole",
       framed(std::string(40, ' ')) + framed(a),
       {{Frame::kTooLarge, "a message of 40 bytes is larger than the 32 bytes the server reads"}, {Frame::kBody, a}}},
      {"a body cut short ends the stream", "Content-Length: 100\r\n\r\n" + a, {}},
      {"a header cut short ends the stream", "Content-Length: 7\r\n", {}},
      {"an empty stream", "", {}},
  };
  for (const Case& c : cases) {
    const std::vector<Frame> frames = frames_of(c.stream, 32);
    ASSERT_EQ(frames.size(), c.expected.size()) << c.what;
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].kind, c.expected[i].first) << c.what;
      EXPECT_EQ(frames[i].kind == Frame::kBody ? frames[i].body : frames[i].problem, c.expected[i].second) << c.what;
    }
  }
}

TEST(LspFrames, TellsRequestsNotificationsAndRepliesApart) {
  struct Case {
    std::string body;
    Incoming::Kind kind;
    std::string answer;  // the error answer, for kInvalid
  };
  const std::vector<Case> cases = {
      {R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})", Incoming::kRequest, ""},
      {R"({"jsonrpc":"2.0","id":"x","method":"a","params":[1]})", Incoming::kRequest, ""},
      {R"({"jsonrpc":"2.0","method":"exit"})", Incoming::kNotification, ""},
      {R"({"jsonrpc":"2.0","id":7,"result":null})", Incoming::kReply, ""},
      {R"({"jsonrpc":"2.0","id":8,"method":"shutdown","params":null})", Incoming::kRequest, ""},
      {R"({"jsonrpc":"2.0","id":1,"method":)", Incoming::kInvalid,
       R"({"error":{"code":-32700,"message":"the message is not JSON"},"id":null,"jsonrpc":"2.0"})"},
      {R"([1,2])", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"a message must be a JSON object"},"id":null,"jsonrpc":"2.0"})"},
      {R"({"id":3,"method":"a"})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"the message is not JSON-RPC 2.0"},"id":3,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":{"a":1},"method":"a"})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"an id must be a number or a string"},"id":null,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":null,"method":"a"})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"a request's id must not be null"},"id":null,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":4})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"the message has no method"},"id":4,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":5,"method":12})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"the method must be a string"},"id":5,"jsonrpc":"2.0"})"},
      {R"({"jsonrpc":"2.0","id":6,"method":"a","params":"x"})", Incoming::kInvalid,
       R"({"error":{"code":-32600,"message":"params must be an object or an array"},"id":6,"jsonrpc":"2.0"})"},
  };
  for (const Case& c : cases) {
    const Incoming m = tools::lsp::read_incoming(c.body);
    EXPECT_EQ(m.kind, c.kind) << c.body;
    if (c.kind == Incoming::kInvalid) {
      EXPECT_EQ(m.answer.dump(), c.answer) << c.body;
    }
  }
}

// A server in the test process: each message is taken, every compile it
// starts runs to its end, and what the server wrote meanwhile comes back.
class LspSession {
public:
  std::vector<Json> send(const Json& message) {
    const bool more = server_.take(tools::lsp::read_incoming(message.dump()));
    server_.settle();
    if (!more) ended_ = true;
    std::vector<Json> written;
    const std::string all = out_.str();
    for (const Frame& f : frames_of(all.substr(read_))) written.push_back(Json::parse(f.body));
    read_ = all.size();
    return written;
  }
  Json request(const std::string& method, Json params) {
    const std::vector<Json> answers = send({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", params}});
    EXPECT_EQ(answers.size(), 1u) << method;
    return answers.empty() ? Json() : answers[0];
  }
  std::vector<Json> notify(const std::string& method, Json params) {
    return send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  void initialize() {
    request("initialize", {{"capabilities", Json::object()}});
    notify("initialized", Json::object());
  }
  std::vector<Json> open(const std::string& uri, const std::string& text, int version = 1) {
    return notify("textDocument/didOpen",
                  {{"textDocument", {{"uri", uri}, {"languageId", "scenario"}, {"version", version}, {"text", text}}}});
  }
  std::vector<Json> change(const std::string& uri, const std::string& text, int version) {
    return notify("textDocument/didChange",
                  {{"textDocument", {{"uri", uri}, {"version", version}}}, {"contentChanges", {{{"text", text}}}}});
  }
  Json at(const std::string& method, const std::string& uri, size_t line, size_t character) {
    return request(method,
                   {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}});
  }
  bool ended() const { return ended_; }

private:
  std::ostringstream out_;
  tools::lsp::Server server_{out_};
  size_t read_ = 0;
  int id_ = 0;
  bool ended_ = false;
};

// The JSON of `text` with @LINE@ and @SERVICE@ standing for the two URIs.
Json expected(std::string text, const std::string& line_uri, const std::string& service_uri) {
  for (auto [mark, uri] : {std::pair{std::string("@LINE@"), line_uri}, {std::string("@SERVICE@"), service_uri}})
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at))
      text.replace(at, mark.size(), uri);
  return Json::parse(text);
}

class LspServer : public ::testing::Test {
protected:
  std::string uri(const std::string& name) const { return tools::lsp::uri_of_path((dir_.path() / name).string()); }

  TempFolder dir_;
  LspSession session_;
};

const std::string kSignal = "segnale,    2500,   2, 4, 0,  0, 0,    2,  4,0,0, 0\r\n";

TEST_F(LspServer, ASessionOnAPairOfTexts) {
  const std::string line = uri("Prova_linea.txt");
  const std::string service = uri("Prova_R 1-.txt");
  // On disk, the service text has a speed off the 5 km/h step and a second signal on the first one's cell.
  dir_.write("Prova_linea.txt", fixture("line.txt"));
  const std::string service_text = fixture("service.txt");
  dir_.write("Prova_R 1-.txt", edited(edited(service_text, "1000,   125", "1000,   123"), kSignal, kSignal + kSignal));

  EXPECT_EQ(session_.request("initialize", {{"processId", nullptr}, {"capabilities", Json::object()}}),
            Json::parse(R"j({
    "jsonrpc": "2.0", "id": 1, "result": {
      "capabilities": {
        "positionEncoding": "utf-16",
        "textDocumentSync": {"openClose": true, "change": 1, "save": {"includeText": false}},
        "hoverProvider": true, "completionProvider": {"resolveProvider": false},
        "documentSymbolProvider": true, "definitionProvider": true},
      "serverInfo": {"name": "scenario-tool", "version": ")j" SCENARIO_VERSION R"j("}}})j"));
  EXPECT_TRUE(session_.notify("initialized", Json::object()).empty());

  // The line text opened: it is compiled with the service text on disk, and both are told.
  const std::vector<Json> opened = session_.open(line, fixture("line.txt"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], expected(R"j({"jsonrpc": "2.0", "method": "textDocument/publishDiagnostics",
    "params": {"uri": "@LINE@", "version": 1, "diagnostics": []}})j",
                                line, service));
  EXPECT_EQ(opened[1], expected(R"j({"jsonrpc": "2.0", "method": "textDocument/publishDiagnostics",
    "params": {"uri": "@SERVICE@", "diagnostics": [
      {"range": {"start": {"line": 17, "character": 12}, "end": {"line": 17, "character": 16}},
       "severity": 1, "code": 16, "source": "scenario-tool", "message": "signal on an occupied cell (at 2500 m)",
       "relatedInformation": [{"message": "the segnale at 2500 m stands on cell 51", "location": {"uri": "@SERVICE@",
         "range": {"start": {"line": 16, "character": 0}, "end": {"line": 16, "character": 51}}}}]},
      {"range": {"start": {"line": 10, "character": 21}, "end": {"line": 10, "character": 24}},
       "severity": 2, "code": "speed-step", "source": "scenario-tool",
       "message": "timetable speed 123 km/h is kept in 5 km/h steps: it becomes 125 km/h"},
      {"range": {"start": {"line": 12, "character": 16}, "end": {"line": 12, "character": 17}},
       "severity": 2, "code": "station-in-tunnel", "source": "scenario-tool",
       "message": "station area -700 m to 700 m crosses a portal of the tunnel from 0 m to 800 m"},
      {"range": {"start": {"line": 17, "character": 12}, "end": {"line": 17, "character": 16}},
       "severity": 2, "code": "signal-spacing", "source": "scenario-tool",
       "message": "signal 0 m after the one at 2500 m: braking from 120 km/h at 120 % braked mass takes 926 m"}]}})j",
                                line, service));

  // The service text opened: the editor's text counts, not the file's.
  const std::string tunnel_station = R"j(
      {"range": {"start": {"line": 12, "character": 16}, "end": {"line": 12, "character": 17}},
       "severity": 2, "code": "station-in-tunnel", "source": "scenario-tool",
       "message": "station area -700 m to 700 m crosses a portal of the tunnel from 0 m to 800 m"})j";
  const std::vector<Json> reopened = session_.open(service, service_text);
  ASSERT_EQ(reopened.size(), 2u);
  EXPECT_EQ(reopened[0], expected(R"j({"jsonrpc": "2.0", "method": "textDocument/publishDiagnostics",
    "params": {"uri": "@SERVICE@", "version": 1, "diagnostics": [)j" +
                                      tunnel_station + "]}}",
                                  line, service));
  EXPECT_EQ(reopened[1], opened[0]);

  // A change: the new text's findings, at the new version.
  const std::vector<Json> changed = session_.change(service, edited(service_text, "1000,   125", "1000,   123"), 2);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0], expected(R"j({"jsonrpc": "2.0", "method": "textDocument/publishDiagnostics",
    "params": {"uri": "@SERVICE@", "version": 2, "diagnostics": [
      {"range": {"start": {"line": 10, "character": 21}, "end": {"line": 10, "character": 24}},
       "severity": 2, "code": "speed-step", "source": "scenario-tool",
       "message": "timetable speed 123 km/h is kept in 5 km/h steps: it becomes 125 km/h"},)j" +
                                     tunnel_station + "]}}",
                                 line, service));
  EXPECT_EQ(changed[1], opened[0]);

  // Hover on the changed speed: what the compiler keeps of it.
  EXPECT_EQ(session_.at("textDocument/hover", service, 10, 22), Json::parse(R"j({"jsonrpc": "2.0", "id": 2, "result": {
    "range": {"start": {"line": 10, "character": 21}, "end": {"line": 10, "character": 24}},
    "contents": {"kind": "markdown", "value":
      "**velocita**: velocita (km/h); accepted: -2 to 1277; read as a 32-bit number\n\nvelocita 123 is stored as 25: one byte in 5 km/h steps (125 km/h)\n\nThe timetable speed up to the next speed record (the last one to the end of the route). Kept in each cell as nearest(speed / 5), one byte: a speed off a multiple of 5 km/h becomes the nearest step, halves to the even step."}}})j"));

  // Completion on an empty line: the service text's records, then its sections.
  const Json completion = session_.at("textDocument/completion", service, 14, 0)["result"];
  ASSERT_EQ(completion.size(), 17u);
  EXPECT_EQ(completion[3], Json::parse(R"j({"label": "aderenza", "kind": 14, "detail": "[aderenze] posizione, aderenza",
    "documentation": "A change of adhesion. Write the records with rising positions, the first at 0.",
    "insertTextFormat": 2, "insertText": "aderenza, ${1:posizione}, ${2:aderenza}"})j"));
  EXPECT_EQ(completion[16], Json::parse(R"j({"label": "[stazioni]", "kind": 9, "detail": "section"})j"));
  // Past the keyword, nothing.
  EXPECT_EQ(session_.at("textDocument/completion", service, 10, 12)["result"], Json::array());

  // The outline: each section with its records.
  const Json outline =
      session_.request("textDocument/documentSymbol", {{"textDocument", {{"uri", service}}}})["result"];
  std::vector<std::string> sections;
  for (const Json& s : outline) sections.push_back(s["name"]);
  EXPECT_EQ(sections, (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                                "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}));
  EXPECT_EQ(outline[3]["children"][1], Json::parse(R"j({"name": "stazione 4300 m Beta", "kind": 23, "children": [],
    "range": {"start": {"line": 13, "character": 0}, "end": {"line": 13, "character": 76}},
    "selectionRange": {"start": {"line": 13, "character": 0}, "end": {"line": 13, "character": 8}}})j"));
  EXPECT_EQ(outline[5], Json::parse(R"j({"name": "[segnali]", "kind": 3,
    "range": {"start": {"line": 15, "character": 0}, "end": {"line": 16, "character": 51}},
    "selectionRange": {"start": {"line": 15, "character": 0}, "end": {"line": 15, "character": 9}},
    "children": [{"name": "segnale 2500 m", "kind": 24, "children": [],
      "range": {"start": {"line": 16, "character": 0}, "end": {"line": 16, "character": 51}},
      "selectionRange": {"start": {"line": 16, "character": 0}, "end": {"line": 16, "character": 7}}}]})j"));

  // From the tunnel of the line text (0 m to 800 m) to the service text's records there.
  EXPECT_EQ(session_.at("textDocument/definition", line, 16, 3), expected(R"j({"jsonrpc": "2.0", "id": 6, "result": [
    {"uri": "@SERVICE@", "range": {"start": {"line": 6, "character": 0}, "end": {"line": 6, "character": 24}}},
    {"uri": "@SERVICE@", "range": {"start": {"line": 9, "character": 0}, "end": {"line": 9, "character": 24}}},
    {"uri": "@SERVICE@", "range": {"start": {"line": 12, "character": 0}, "end": {"line": 12, "character": 76}}},
    {"uri": "@SERVICE@", "range": {"start": {"line": 18, "character": 0}, "end": {"line": 18, "character": 28}}}]})j",
                                                                          line, service));
  // And back: from the station at 0 m to the first gradient and the tunnel, from the one at 4300 m to nothing.
  const Json back = session_.at("textDocument/definition", service, 12, 3);
  std::vector<int> lines;
  for (const Json& l : back["result"]) lines.push_back(l["range"]["start"]["line"]);
  EXPECT_EQ(lines, (std::vector<int>{13, 16}));
  EXPECT_EQ(session_.at("textDocument/definition", service, 13, 3)["result"], Json::array());

  EXPECT_EQ(session_.request("shutdown", nullptr), Json::parse(R"j({"jsonrpc": "2.0", "id": 9, "result": null})j"));
  EXPECT_EQ(session_.at("textDocument/hover", service, 10, 22)["error"]["code"], -32600);
  EXPECT_TRUE(session_.notify("exit", nullptr).empty());
  EXPECT_TRUE(session_.ended());
}

TEST_F(LspServer, AnswersWhatItCannotDoWithTheProtocolsErrors) {
  const std::string service = uri("Prova_R1-.txt");
  EXPECT_EQ(session_.at("textDocument/hover", service, 0, 0)["error"],
            Json::parse(R"({"code": -32002, "message": "the server is not initialised yet"})"));
  EXPECT_TRUE(session_.open(service, fixture("service.txt")).empty());  // not taken before initialize
  session_.initialize();
  session_.open(service, fixture("service.txt"));

  struct Case {
    const char* what;
    std::string method;
    Json params;
    int code;
    std::string message;
  };
  const Json at_line_99 = {{"textDocument", {{"uri", service}}}, {"position", {{"line", 99}, {"character", 0}}}};
  const std::vector<Case> cases = {
      {"a second initialize", "initialize", Json::object(), -32600, "the server is already initialised"},
      {"an unknown method", "textDocument/rename", Json::object(), -32601,
       "the server has no method 'textDocument/rename'"},
      {"no text", "textDocument/hover", Json::object(), -32602, "params has no 'textDocument'"},
      {"no position", "textDocument/hover", {{"textDocument", {{"uri", service}}}}, -32602, "params has no 'position'"},
      {"a negative character",
       "textDocument/hover",
       {{"textDocument", {{"uri", service}}}, {"position", {{"line", 0}, {"character", -1}}}},
       -32602,
       "position.character is not a number from 0"},
      {"a line past the end", "textDocument/hover", at_line_99, -32602, "line 99 is past the end of the text"},
      {"a line past the end, for completion", "textDocument/completion", at_line_99, -32602,
       "line 99 is past the end of the text"},
      {"a text that is not open",
       "textDocument/documentSymbol",
       {{"textDocument", {{"uri", uri("x-.txt")}}}},
       -32602,
       "the text " + uri("x-.txt") + " is not open"},
  };
  for (const Case& c : cases) {
    Json answer = session_.request(c.method, c.params);
    EXPECT_EQ(answer["error"], (Json{{"code", c.code}, {"message", c.message}})) << c.what;
  }
  // A character past the end of its line is the line's end: a blank there has no value to tell of.
  EXPECT_EQ(session_.at("textDocument/hover", service, 1, 500)["result"], nullptr);
  // A notification it cannot take is logged, never answered.
  EXPECT_EQ(
      session_.notify("textDocument/didChange", {{"textDocument", {{"uri", service}, {"version", 2}}},
                                                 {"contentChanges", {{{"range", Json::object()}, {"text", ""}}}}}),
      std::vector<Json>{Json::parse(R"j({"jsonrpc": "2.0", "method": "window/logMessage", "params": {"type": 1,
              "message": "textDocument/didChange: a change of part of a text; the server takes whole texts (full synchronisation)"}})j")});
}

TEST_F(LspServer, ATextWithoutItsPartnerIsToldWhichFileItLacks) {
  session_.initialize();
  struct Case {
    const char* name;
    std::string text;
    std::string message;
  };
  // The line text alone is still compiled: its speed board off the 5 km/h step is found.
  const std::string line_text = edited(fixture("line.txt"), "110,  115,  120,  0", "110,  113,  120,  0");
  const std::vector<Case> cases = {
      {"Sola_linea.txt", line_text,
       "no service text beside this line text: expected Sola_<train>-.txt; the line text is compiled alone"},
      {"Altra_R1-.txt", fixture("service.txt"),
       "no line text beside this service text: expected Altra_linea.txt; the text is not compiled"},
      {"notes.txt", "hello\r\n",
       "not compiled: a line text is named <route>_linea.txt and its service text <route>_<train>-.txt, in one "
       "folder"},
  };
  for (const Case& c : cases) {
    const std::vector<Json> published = session_.open(uri(c.name), c.text);
    ASSERT_EQ(published.size(), 1u) << c.name;
    const Json& d = published[0]["params"]["diagnostics"];
    ASSERT_GE(d.size(), 1u) << c.name;
    EXPECT_EQ(d[0],
              (Json{{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}}},
                    {"severity", 3},
                    {"source", "scenario-tool"},
                    {"message", c.message}}))
        << c.name;
    EXPECT_EQ(d.size(), std::string(c.name) == "Sola_linea.txt" ? 2u : 1u) << c.name;
  }
  const Json alone =
      session_.request("textDocument/documentSymbol", {{"textDocument", {{"uri", uri("Sola_linea.txt")}}}});
  EXPECT_EQ(alone["result"].size(), 7u);  // the line text's sections, [generale] to [fine]
}

TEST_F(LspServer, PairsARouteWhoseNameHoldsAnUnderscoreByTheLongestLineText) {
  dir_.write("A_linea.txt", fixture("line.txt"));
  dir_.write("A_B_linea.txt", fixture("line.txt"));
  session_.initialize();
  // "A_B_C-.txt" is train C of route A_B, not train B_C of route A.
  const std::vector<Json> published = session_.open(uri("A_B_C-.txt"), fixture("service.txt"));
  ASSERT_EQ(published.size(), 2u);
  EXPECT_EQ(published[1]["params"]["uri"], uri("A_B_linea.txt"));
}

TEST_F(LspServer, ColumnsCountUtf16UnitsWhateverTheTextHolds) {
  dir_.write("Prova_linea.txt", fixture("line.txt"));
  session_.initialize();
  const std::string service = uri("Prova_R1-.txt");
  // "città" is six bytes of UTF-8 and five characters; the finding stands after it on its line.
  const std::vector<Json> published = session_.open(
      service, edited(fixture("service.txt"), "velocita,    1000,   125", "- città -, velocita, 1000, 123"));
  EXPECT_EQ(published[0]["params"]["diagnostics"][0]["range"],
            Json::parse(R"({"start": {"line": 10, "character": 27}, "end": {"line": 10, "character": 30}})"));
  EXPECT_EQ(session_.at("textDocument/hover", service, 10, 28)["result"]["range"]["start"]["character"], 27);

  // A character Windows-1252 lacks: the text is refused at it (after "€", one unit), and only there.
  const std::vector<Json> refused = session_.change(service, "[generale]\r\nsabbia, €\xF0\x9F\x98\x80\r\n", 2);
  EXPECT_EQ(refused[0]["params"]["diagnostics"], Json::parse(R"([{"range": {"start": {"line": 1, "character": 9},
    "end": {"line": 1, "character": 9}}, "severity": 1, "source": "scenario-tool",
    "message": "a character outside Windows-1252, which these texts are read in: the text is not compiled"}])"));
  EXPECT_EQ(
      session_.at("textDocument/hover", service, 1, 0)["error"],
      Json::parse(
          R"({"code": -32803, "message": "a character outside Windows-1252, which these texts are read in: the text is not compiled"})"));
}

TEST_F(LspServer, ATextAboveTheLimitIsRefusedNotCompiled) {
  session_.initialize();
  const std::string service = uri("Prova_R1-.txt");
  const std::vector<Json> published = session_.open(service, std::string((size_t(64) << 20) + 1, ' '));
  EXPECT_EQ(published[0]["params"]["diagnostics"][0]["message"],
            "the text holds 67108865 characters, more than the 64 MiB a description text may hold: it is not compiled");
  EXPECT_EQ(session_.request("textDocument/documentSymbol", {{"textDocument", {{"uri", service}}}})["error"]["code"],
            -32803);
}

TEST(LspStream, AnswersBrokenFramesAndEndsWithTheExitStatus) {
  auto body = [](const std::string& json) { return framed(json); };
  std::istringstream in("Content-Length: x\r\n\r\n" + body("{nope") +
                        body(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
                        body(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
                        body(R"({"jsonrpc":"2.0","method":"exit"})"));
  std::ostringstream out;
  EXPECT_EQ(tools::lsp::run_lsp(in, out), 0);
  std::vector<Json> answers;
  for (const Frame& f : frames_of(out.str())) answers.push_back(Json::parse(f.body));
  ASSERT_EQ(answers.size(), 4u);
  EXPECT_EQ(answers[0]["error"],
            Json::parse(R"({"code": -32700, "message": "the Content-Length header is not one decimal number"})"));
  EXPECT_EQ(answers[1]["error"], Json::parse(R"({"code": -32700, "message": "the message is not JSON"})"));
  EXPECT_EQ(answers[2]["id"], 1);
  EXPECT_EQ(answers[3], Json::parse(R"({"jsonrpc": "2.0", "id": 2, "result": null})"));

  // The end of the stream, or an exit without shutdown: status 1.
  std::istringstream cut(body(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})"));
  EXPECT_EQ(tools::lsp::run_lsp(cut, out), 1);
  std::istringstream early(body(R"({"jsonrpc":"2.0","method":"exit"})"));
  EXPECT_EQ(tools::lsp::run_lsp(early, out), 1);
}

}  // namespace
}  // namespace scenario::test
