// SPDX-License-Identifier: GPL-3.0-or-later
// TLanguage: the translation component, which rewrites named properties of components from
// the section "Translations" of a language file.
#pragma once

#include "component.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace lang {

// Raised when a value written to an integer property is not a signed 32-bit integer.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& value);
};

// Converts a value for an integer property: optional leading spaces, then decimal digits with
// an optional sign, or hexadecimal digits after "$", "x" or "0x" (x in either case). Decimal
// numbers must lie in the signed 32-bit range; hexadecimal ones up to FFFFFFFF give the 32-bit
// pattern ($FFFFFFFF is -1). Anything else throws ConversionError.
qint32 toInteger(const QString& value);

// Each entry of Properties is a path "Owner.Component.Property", walked from the application
// object through ownership, names compared ignoring ASCII case. Translate() reads one value
// per entry from LanguageFile and writes it into the property it names; only string, integer,
// colour and string-list properties are written, every other kind is left alone. A colour
// (QColor) is converted as an integer $00BBGGRR (red in the low byte; the top byte is ignored).
class TLanguage : public QObject, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(QStringList Properties READ properties WRITE setProperties)
    Q_PROPERTY(QString Separator READ separator WRITE setSeparator)

public:
    using NotifyEvent = std::function<void(TLanguage& sender)>;
    using TranslateEvent = std::function<void(TLanguage& sender, widgets::Component* component,
        const QString& propertyName, const QString& oldValue, QString& newValue)>;

    // owner may be null. Without a parent the component becomes a Qt child of the owner's
    // object, so it is destroyed with its owner.
    explicit TLanguage(widgets::Component* owner, QObject* parent = nullptr);
    ~TLanguage() override;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    const QString& languageFile() const { return languageFile_; }
    void setLanguageFile(const QString& path) { languageFile_ = path; }

    // The owned list itself; assigning copies the lines of the given list.
    QStringList& properties() { return properties_; }
    const QStringList& properties() const { return properties_; }
    void setProperties(const QStringList& lines) { properties_ = lines; }

    // Used to split values written to string-list properties. Assigning a blank text stores
    // ","; any other text is stored untrimmed. Empty until first assigned.
    const QString& separator() const { return separator_; }
    void setSeparator(const QString& separator);

    // Raised at the start and at the end of every pass (not at the end of a pass ended by an
    // exception), and for every entry just before its value is written; the OnTranslate
    // handler may change the value, also to the empty text, which is then written as it is.
    NotifyEvent OnBeforeTranslation;
    NotifyEvent OnAfterTranslation;
    TranslateEvent OnTranslate;

    // Applies LanguageFile to every non-blank entry of Properties, in order. The file is read
    // once, after OnBeforeTranslation; a missing file gives empty values, which change nothing.
    // A ConversionError ends the pass where it stands: earlier entries keep their new values.
    void Translate();
    // One step of Translate: resolves path and writes newValue (nothing when it is empty or the
    // path reaches no component).
    void TranslateProperty(const QString& path, const QString& newValue);

private:
    int tag_ = 0;
    QString languageFile_;
    QStringList properties_;
    QString separator_;
};

} // namespace lang
