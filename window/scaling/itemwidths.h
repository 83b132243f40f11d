// SPDX-License-Identifier: GPL-3.0-or-later
// The item collections the width handlers read and write through a published property: a
// control that wants its status panels, list columns or header sections scaled publishes one of
// these (the control kinds of scalablekinds.h do).
#pragma once

#include <QObject>

namespace scaling {

// A collection of items that each have a width (status panels, list view columns).
class ItemWidths : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual int count() const = 0;
    virtual int width(int index) const = 0;
    virtual void setWidth(int index, int width) = 0;
};

// Header sections: each has a width kept between its minimum and maximum width.
class HeaderSections : public ItemWidths {
    Q_OBJECT
public:
    using ItemWidths::ItemWidths;
    virtual int minWidth(int index) const = 0;
    virtual void setMinWidth(int index, int width) = 0;
    virtual int maxWidth(int index) const = 0;
    virtual void setMaxWidth(int index, int width) = 0;
};

} // namespace scaling
