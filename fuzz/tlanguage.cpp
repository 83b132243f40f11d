// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the translation of a small window of real controls from a language file. The
// first line of an input is the list of property paths, separated by "|"; the rest is the
// language file. Checks: no exception but the conversion error of an integer property leaves
// the pass, and every property that no path names keeps its value.
#include "fuzzsupport.h"
#include "qtsupport.h"
#include "textrules.h"

#include "combobox.h"
#include "component.h"
#include "label.h"
#include "panel.h"
#include "skinbutton.h"
#include "tlanguage.h"

#include <QApplication>
#include <QByteArray>
#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <set>
#include <utility>
#include <vector>

namespace {

using fuzz::sameAscii;
using fuzz::trimBlanks;
using widgets::Component;

// The window in miniature: "Form1", owned by the application, owns every control although they
// lie on the panel "Schermo"; Label4 sizes itself to its caption, Label2 does not.
class SmallWindow : public QWidget, public Component {
public:
    SmallWindow()
        : QWidget(nullptr)
        , Component(this, &Component::application(), QStringLiteral("Form1"))
    {
        auto* schermo = new widgets::Panel(this, this, QStringLiteral("Schermo"));
        schermo->setGeometry(0, 0, 814, 629);
        auto* esci = new widgets::SkinButton(schermo, this, QStringLiteral("Esci"));
        esci->setText(QStringLiteral("ESCI"));
        esci->setGeometry(735, 4, 55, 21);
        label2 = new widgets::Label(schermo, this, QStringLiteral("Label2"));
        label2->setAutoSize(false);
        label2->setCaption(QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO"));
        label4 = new widgets::Label(schermo, this, QStringLiteral("Label4"));
        label4->setCaption(QStringLiteral("0"));
        auto* stampa = new widgets::SkinButton(schermo, this, QStringLiteral("StampaCrucintarsio"));
        stampa->setText(QStringLiteral("STAMPA"));
        auto* combo = new widgets::ComboBox(schermo, this, QStringLiteral("SceltaLingua"));
        combo->setItems({QStringLiteral("italiano"), QStringLiteral("english")});
        combo->setText(QStringLiteral("italiano"));
        language = new lang::TLanguage(this);
        language->setName(QStringLiteral("Language1"));
        language->setSeparator(QStringLiteral(","));
    }

    widgets::Label* label2;
    widgets::Label* label4;
    lang::TLanguage* language;
};

// Where a path leads, walked here from the application through ownership: the component (null
// when a name matches none) and the property name.
std::pair<Component*, QString> resolve(const QString& path)
{
    QString rest = trimBlanks(path);
    Component* component = rest.isEmpty() ? nullptr : &Component::application();
    for (qsizetype dot; (dot = rest.indexOf(u'.')) >= 0;) {
        const QString head = trimBlanks(QStringView(rest).first(dot));
        rest = trimBlanks(QStringView(rest).sliced(dot + 1));
        Component* next = nullptr;
        for (int i = 0; component && i < component->componentCount() && !next; ++i) {
            if (sameAscii(component->component(i)->name(), head))
                next = component->component(i);
        }
        component = next;
    }
    return {component, rest};
}

// The properties our own classes publish (Qt's inherited ones left out), by meta-object index.
std::vector<int> ownProperties(const QObject* object)
{
    std::vector<int> indexes;
    for (const QMetaObject* meta = object->metaObject(); meta; meta = meta->superClass()) {
        const QByteArrayView className(meta->className());
        if (!className.startsWith("widgets::") && !className.startsWith("lang::"))
            continue;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            indexes.push_back(i);
    }
    return indexes;
}

QObject* objectOf(Component* component)
{
    return component->object() ? component->object() : QCoreApplication::instance();
}

// Whether the fuzzer may use a path. Left out: a path to a property that only Qt declares (a
// style sheet or a size limit reaches into Qt's own parsers and layout rules, not ours), and
// renaming a component, which changes what later paths walk.
bool usable(const QString& path)
{
    const auto [component, property] = resolve(path);
    if (!component)
        return true;
    if (sameAscii(property, u"Name"))
        return false;
    const QObject* object = objectOf(component);
    bool ours = false;
    bool qts = false;
    const std::vector<int> own = ownProperties(object);
    for (int i = 0; i < object->metaObject()->propertyCount(); ++i) {
        if (sameAscii(QString::fromLatin1(object->metaObject()->property(i).name()), property))
            (std::find(own.begin(), own.end(), i) != own.end() ? ours : qts) = true;
    }
    return ours || !qts;
}

// The value of one published property of one component of the window.
struct Snapshot {
    Component* component;
    QMetaProperty property;
    QVariant value;
};

std::vector<Snapshot> snapshot(SmallWindow& window)
{
    std::vector<Snapshot> values;
    for (int c = 0; c < window.componentCount(); ++c) {
        Component* component = window.component(c);
        QObject* object = component->object();
        for (const int i : ownProperties(object)) {
            const QMetaProperty property = object->metaObject()->property(i);
            values.push_back({component, property, property.read(object)});
        }
    }
    return values;
}

// Puts back every value an input changed, so that each input starts from the same window.
void restore(const std::vector<Snapshot>& values)
{
    for (const Snapshot& value : values) {
        QObject* object = value.component->object();
        if (value.property.read(object) != value.value)
            value.property.write(object, value.value);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::startApplication<QApplication>(*argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = std::min(input.find('\n'), input.size());
    const std::string_view file = input.substr(std::min(lineEnd + 1, input.size()));

    // One window for all inputs (building one per input would halve the rate), put back as it
    // was after each input, so that an input found failing fails again on its own.
    static SmallWindow* window = new SmallWindow();
    static const std::vector<Snapshot> initial = snapshot(*window);
    QStringList paths;
    for (const QString& path : QString::fromUtf8(input.data(), qsizetype(lineEnd)).split(u'|')) {
        if (usable(path))
            paths.append(path);
    }
    // A property is named when a path leads to it; the caption of a label that sizes itself to
    // its text moves its width and height with it.
    std::set<std::pair<Component*, QString>> named;
    for (const QString& path : paths) {
        const auto [component, property] = resolve(path);
        if (!component)
            continue;
        named.emplace(component, property.toLower());
        if (component == window->label4 && sameAscii(property, u"Caption")) {
            named.emplace(component, QStringLiteral("width"));
            named.emplace(component, QStringLiteral("height"));
        }
    }

    window->language->setProperties(paths);
    window->language->setLanguageFile(QString::fromStdString(fuzz::writeScratchFile("language.lng", file)));
    const std::vector<Snapshot> before = snapshot(*window);
    try {
        window->language->Translate();
    } catch (const lang::ConversionError& error) {
        const QString message = QString::fromStdString(error.what());
        fuzz::check(message.startsWith(u'\'') && message.endsWith(u"' is not a valid integer value"),
            "the conversion error without its message: " + message.toStdString());
    } catch (const std::exception& error) {
        fuzz::check(false, error.what());
    } catch (...) {
        fuzz::check(false, "an exception of no known kind left the pass");
    }

    for (const Snapshot& value : before) {
        if (named.count({value.component, QString::fromLatin1(value.property.name()).toLower()}))
            continue;
        fuzz::check(value.property.read(value.component->object()) == value.value,
            QStringLiteral("%1.%2 changed without a path to it")
                .arg(value.component->name(), QString::fromLatin1(value.property.name()))
                .toStdString());
    }
    restore(initial);
    return 0;
}
