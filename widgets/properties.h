// Published properties by name: look-up ignoring ASCII case through Qt's meta-object system.
#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QStringView>

namespace widgets {

// The published property of that name, compared ignoring ASCII case. Where a class and one
// of its bases both declare a matching name ("Font" and Qt's own "font"), the most derived
// declaration wins, so the names our controls publish take precedence. Returns an invalid
// QMetaProperty when there is none. Never creates a dynamic property. Cached per class.
QMetaProperty findPublishedProperty(const QMetaObject* metaObject, QStringView name);
QMetaProperty findPublishedProperty(const QObject* object, QStringView name);

} // namespace widgets
