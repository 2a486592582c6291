#pragma once

namespace lumora::report {

// The page's style sheet and script (report/html/page.css, page.js), compiled in as texts.
extern const char* const kPageStyle;
extern const char* const kPageScript;

} // namespace lumora::report
