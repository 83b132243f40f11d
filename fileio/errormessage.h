// SPDX-License-Identifier: GPL-3.0-or-later
// The message of an input/output failure, in the runtime's words, from the system's error number.
#pragma once

#include <string>

namespace fileio {

// "File not found" when the file or a folder on its path does not exist (or a link on it leads
// nowhere), "File access denied" when a permission is missing, "Too many open files" when no
// descriptor is left, "Invalid filename" when the name is too long, and "I/O error <code>" for
// every other cause, which has no message of its own.
std::string errorMessage(int code);

} // namespace fileio
