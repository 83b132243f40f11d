// Saving output files through a temporary file renamed into place.
#include "savefile.h"

#include "inputerror.h"

#include <QFileInfo>
#include <QSaveFile>

namespace schemetools {

void saveFiles(const std::vector<OutputFile>& files, bool force)
{
    for (const OutputFile& file : files) {
        const QFileInfo info(QString::fromStdString(file.path));
        if (info.exists() && !force)
            throw InputError(file.path + ": already exists; nothing was written (--force overwrites it)");
        if (info.exists() && !info.isFile())
            throw InputError(file.path + ": is not a regular file; nothing was written");
    }
    for (const OutputFile& file : files) {
        QSaveFile save(QString::fromStdString(file.path));
        if (!save.open(QIODevice::WriteOnly) || save.write(file.bytes) != file.bytes.size() || !save.commit())
            throw InputError(file.path + ": cannot be written: " + save.errorString().toStdString());
    }
}

} // namespace schemetools
