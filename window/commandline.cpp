// The answers the program gives without a window: help, version, and a missing display.
#include "commandline.h"

#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace window {

namespace {

constexpr const char* Help = R"(Usage: tessaria [--help | --version]

Tessaria is a nonogram player for schoolchildren. The window lists the schemes (.dis drawings)
of the folder "schemi" beside the program; pick one and click the cells to find the picture.
Started without arguments it opens its window, which needs a graphical session.

  --help     this text
  --version  the version of the program

Teachers check and make schemes with tessaria-schemi; see tessaria(6) and tessaria-schemi(1).
)";

bool hasArgument(int argc, char* argv[], const char* argument)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], argument) == 0)
            return true;
    }
    return false;
}

// Why no window can open here, or nullptr when one can (as far as can be told before Qt
// starts). Only the X11 case is judged: a platform chosen by QT_QPA_PLATFORM or -platform, and
// a Wayland session, are left to Qt.
const char* missingDisplay(int argc, char* argv[])
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((platform && *platform) || (wayland && *wayland) || hasArgument(argc, argv, "-platform"))
        return nullptr;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return "tessaria: no display to open the window on (DISPLAY is not set): start it in a graphical "
               "session\n";
#if QT_CONFIG(xcb)
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reached)
        return "tessaria: cannot open the display named by DISPLAY: start it in a graphical session\n";
#endif
    return nullptr;
}

} // namespace

std::optional<int> answerBeforeWindow(int argc, char* argv[], const char* version)
{
    if (hasArgument(argc, argv, "--help")) {
        std::fputs(Help, stdout);
        return 0;
    }
    if (hasArgument(argc, argv, "--version")) {
        std::printf("Tessaria %s\n", version);
        return 0;
    }
    if (const char* why = missingDisplay(argc, argv)) {
        std::fputs(why, stderr);
        return 1;
    }
    return std::nullopt;
}

} // namespace window
