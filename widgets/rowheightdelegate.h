// SPDX-License-Identifier: GPL-3.0-or-later
// RowHeightDelegate: every row of an item view as high as its control says, whatever the font.
#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace widgets {

// Draws items as QStyledItemDelegate does; only the height of a row is the one height()
// gives when the view measures the row. A control with an ItemHeight property installs it on
// its view and has the view lay its rows out again when the height changes.
class RowHeightDelegate : public QStyledItemDelegate {
public:
    RowHeightDelegate(QObject* parent, std::function<int()> height);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    std::function<int()> height_;
};

} // namespace widgets
