#include "forms/ListBox.h"

#include "forms/Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWindow>
#include <vector>

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

QString removeAction()
{
    return QStringLiteral("remove");
}

// A row of a list whose rows can be removed, as assistive technology sees it: its text, where
// it is, whether it is chosen and has the keyboard, and the action that removes it.
class RowInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowInterface(ListBox* list, int row)
        : m_list(list)
        , m_row(row)
    {
    }

    bool isValid() const override { return m_list && m_row < m_list->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_list.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_list->rowText(m_row) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect shown = m_list->visualRect(index()) & m_list->viewport()->rect();
        return QRect(m_list->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        s.selected = m_list->selectionModel()->isSelected(index());
        s.focused = m_list->hasFocus() && m_list->currentIndex() == index();
        s.invisible = !m_list->isVisible();
        s.offscreen = !m_list->viewport()->rect().intersects(m_list->visualRect(index()));
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {removeAction()}; }
    QString localizedActionName(const QString& action) const override
    {
        return action == removeAction() ? QStringLiteral("Ta bort") : QString();
    }
    QString localizedActionDescription(const QString& action) const override
    {
        return action == removeAction() ? QStringLiteral("Tar bort raden ur listan") : QString();
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == removeAction() ? QStringList{QStringLiteral("Delete")} : QStringList();
    }

    // The removal comes from the event loop, as a key does, and not inside the assistive
    // technology's call.
    void doAction(const QString& action) override
    {
        if (action != removeAction() || !isValid())
            return;
        QMetaObject::invokeMethod(
            m_list, [list = m_list, row = m_row] { emit list->rowRemoveAsked(row); }, Qt::QueuedConnection);
    }

    ListBox* list() const { return m_list; }
    int row() const { return m_row; }

private:
    QModelIndex index() const { return m_list->model()->index(m_row, 0); }

    QPointer<ListBox> m_list;
    int m_row;
};

// The list of such rows. A row's interface stands for its place in the list, whatever the
// place holds, so that assistive technology keeps one object for it while rows come and go.
class RemovableRowsInterface : public QAccessibleWidget {
public:
    explicit RemovableRowsInterface(ListBox* list)
        : QAccessibleWidget(list, QAccessible::List)
    {
    }

    ~RemovableRowsInterface() override
    {
        for (QAccessible::Id id : m_rows)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->rowCount(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (int(m_rows.size()) <= index)
            m_rows.push_back(QAccessible::registerAccessibleInterface(new RowInterface(list(), int(m_rows.size()))));
        return QAccessible::accessibleInterface(m_rows[std::size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto* row = dynamic_cast<const RowInterface*>(child);
        return row && row->list() == list() && row->row() < childCount() ? row->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        return child(list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y))).row());
    }

    QAccessibleInterface* focusChild() const override
    {
        return list()->hasFocus() ? child(list()->currentIndex().row()) : nullptr;
    }

private:
    ListBox* list() const { return static_cast<ListBox*>(widget()); }

    mutable std::vector<QAccessible::Id> m_rows;
};

QAccessibleInterface* makeInterface(const QString&, QObject* object)
{
    auto* list = qobject_cast<ListBox*>(object);
    return list && list->rowsRemovable() ? new RemovableRowsInterface(list) : nullptr;
}

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

void ListBox::setRowsRemovable(bool removable)
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
    m_rowsRemovable = removable;
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
    // A list reached by the keyboard stands on a row, so that the next key acts on one; it
    // stays unchosen until a key chooses it. The view does this itself only until its
    // current row has once been set.
    if (event->reason() != Qt::MouseFocusReason && !currentIndex().isValid() && rowCount() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    viewport()->update();
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    // Held down, Delete would empty the list; each press removes one row.
    if (m_rowsRemovable && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat() && currentIndex().isValid())
            emit rowRemoveAsked(currentIndex().row());
        return;
    }
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
