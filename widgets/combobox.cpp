// ComboBox: items, colours, row height and the change event of the user's edits and picks.
#include "combobox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace widgets {

namespace {

// Rows of the combo box's ItemHeight in its drop-down list.
class ComboRowDelegate : public QStyledItemDelegate {
public:
    ComboRowDelegate(ComboBox* combo)
        : QStyledItemDelegate(combo)
        , combo_(combo)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(combo_->itemHeight());
        return size;
    }

private:
    ComboBox* combo_;
};

} // namespace

ComboBox::ComboBox(QWidget* parent, Component* owner, const QString& name)
    : Control<QComboBox>(parent)
    , Component(this, owner, name)
{
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    setItemDelegate(new ComboRowDelegate(this));
    // activated: the user picked an entry, in the list or with the arrow keys on the field.
    // Qt also "activates" the entry that matches the field's text when the field loses the
    // focus (opening the list does that); that is no pick.
    connect(this, &QComboBox::activated, this, [this] {
        if (!losingFocus_)
            emit changed();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::changed);
    // Qt selects the first entry added to an empty list, which would replace the edit
    // field's text; the field keeps its text until the user picks or types.
    connect(model(), &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        if (count() == 0)
            keptText_ = currentText();
        fillingEmpty_ = count() == 0;
    });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!fillingEmpty_)
            return;
        fillingEmpty_ = false;
        const QSignalBlocker blocker(this);
        setCurrentIndex(-1);
        setEditText(keptText_);
    });
    // Removing entries, or emptying the list, leaves the field's text alone as well.
    const auto keep = [this] { keptText_ = currentText(); };
    const auto restore = [this] {
        if (currentText() == keptText_)
            return;
        const QSignalBlocker blocker(this);
        if (count() == 0)
            setCurrentIndex(-1);
        setEditText(keptText_);
    };
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, keep);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, restore);
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, keep);
    connect(model(), &QAbstractItemModel::modelReset, this, restore);
    view()->installEventFilter(this);
    lineEdit()->installEventFilter(this);
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    const bool outer = !losingFocus_;
    losingFocus_ = true;
    Control<QComboBox>::focusOutEvent(event);
    if (outer)
        losingFocus_ = false;
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::FocusOut && !losingFocus_) {
        losingFocus_ = true;
        watched->event(event);
        losingFocus_ = false;
        return true;
    }
    // In the open list the arrow keys move the selection itself, and each move is a pick.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // When the opened list takes the focus Qt makes row 0 current without selecting it:
        // step from the selected row only, so the first Down reaches the first entry.
        const QModelIndex current = view()->currentIndex();
        const int from = view()->selectionModel()->isSelected(current) ? current.row() : -1;
        int row = from;
        switch (key->key()) {
        case Qt::Key_Up:
            row = row < 0 ? 0 : row - 1;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = count() - 1;
            break;
        default:
            return Control<QComboBox>::eventFilter(watched, event);
        }
        if (key->modifiers() & Qt::AltModifier)
            return Control<QComboBox>::eventFilter(watched, event);
        if (row >= 0 && row < count() && row != from) {
            view()->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
            setCurrentIndex(row);
            emit changed();
        }
        return true;
    }
    return Control<QComboBox>::eventFilter(watched, event);
}

void ComboBox::setText(const QString& text)
{
    setEditText(text);
}

QStringList ComboBox::items() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result.append(itemText(i));
    return result;
}

void ComboBox::setItems(const QStringList& items)
{
    const QString kept = currentText();
    const QSignalBlocker blocker(this);
    QComboBox::clear();
    addItems(items);
    setEditText(kept);
}

void ComboBox::clearItems()
{
    setItems({});
}

void ComboBox::setItemHeight(int height)
{
    itemHeight_ = std::max(1, height);
    view()->doItemsLayout();
}

QColor ComboBox::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

void ComboBox::setBackgroundColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Button, color);
    p.setColor(QPalette::Window, color);
    setPalette(p);
    view()->setPalette(p);
}

QColor ComboBox::textColor() const
{
    return palette().color(QPalette::Text);
}

void ComboBox::setTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    view()->setPalette(p);
}

} // namespace widgets
