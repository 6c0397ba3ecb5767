#include "forms/ListBox.h"

#include "runtime/Int16.h"
#include "forms/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace forms {

namespace {

// Every row is 240 twips high.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(toPixels(240));
        return size;
    }
};

} // namespace

ListBox::ListBox(QWidget* parent)
    : QListWidget(parent)
    , Geometry(this)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new RowDelegate(this));
}

QListWidgetItem* ListBox::makeItem(const QString& text) const
{
    return new QListWidgetItem(text);
}

QString ListBox::row(int r) const
{
    if (r < 0 || r >= count())
        return {};
    return item(r)->text();
}

void ListBox::setRow(int r, const QString& text)
{
    if (r >= 0 && r < count())
        item(r)->setText(text);
    else if (r == count())
        addItem(makeItem(text));
    else
        runtime::indexOutOfBounds(r, 0, count());
}

void ListBox::removeRow(int r)
{
    if (r < 0 || r >= count())
        runtime::indexOutOfBounds(r, 0, count() - 1);
    delete takeItem(r);
}

int ListBox::ListIndex() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : QListWidget::row(selected.first());
}

void ListBox::setListIndex(int r)
{
    if (r < 0) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    if (r >= count())
        runtime::indexOutOfBounds(r, -1, count() - 1);
    setCurrentRow(r);
}

QStringList ListBox::rows() const
{
    QStringList all;
    for (int r = 0; r < count(); ++r)
        all << item(r)->text();
    return all;
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = ListIndex();
    QListWidget::keyPressEvent(event);
    const int after = ListIndex();
    if (after != before && after >= 0)
        emit rowClicked(after);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    m_pressedOnRow = event->button() == Qt::LeftButton && itemAt(event->position().toPoint());
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (!m_pressedOnRow || event->button() != Qt::LeftButton)
        return;
    m_pressedOnRow = false;
    const int r = ListIndex();
    if (r >= 0)
        emit rowClicked(r);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    m_pressedOnRow = false;
    if (event->button() != Qt::LeftButton || !itemAt(event->position().toPoint()))
        return;
    emit rowDoubleClicked(ListIndex());
}

} // namespace forms
