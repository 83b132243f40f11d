// Writing the files an import or export makes without losing anything: an existing file is
// kept unless overwriting is asked for, and each file is written to a temporary file that is
// renamed into place only when it is complete.
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

// Writes every file, after making sure that none of them exists (unless force), so that a
// refusal writes nothing at all. Throws InputError "PATH: ..." naming the file at fault.
void saveFiles(const std::vector<OutputFile>& files, bool force);

} // namespace schemetools
