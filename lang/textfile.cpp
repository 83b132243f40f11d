// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads, UTF-8 / Windows-1252 decoding and line splitting.
#include "textfile.h"

#include "decoding.h"
#include "errormessage.h"
#include "readonlyfile.h"

#include <QFile>

#include <cerrno>

namespace lang {

InOutError::InOutError(int code)
    : std::runtime_error(fileio::errorMessage(code))
    , code_(code)
{
}

QByteArray readFile(const QString& path)
{
    // POSIX calls rather than QFile, so that the error number of a failure is known.
    const QByteArray name = QFile::encodeName(path);
    fileio::ReadOnlyFile file(name.constData());
    if (!file.isOpen())
        throw InOutError(name.isEmpty() ? ENOENT : file.error());
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        const long n = file.read(buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0)
            throw InOutError(file.error());
        bytes.append(buffer, n);
    }
    return bytes;
}

QString decodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    return widgets::fromUtf8OrWindows1252(view);
}

QString readTextFile(const QString& path)
{
    return decodeText(readFile(path));
}

QStringList textLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(u'\n', start);
        if (lf < 0) {
            // The end of the text is tested after each line: the last line is added unless
            // a line end has just closed a previous one at the very end.
            if (start < text.size() || lines.isEmpty())
                lines.append(text.mid(start));
            return lines;
        }
        // A CR just before the LF belongs to the line end (CR LF).
        const qsizetype end = lf > start && text[lf - 1] == u'\r' ? lf - 1 : lf;
        lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
}

QString trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin).toString();
}

bool isBlank(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

} // namespace lang
