#include "forms/ListBox.h"

#include "forms/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
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
    : QListView(parent)
    , Geometry(this)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new RowDelegate(this));
}

int ListBox::selectedRow() const
{
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setSelectedRow(int row)
{
    if (!model())
        return;
    if (row < 0) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    setCurrentIndex(model()->index(row, 0));
}

int ListBox::rowCount() const
{
    return model() ? model()->rowCount() : 0;
}

QString ListBox::rowText(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return model()->index(row, 0).data().toString();
}

QStringList ListBox::rows() const
{
    QStringList all;
    for (int r = 0; r < rowCount(); ++r)
        all << rowText(r);
    return all;
}

// The style marks only the row a list's focus stands on, too faintly to find the list by; a
// list reached by the keyboard gets an outline in the highlight colour. A list that only the
// mouse has touched looks as it always did.
bool ListBox::viewportEvent(QEvent* event)
{
    const bool handled = QListView::viewportEvent(event);
    if (event->type() == QEvent::Paint && hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QPainter p(viewport());
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
    return handled;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    viewport()->update();
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QListView::keyPressEvent(event);
    const int after = selectedRow();
    if (after != before && after >= 0)
        emit rowClicked(after);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    QListView::mousePressEvent(event);
    m_pressedOnRow = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (!m_pressedOnRow || event->button() != Qt::LeftButton)
        return;
    m_pressedOnRow = false;
    const int r = selectedRow();
    if (r >= 0)
        emit rowClicked(r);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    m_pressedOnRow = false;
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid())
        return;
    emit rowDoubleClicked(selectedRow());
}

} // namespace forms
