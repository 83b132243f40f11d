// SPDX-License-Identifier: GPL-3.0-or-later
// What the window system does for the main window beyond Qt's own reach.
#pragma once

namespace window {

// Whether a request to maximise the window will be carried out. False only on X11 when no
// window manager runs (none announces itself on the root window): a maximised state is then
// merely recorded, and the program has to give the window the screen's size itself.
bool windowManagerMaximises();

} // namespace window
