#include "tools/live_page.h"

#include <nlohmann/json.hpp>

#include "tools/svg_writer.h"

namespace scenario::tools {
namespace {

constexpr std::string_view kStyle = R"(
body { font-family: sans-serif; margin: 0 1rem 2rem; color: #222; }
header { padding: .4rem 0; }
h1 { font-size: 1.1rem; margin: .2rem 0; }
h2 { font-size: 1rem; }
#summary { margin: .2rem 0; }
#notice { margin: .2rem 0; color: #8a4b00; font-weight: bold; }
#notice:empty { display: none; }
#sheet svg { width: 100%; max-width: 1188px; height: auto; border: 1px solid #ccc; }
#diagnostics { list-style: none; padding: 0; }
#diagnostics li { padding: .3rem .5rem; border-left: 4px solid #c62828; margin: .3rem 0; background: #fafafa; }
#diagnostics li.warning { border-color: #ef8f00; }
#diagnostics li.none { border-color: #2e7d32; }
#diagnostics li[data-m] { cursor: pointer; }
#diagnostics li.selected { background: #fde7f3; }
#diagnostics pre { margin: .2rem 0 0; }
.hl > * { stroke: #d81b60; stroke-width: 3px; fill: #d81b60; }
#marker { stroke: #d81b60; stroke-width: 1.5px; stroke-dasharray: 4 3; }
)";

// Follows the update stream; keeps the scroll position and the entry pointed at.
constexpr std::string_view kScript = R"(
'use strict';
const sheet = document.getElementById('sheet');
const list = document.getElementById('diagnostics');
let shown = Number(document.body.dataset.version);
let chosen = null;
function point(li) {
  const svg = sheet.querySelector('svg');
  list.querySelectorAll('li.selected').forEach(e => e.classList.remove('selected'));
  if (svg) {
    svg.querySelectorAll('.hl').forEach(e => e.classList.remove('hl'));
    const old = svg.getElementById('marker');
    if (old) old.remove();
  }
  chosen = li ? li.dataset.key : null;
  if (!li) return;
  li.classList.add('selected');
  if (!svg || li.dataset.m === undefined) return;
  const m = Number(li.dataset.m), a = sheet.dataset;
  svg.querySelectorAll('g[data-m]').forEach(g => {
    if (Math.abs(Number(g.dataset.m) - m) <= 50) g.classList.add('hl');
  });
  const x = String(Number(a.x0) + m / Number(a.length) * (Number(a.x1) - Number(a.x0)));
  const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
  line.id = 'marker';
  for (const [k, v] of [['x1', x], ['x2', x], ['y1', a.y0], ['y2', a.y1]]) line.setAttribute(k, v);
  svg.appendChild(line);
}
list.addEventListener('click', e => point(e.target.closest('li')));
function apply(view) {
  if (view.version <= shown) return;
  shown = view.version;
  const x = window.scrollX, y = window.scrollY;
  document.getElementById('summary').textContent = view.summary;
  document.getElementById('notice').textContent = view.notice;
  sheet.innerHTML = view.sheet;
  for (const k of ['x0', 'x1', 'length', 'y0', 'y1']) sheet.dataset[k] = view.axis[k];
  list.innerHTML = view.diagnostics;
  document.body.dataset.version = String(shown);
  point(chosen === null ? null : list.querySelector(`li[data-key="${CSS.escape(chosen)}"]`));
  window.scrollTo(x, y);
}
const stream = new EventSource('/events');
stream.onmessage = e => apply(JSON.parse(e.data));
stream.onerror = () => {
  document.getElementById('notice').textContent = 'The server does not answer; the page shows the last view.';
};
)";

std::string escaped(std::string_view text) { return Svg::escape(text); }

std::string place_of(const LiveEntry& e) {
  std::string place = e.file;
  if (e.line) place += ":" + std::to_string(*e.line) + ":" + std::to_string(*e.column);
  return place;
}

std::string entry_html(const LiveEntry& e) {
  std::string li = "<li class=\"" + std::string(e.error ? "error" : "warning") + "\" data-key=\"" +
                   escaped(place_of(e) + " " + e.headline) + "\"";
  if (e.metres) li += " data-m=\"" + std::to_string(*e.metres) + "\"";
  li += "><span class=\"where\">" + escaped(place_of(e)) + "</span>: <span class=\"what\">" + escaped(e.headline) +
        "</span>";
  if (e.line) li += "<pre>" + escaped(e.source_line) + "\n" + escaped(e.caret) + "</pre>";
  return li + "</li>\n";
}

std::string list_html(const LiveView& view) {
  if (view.entries.empty()) return "<li class=\"none\">No errors or warnings.</li>\n";
  std::string html;
  for (const LiveEntry& e : view.entries) html += entry_html(e);
  return html;
}

std::string sheet_html(const LiveView& view) {
  return view.sheet.empty() ? "<p>No route sheet: nothing has compiled yet.</p>" : view.sheet;
}

std::string axis_attributes(const AsseFoglio& axis) {
  return " data-x0=\"" + Svg::numero(axis.x0) + "\" data-x1=\"" + Svg::numero(axis.x1) + "\" data-length=\"" +
         Svg::numero(axis.lunghezza) + "\" data-y0=\"" + Svg::numero(axis.y0) + "\" data-y1=\"" + Svg::numero(axis.y1) +
         "\"";
}

}  // namespace

std::string content_security_policy(std::string_view nonce) {
  const std::string n(nonce);
  return "default-src 'none'; script-src 'nonce-" + n + "'; style-src 'nonce-" + n +
         "'; connect-src 'self'; img-src data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

std::string live_page(const LiveTexts& texts, const LiveView& view, std::string_view nonce) {
  const std::string n = escaped(nonce);
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<link rel=\"icon\" "
      "href=\"data:,\">\n<title>Route sheet: " +
      escaped(texts.line_path) + "</title>\n<style nonce=\"" + n + "\">" + std::string(kStyle) +
      "</style>\n</head>\n<body data-version=\"" + std::to_string(view.version) + "\">\n<header>\n" +
      "<h1>Live route sheet of " + escaped(texts.line_path) + " and " + escaped(texts.service_path) +
      "</h1>\n<p id=\"summary\">" + escaped(view.summary) + "</p>\n<p id=\"notice\" role=\"status\">" +
      escaped(view.notice) + "</p>\n</header>\n<main>\n<section id=\"sheet\"" + axis_attributes(view.axis) + ">\n" +
      sheet_html(view) + "</section>\n<section>\n<h2>Errors and warnings</h2>\n<ul id=\"diagnostics\">\n" +
      list_html(view) + "</ul>\n</section>\n</main>\n<script nonce=\"" + n + "\">" + std::string(kScript) +
      "</script>\n</body>\n</html>\n";
  return page;
}

std::string live_update(const LiveView& view) {
  const AsseFoglio& a = view.axis;
  const nlohmann::json update = {{"version", view.version},
                                 {"summary", view.summary},
                                 {"notice", view.notice},
                                 {"sheet", sheet_html(view)},
                                 {"axis",
                                  {{"x0", Svg::numero(a.x0)},
                                   {"x1", Svg::numero(a.x1)},
                                   {"length", Svg::numero(a.lunghezza)},
                                   {"y0", Svg::numero(a.y0)},
                                   {"y1", Svg::numero(a.y1)}}},
                                 {"diagnostics", list_html(view)}};
  return update.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace scenario::tools
