// SPDX-License-Identifier: GPL-3.0-or-later
// RowHeightDelegate: the styled delegate's size with a row height of its control's.
#include "rowheightdelegate.h"

#include <utility>

namespace widgets {

RowHeightDelegate::RowHeightDelegate(QObject* parent, std::function<int()> height)
    : QStyledItemDelegate(parent)
    , height_(std::move(height))
{
}

QSize RowHeightDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(height_());
    return size;
}

} // namespace widgets
