#include "setview/CardSetView.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>

namespace setview {

namespace {

constexpr QSize kCell{48, 48};
// The learner's tile: one picture, large enough to know the set by.
constexpr QSize kTile{240, 180};

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

cardsets::CardSetModel* CardSetView::makeModel(const QString& root, Look look, QObject* parent)
{
    if (look == Look::Tiles)
        return new cardsets::CardSetModel(
            root, kTile, [](const QStringList& pictures) { return cardsets::pictureTile(pictures, kTile); }, parent);
    return new cardsets::CardSetModel(
        root, cardsets::stripSize(kCell), [](const QStringList& pictures) { return cardsets::pictureStrip(pictures, kCell); },
        parent);
}

CardSetView::CardSetView(Look look, cardsets::CardSetModel* sets, QWidget* parent)
    : QListView(parent)
    , m_look(look)
    , m_sets(sets)
{
    setModel(sets);
    setAccessibleName(QStringLiteral("Kortlekar"));
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    if (look == Look::Tiles) {
        setViewMode(QListView::IconMode);
        setIconSize(kTile);
        setGridSize(kTile + QSize(24, 72));
        setResizeMode(QListView::Adjust);
        setMovement(QListView::Static);
        setSpacing(8);
        QFont large = font();
        large.setPointSizeF(large.pointSizeF() * 1.5);
        setFont(large);
    } else {
        setIconSize(cardsets::stripSize(kCell));
        setSpacing(4);
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
    }
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CardSetView::preferVisibleStrips);
}

int CardSetView::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CardSetView::preferVisibleStrips()
{
    const QModelIndex top = indexAt(QPoint(1, 1));
    QList<int> rows;
    for (int row = top.isValid() ? top.row() : 0; row < m_sets->rowCount(); ++row) {
        if (isVisible() && !visualRect(m_sets->index(row)).intersects(viewport()->rect()))
            break;
        rows << row;
    }
    m_sets->preferRows(rows);
}

// The set under the pointer, or the chosen set where the Menu key asks.
void CardSetView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_look == Look::Tiles)
        return;
    if (event->reason() != QContextMenuEvent::Mouse) {
        if (currentIndex().isValid())
            emit menuRequested(visualRect(currentIndex()).center());
        return;
    }
    const QPoint at = viewport()->mapFromGlobal(event->globalPos());
    if (const QModelIndex item = indexAt(at); item.isValid()) {
        setCurrentIndex(item);
        emit menuRequested(at);
    }
}

bool CardSetView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        if (m_look == Look::Tiles)
            break;
        auto* drag = static_cast<QDropEvent*>(event);
        const QModelIndex item = indexAt(drag->position().toPoint());
        if (item.isValid() && !localFiles(drag->mimeData()).isEmpty()) {
            setCurrentIndex(item);
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QModelIndex item = indexAt(drop->position().toPoint());
        const QStringList files = localFiles(drop->mimeData());
        if (!item.isValid() || files.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        emit filesDropped(item.row(), files);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* release = static_cast<QMouseEvent*>(event);
        if (release->device() && release->device()->type() == QInputDevice::DeviceType::TouchScreen) {
            if (const QModelIndex item = indexAt(release->position().toPoint()); item.isValid()) {
                setCurrentIndex(item);
                emit tapped(item.row());
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QListView::viewportEvent(event);
}

} // namespace setview
