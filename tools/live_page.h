#pragma once
// The page of the live route sheet: one HTML document with the sheet inline,
// the summary line, a notice and the list of errors and warnings. It reads
// as a static page; its one script (allowed by the nonce of the
// Content-Security-Policy it is served with) follows the update stream and
// puts each new view in place, and points at an entry's object on the sheet
// when the entry is clicked. Every name and text is escaped here.

#include <string>
#include <string_view>

#include "tools/live_view.h"

namespace scenario::tools {

// The whole page, for `texts` as `view` shows them; `nonce` is the one its
// Content-Security-Policy names.
std::string live_page(const LiveTexts& texts, const LiveView& view, std::string_view nonce);

// The Content-Security-Policy of a page served with `nonce`: nothing but its
// own style and script and the update stream of its own server.
std::string content_security_policy(std::string_view nonce);

// One update of the stream: the view as a JSON object on one line (the
// sheet and the list as HTML, the summary and the notice as text).
std::string live_update(const LiveView& view);

}  // namespace scenario::tools
