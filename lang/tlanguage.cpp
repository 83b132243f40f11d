// SPDX-License-Identifier: GPL-3.0-or-later
// The translation component: the pass over the entries, the walk through the component tree
// and the writing of string, integer and string-list properties.
#include "tlanguage.h"

#include "bgrcolor.h"
#include "inifile.h"
#include "properties.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QMetaProperty>

#include <optional>

namespace lang {

namespace {

const QString translationsSection = QStringLiteral("Translations");

// The kind of value a property takes from a language file. Colours are integers too: 24-bit
// values $00BBGGRR, as the language files write them.
enum class ValueKind { String, Integer, Color, StringList, Other };

ValueKind valueKindOf(const QMetaProperty& property)
{
    // Enumerations carry their own type; flags and booleans are not integers either.
    if (property.isEnumType())
        return ValueKind::Other;
    switch (property.metaType().id()) {
    case QMetaType::QString:
        return ValueKind::String;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return ValueKind::Integer;
    case QMetaType::QColor:
        return ValueKind::Color;
    case QMetaType::QStringList:
        return ValueKind::StringList;
    default:
        return ValueKind::Other;
    }
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = 99;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

std::optional<qint32> parseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool hex = false;
    bool negative = false;
    if (i < text.size() && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i < text.size() && (text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    } else if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const int base = hex ? 16 : 10;
    const quint64 limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0)
            return std::nullopt;
        magnitude = magnitude * base + quint64(d);
        if (magnitude > limit)
            return std::nullopt;
    }
    // Hexadecimal values are bit patterns; the cast keeps the low 32 bits.
    const auto pattern = static_cast<quint32>(negative ? 0 - magnitude : magnitude);
    return static_cast<qint32>(pattern);
}

QStringList splitLines(const QString& value, const QString& separator)
{
    QStringList lines;
    qsizetype start = 0;
    if (!separator.isEmpty()) {
        for (qsizetype at; (at = value.indexOf(separator, start)) >= 0; start = at + separator.size())
            lines.append(trimmed(QStringView(value).sliced(start, at - start)));
    }
    const QString last = trimmed(QStringView(value).sliced(start));
    if (!last.isEmpty())
        lines.append(last);
    return lines;
}

// The object that carries a component's published properties. The root of the tree stands for
// the application, whose properties are those of the Qt application object.
QObject* propertyObject(widgets::Component* component)
{
    if (component->object())
        return component->object();
    if (component == &widgets::Component::application())
        return QCoreApplication::instance();
    return nullptr;
}

} // namespace

namespace {

// The message is read back through what(), a C string that ends at the first NUL: a NUL in the
// value would cut off the rest of the message, so the replacement character stands in for it.
QString shownValue(QString value)
{
    return value.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
}

} // namespace

ConversionError::ConversionError(const QString& value)
    : std::runtime_error(
        QStringLiteral("'%1' is not a valid integer value").arg(shownValue(value)).toStdString())
{
}

qint32 toInteger(const QString& value)
{
    const std::optional<qint32> number = parseInteger(value);
    if (!number)
        throw ConversionError(value);
    return *number;
}

TLanguage::TLanguage(widgets::Component* owner, QObject* parent)
    : QObject(parent ? parent : (owner ? owner->object() : nullptr))
    , widgets::Component(this, owner)
{
}

TLanguage::~TLanguage() = default;

void TLanguage::setSeparator(const QString& separator)
{
    separator_ = isBlank(separator) ? QStringLiteral(",") : separator;
}

void TLanguage::Translate()
{
    if (OnBeforeTranslation)
        OnBeforeTranslation(*this);
    // Opened after the event, so a handler may still choose the file.
    const IniFile file(languageFile_);
    // A copy: a handler may edit Properties while the pass runs.
    const QStringList entries = properties_;
    for (const QString& entry : entries) {
        if (isBlank(entry))
            continue;
        TranslateProperty(entry, file.value(translationsSection, entry));
    }
    if (OnAfterTranslation)
        OnAfterTranslation(*this);
}

void TLanguage::TranslateProperty(const QString& path, const QString& newValue)
{
    QString rest = trimmed(path);
    if (rest.isEmpty())
        return;
    widgets::Component* component = &widgets::Component::application();
    for (qsizetype dot; (dot = rest.indexOf(u'.')) >= 0;) {
        const QString head = trimmed(QStringView(rest).first(dot));
        rest = trimmed(QStringView(rest).sliced(dot + 1));
        if (component)
            component = component->findComponent(head);
    }
    const QString propertyName = trimmed(rest);
    if (!component || newValue.isEmpty())
        return;

    QString value = newValue;
    if (OnTranslate) {
        QString oldValue;
        if (QObject* object = propertyObject(component)) {
            const QMetaProperty property = widgets::findPublishedProperty(object, propertyName);
            if (property.isValid() && valueKindOf(property) == ValueKind::String)
                oldValue = property.read(object).toString();
        }
        OnTranslate(*this, component, propertyName, oldValue, value);
    }

    QObject* object = propertyObject(component);
    const QMetaProperty property = widgets::findPublishedProperty(object, propertyName);
    if (!property.isValid())
        return;
    // A property published without a setter (a file list's Items) keeps its value, as one that
    // does not exist would; its value is still converted first, so that an integer that is none
    // ends the pass all the same.
    const auto write = [&](const QVariant& converted) {
        // Converted to the property's own kind, the value is always accepted.
        if (property.isWritable())
            widgets::writeProperty(object, property, converted);
    };
    switch (valueKindOf(property)) {
    case ValueKind::String:
        write(value);
        break;
    case ValueKind::Integer:
        write(toInteger(value));
        break;
    case ValueKind::Color:
        // Converted as any integer; the top byte is no part of the colour.
        write(bgr::toQColor(quint32(toInteger(value))));
        break;
    case ValueKind::StringList:
        write(splitLines(value, separator_));
        break;
    case ValueKind::Other:
        // Never write a list or a text into a property of another kind.
        break;
    }
}

} // namespace lang
