// SPDX-License-Identifier: GPL-3.0-or-later
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

// Writes a value already of the property's own type to a property published with a setter: a
// refused write is then a fault in the program (asserted), never bad input. Shared by the
// scaling handlers and the translation component.
void writeProperty(QObject* object, const QMetaProperty& property, const QVariant& value);

} // namespace widgets
