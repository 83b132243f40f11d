// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the files an import or export makes without losing anything: all of them or none.
// An existing file is kept unless overwriting is asked for, and each file is written to a
// temporary file that is renamed into place only when every one is complete.
#pragma once

#include <QByteArray>

#include <string>
#include <utility>
#include <vector>

namespace schemetools {

struct OutputFile {
    std::string path;
    QByteArray bytes;
};

// Writes every file, after making sure that each can be written: not a folder, not named twice,
// not existing (unless force), in a folder that exists and may be written. A write that fails
// after that takes back the files this call wrote and restores those it replaced, so that a
// refusal or a failure leaves the files as they were. Throws InputError "PATH: ..." naming the
// file at fault.
void saveFiles(const std::vector<OutputFile>& files, bool force);

} // namespace schemetools
