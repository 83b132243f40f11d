// Whole-file reads, UTF-8 / Windows-1252 decoding and line splitting.
#include "textfile.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace lang {

namespace {

QString inOutMessage(int code)
{
    if (code == ENOENT || code == ENOTDIR)
        return QStringLiteral("File not found");
    return QStringLiteral("I/O error %1").arg(code);
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control character of the same number,
// as Windows itself converts them.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? windows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

} // namespace

InOutError::InOutError(int code)
    : std::runtime_error(inOutMessage(code).toStdString())
    , code_(code)
{
}

QByteArray readFile(const QString& path)
{
    // POSIX calls rather than QFile, so that the error number of a failure is known.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw InOutError(name.isEmpty() ? ENOENT : errno);
    QByteArray bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            throw InOutError(code);
        }
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

QString decodeText(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Stateless: an incomplete sequence at the end counts as an error too. The one mark this
    // reader skips is gone already, so the decoder must not skip a second one: a U+FEFF that
    // follows it is text.
    QStringDecoder utf8(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(view);
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
