// The codes the program and its page share, as the script the page loads
// before its own (codes.js): the control kinds (TControlKind), the page's
// event kinds (PageEventKind) and the keys (TKey), each under its C++ name.
// The page names these codes and never spells out a number of its own.
#pragma once
#include <string>

// The text of codes.js: the constant QpxCodes with the groups Kind, Event
// and Key, name: code, one to a line, and EventFields (PageEventFields).
std::string PageCodesScript();
