// SPDX-License-Identifier: GPL-3.0-or-later
// The answers the program gives without a window: help, version, and a missing display.
#include "commandline.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

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

// The local X server named by display (":N" or ":N.S"), as the number N; nothing for a server
// on another host (as ssh forwards one) or a name that is not of that form.
std::optional<std::string> localDisplayNumber(const char* display)
{
    if (display[0] != ':')
        return std::nullopt;
    std::string number;
    for (const char* p = display + 1; *p != '\0' && *p != '.'; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        number += *p;
    }
    return number.empty() ? std::nullopt : std::optional<std::string>(number);
}

// Why no window can open here, or nullptr when one can as far as can be told without
// connecting (a connection of its own would cost the start as much as Qt's). Only X11 is
// judged: a platform chosen by QT_QPA_PLATFORM or -platform, and a Wayland session, are left to
// Qt, and so is a server on another host.
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
    // A local X server listens on its socket in /tmp/.X11-unix; without it nothing answers.
    const std::optional<std::string> number = localDisplayNumber(display);
    struct stat info { };
    if (number && ::stat(("/tmp/.X11-unix/X" + *number).c_str(), &info) != 0)
        return "tessaria: cannot open the display named by DISPLAY: start it in a graphical session\n";
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
