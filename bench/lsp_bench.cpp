// The language server as an editor meets it, in process:
//   did_change_to_diagnostics/*  from a didChange of the line text to the
//                                diagnostics of both texts published
//   hover_during_compile/*       a hover answered while the compile of a
//                                newer text runs (from the last finished one)
// on the built-in texts and on the generated 1000 km route (route_gen.h).
// The server's output goes to a sink; only the bytes are counted.

#include <benchmark/benchmark.h>

#include <streambuf>
#include <string>

#include "bench/route_gen.h"
#include "io/text_writer.h"
#include "model/cp1252.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "tools/lsp_server.h"

namespace scenario::bench {
namespace {

using tools::lsp::Incoming;
using tools::lsp::Json;
using tools::lsp::Server;

class Sink : public std::streambuf {
protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct Texts {
  std::string line;  // UTF-8, as an editor holds them
  std::string service;
};

Texts texts(int km) {
  if (km == 0) return {componi_testo_utf8(righe_linea()), componi_testo_utf8(righe_treno())};
  TestiPercorso t = genera_percorso(km);
  return {cp1252_a_utf8(t.linea), cp1252_a_utf8(t.servizio)};
}

const char* kLine = "file:///bench/Bench_linea.txt";
const char* kService = "file:///bench/Bench_R1-.txt";

Incoming message(const std::string& method, Json params, int id = 0) {
  Incoming m;
  m.kind = id ? Incoming::kRequest : Incoming::kNotification;
  m.method = method;
  m.params = std::move(params);
  if (id) m.id = id;
  return m;
}

Json opened(const char* uri, const std::string& text) {
  return {{"textDocument", {{"uri", uri}, {"languageId", "scenario"}, {"version", 1}, {"text", text}}}};
}

// A server with both texts open and compiled; what it sends goes nowhere.
struct OpenPair {
  explicit OpenPair(const Texts& t) {
    server.take(message("initialize", {{"capabilities", Json::object()}}, 1));
    server.take(message("initialized", Json::object()));
    server.take(message("textDocument/didOpen", opened(kLine, t.line)));
    server.take(message("textDocument/didOpen", opened(kService, t.service)));
    server.settle();
  }
  Sink sink;
  std::ostream out{&sink};
  Server server{out};
};

// The line text with one more comment line at its end, alternately, so that
// every change is a change.
Json changed(const Texts& t, int version) {
  const std::string text = version % 2 ? t.line + "- nota -\r\n" : t.line;
  return {{"textDocument", {{"uri", kLine}, {"version", version}}}, {"contentChanges", {{{"text", text}}}}};
}

void did_change_to_diagnostics(benchmark::State& state) {
  const Texts t = texts(int(state.range(0)));
  OpenPair pair(t);
  Server& server = pair.server;
  int version = 2;
  for (auto _ : state) {
    server.take(message("textDocument/didChange", changed(t, version++)));
    server.settle();
  }
}

void hover_during_compile(benchmark::State& state) {
  const Texts t = texts(int(state.range(0)));
  OpenPair pair(t);
  Server& server = pair.server;
  const Json hover = {{"textDocument", {{"uri", kService}}}, {"position", {{"line", 10}, {"character", 14}}}};
  int version = 2;
  for (auto _ : state) {
    state.PauseTiming();
    server.take(message("textDocument/didChange", changed(t, version++)));
    state.ResumeTiming();
    server.take(message("textDocument/hover", hover, version));
    state.PauseTiming();
    server.settle();
    state.ResumeTiming();
  }
}

BENCHMARK(did_change_to_diagnostics)->ArgName("km")->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
// The compile each iteration waits for is untimed but real: a fixed count keeps the run short.
BENCHMARK(hover_during_compile)
    ->Iterations(300)
    ->ArgName("km")
    ->Arg(0)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
}  // namespace scenario::bench

BENCHMARK_MAIN();
