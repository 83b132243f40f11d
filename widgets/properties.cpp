// SPDX-License-Identifier: GPL-3.0-or-later
// Published properties by name, with a per-class cache of case-insensitive look-ups.
#include "properties.h"

#include "component.h"

#include <QHash>

namespace widgets {

QMetaProperty findPublishedProperty(const QMetaObject* metaObject, QStringView name)
{
    if (!metaObject)
        return {};
    // One GUI thread runs everything, so a plain static cache is enough.
    static QHash<const QMetaObject*, QHash<QString, int>> cache;
    QHash<QString, int>& perClass = cache[metaObject];
    const QString key = asciiLower(name);
    auto hit = perClass.constFind(key);
    int index = -1;
    if (hit != perClass.constEnd()) {
        index = hit.value();
    } else {
        // Highest index first: the most derived class declares the last properties.
        for (int i = metaObject->propertyCount() - 1; i >= 0; --i) {
            if (sameAsciiName(QString::fromLatin1(metaObject->property(i).name()), name)) {
                index = i;
                break;
            }
        }
        perClass.insert(key, index);
    }
    return index >= 0 ? metaObject->property(index) : QMetaProperty();
}

QMetaProperty findPublishedProperty(const QObject* object, QStringView name)
{
    return object ? findPublishedProperty(object->metaObject(), name) : QMetaProperty();
}

void writeProperty(QObject* object, const QMetaProperty& property, const QVariant& value)
{
    [[maybe_unused]] const bool written = property.write(object, value);
    Q_ASSERT(written);
}

} // namespace widgets
