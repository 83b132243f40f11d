// SPDX-License-Identifier: GPL-3.0-or-later
// What the program answers before it opens its window: --help, --version, and no display.
#pragma once

#include <optional>

namespace window {

// Looks at the command line and the session before anything asks for a display. Returns the
// exit status when the program ends here: 0 after printing the help (--help) or the version
// (--version, "Tessaria <version>") on standard output; 1 after one line on standard error
// when no display can be reached, where Qt would otherwise abort. Returns nothing when the
// window can open. Every other argument is left to Qt, as before.
std::optional<int> answerBeforeWindow(int argc, char* argv[], const char* version);

} // namespace window
