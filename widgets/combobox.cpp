// SPDX-License-Identifier: GPL-3.0-or-later
// ComboBox: items, colours, row height and the change event of the user's edits and picks.
#include "combobox.h"

#include "rowheightdelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace widgets {

// The edit field. QComboBox hands its field the focus and key events it gets itself by calling
// the field's event() directly, past any event filter, so the field's own event() is where
// Qt's "activations" that are no pick are told apart: the field losing the focus, and Return
// or Enter in the field, each make Qt activate the entry that matches the field's text.
class ComboBox::Field : public QLineEdit {
public:
    explicit Field(ComboBox* combo)
        : QLineEdit(combo)
        , combo_(combo)
    {
    }

protected:
    bool event(QEvent* event) override
    {
        if (!picksNothing(event))
            return QLineEdit::event(event);
        const QScopedValueRollback<bool> quiet(combo_->noPick_, true);
        return QLineEdit::event(event);
    }

private:
    static bool picksNothing(const QEvent* event)
    {
        if (event->type() == QEvent::FocusOut)
            return true;
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }

    ComboBox* combo_;
};

ComboBox::ComboBox(QWidget* parent, Component* owner, const QString& name)
    : Control<QComboBox>(parent)
    , Component(this, owner, name)
{
    setEditable(true);
    // The field Qt made for the editable box, replaced by one that knows which of Qt's
    // activations are no pick; it takes the palette Qt gives its own field.
    auto* field = new Field(this);
    field->setPalette(palette());
    setLineEdit(field);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    setItemDelegate(new RowHeightDelegate(this, [this] { return itemHeight_; }));
    // activated: the user picked an entry, in the list or with the arrow keys on the field.
    // Qt also "activates" the entry that matches the field's text when the field loses the
    // focus (opening the list does that) and on Return in the field; Field marks those.
    connect(this, &QComboBox::activated, this, [this] {
        if (!noPick_)
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
}

// The row selected in the list, -1 for none: when the opened list takes the focus Qt makes
// row 0 current without selecting it.
int ComboBox::selectedRow() const
{
    const QModelIndex current = view()->currentIndex();
    return view()->selectionModel()->isSelected(current) ? current.row() : -1;
}

void ComboBox::pick(int row)
{
    view()->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
    setCurrentIndex(row);
    emit changed();
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // Qt takes the highlighted entry on Return in the open list, as a click would, already when
    // the key is offered as a short-cut; with no entry highlighted it would take the first.
    if (watched == view()
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedRow() < 0) {
            hidePopup();
            return true;
        }
    }
    // In the open list every move of the selection to an entry by the keyboard is a pick.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            return Control<QComboBox>::eventFilter(watched, event);
        // Steps start from the selected entry: with none, the first Down or Up reaches the first.
        const int from = selectedRow();
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
            // Type-ahead: the list moves to the next entry that starts with the letters typed.
            if (key->text().isEmpty() || !key->text().front().isPrint())
                return Control<QComboBox>::eventFilter(watched, event);
            view()->keyboardSearch(key->text());
            row = selectedRow();
            break;
        }
        if (row >= 0 && row < count() && row != from)
            pick(row);
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
