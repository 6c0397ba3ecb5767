#include "cardsets/CardSetModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace cardsets {

namespace {

QString countText(int count)
{
    return QStringLiteral("%1 kort").arg(count);
}

} // namespace

CardSetModel::CardSetModel(QString root, QSize stripSize, StripMaker makeStrip, QObject* parent)
    : QAbstractListModel(parent)
    , m_root(QDir(root).absolutePath())
    , m_stripSize(stripSize)
    , m_makeStrip(std::move(makeStrip))
{
    // Every core: the window's thread waits for events most of the time, and the strips
    // are what the teacher waits for.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

CardSetModel::~CardSetModel()
{
    m_waiting.clear();
    m_pool.waitForDone();
}

void CardSetModel::setOtherSet(const QString& folder)
{
    m_other = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
    reload();
}

void CardSetModel::reload()
{
    QStringList folders = findCardSets(m_root);
    if (!m_other.isEmpty() && !folders.contains(m_other))
        folders << m_other;
    QHash<QString, Entry> shared;
    for (const Shelf& shelf : m_shelves) {
        if (!shelf.reachable) {
            CardSetSummary gone;
            gone.folder = shelf.folder;
            gone.name = shelf.name;
            gone.readable = false;
            gone.writable = false;
            gone.problem = QStringLiteral("Kan inte nås just nu");
            shared.insert(gone.folder, Entry{gone, {}, false, shelf.name});
            folders << gone.folder;
            continue;
        }
        for (const CardSetSummary& set : shelf.sets) {
            if (folders.contains(set.folder))
                continue;
            shared.insert(set.folder, Entry{set, {}, false, shelf.name});
            folders << set.folder;
        }
    }

    // Told row by row rather than as a new list, so that a view keeps its chosen row and
    // where it was scrolled to.
    for (qsizetype row = m_sets.size() - 1; row >= 0; --row) {
        if (!folders.contains(m_sets.at(row).summary.folder)) {
            beginRemoveRows({}, int(row), int(row));
            m_sets.removeAt(row);
            endRemoveRows();
        }
    }
    for (int i = 0; i < folders.size(); ++i) {
        const QString& folder = folders.at(i);
        int at = -1;
        for (int row = i; row < m_sets.size() && at < 0; ++row) {
            if (m_sets.at(row).summary.folder == folder)
                at = row;
        }
        if (at < 0) {
            beginInsertRows({}, i, i);
            m_sets.insert(i, shared.contains(folder) ? shared.value(folder) : Entry{summarize(folder), {}, false});
            endInsertRows();
            continue;
        }
        if (at > i) {
            beginMoveRows({}, at, at, {}, i);
            m_sets.move(at, i);
            endMoveRows();
        }
        if (shared.contains(folder)) {
            const Entry& found = shared[folder];
            if (m_sets.at(i).shelf != found.shelf || m_sets.at(i).summary.changed != found.summary.changed
                || m_sets.at(i).summary.problem != found.summary.problem) {
                m_sets[i] = found;
                emit dataChanged(index(i), index(i));
            }
        } else if (m_sets.at(i).summary.changed != changedAt(folder)) {
            m_sets[i] = Entry{summarize(folder), {}, false};
            emit dataChanged(index(i), index(i));
        }
    }

    m_waiting.clear();
    for (const Entry& entry : m_sets) {
        if (!entry.stripReady)
            queueStrip(entry.summary.folder);
    }
    startStrips();
}

int CardSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_sets.size());
}

void CardSetModel::setShelf(int index, const Shelf& shelf)
{
    if (index < 0)
        return;
    while (m_shelves.size() <= index)
        m_shelves << Shelf{};
    m_shelves[index] = shelf;
    reload();
}

bool CardSetModel::isShared(int row) const
{
    return row >= 0 && row < m_sets.size() && !m_sets.at(row).shelf.isEmpty();
}

QString CardSetModel::shelfOf(int row) const
{
    return row >= 0 && row < m_sets.size() ? m_sets.at(row).shelf : QString();
}

QString CardSetModel::about(const CardSetSummary& set) const
{
    QString about = set.readable ? countText(set.count) : QStringLiteral("Kan inte läsas");
    if (const int row = rowOf(set.folder); isShared(row)) {
        if (!set.problem.isEmpty())
            return set.problem;
        if (!set.readable)
            about = QStringLiteral("Kortleksfil");
        about = m_sets.at(row).shelf + QStringLiteral(" – ") + about;
    }
    if (!set.playable())
        about += QStringLiteral(" – ") + set.problem;
    else if (const QString lacking = set.lacking(); !lacking.isEmpty())
        about += QStringLiteral(" – ") + lacking;
    return about;
}

QVariant CardSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_sets.size())
        return {};
    const Entry& entry = m_sets.at(index.row());
    const CardSetSummary& set = entry.summary;
    switch (role) {
    case Qt::DisplayRole:
        return set.name + QLatin1Char('\n') + about(set);
    case Qt::AccessibleTextRole:
        return set.name + QStringLiteral(", ") + about(set);
    case Qt::ToolTipRole:
        return QDir::toNativeSeparators(set.folder);
    case Qt::DecorationRole:
        if (entry.stripReady)
            return entry.strip;
        {
            // Room for the strip to come, so that the rows do not move when it does.
            QImage empty(m_stripSize, QImage::Format_ARGB32_Premultiplied);
            empty.fill(Qt::transparent);
            return empty;
        }
    case FolderRole:
        return set.folder;
    case StripReadyRole:
        return entry.stripReady;
    default:
        return {};
    }
}

int CardSetModel::rowOf(const QString& folder) const
{
    const QString absolute = QDir(folder).absolutePath();
    for (int i = 0; i < m_sets.size(); ++i) {
        if (m_sets.at(i).summary.folder == absolute)
            return i;
    }
    return -1;
}

bool CardSetModel::isOwn(int row) const
{
    return row >= 0 && row < m_sets.size() && m_sets.at(row).summary.folder != m_other && !isShared(row);
}

void CardSetModel::preferRows(const QList<int>& rows)
{
    QStringList first;
    for (int row : rows) {
        if (row < 0 || row >= m_sets.size())
            continue;
        const QString& folder = m_sets.at(row).summary.folder;
        if (m_waiting.removeOne(folder))
            first << folder;
    }
    m_waiting = first + m_waiting;
}

void CardSetModel::queueStrip(const QString& folder)
{
    const int row = rowOf(folder);
    if (row < 0)
        return;
    if (m_sets.at(row).summary.pictures.isEmpty()) {
        // The empty room is taken while the row still asks for it: once ready, the row
        // gives its own strip, which would be none, and the text would move into the room.
        m_sets[row].strip = data(index(row), Qt::DecorationRole).value<QImage>();
        m_sets[row].stripReady = true;
        return;
    }
    if (!m_waiting.contains(folder))
        m_waiting << folder;
}

// A few strips at a time: a strip asked for later can still go before those not yet begun.
void CardSetModel::startStrips()
{
    while (!m_waiting.isEmpty() && m_making.size() < m_pool.maxThreadCount()) {
        const QString folder = m_waiting.takeFirst();
        const int row = rowOf(folder);
        if (row < 0 || m_making.contains(folder))
            continue;
        const CardSetSummary& set = m_sets.at(row).summary;
        m_making.insert(folder, set.changed);
        auto* watcher = new QFutureWatcher<int>(this);
        const QDateTime stamp = set.changed;
        connect(watcher, &QFutureWatcher<int>::finished, this, [this, watcher, folder, stamp] {
            watcher->deleteLater();
            m_making.remove(folder);
            const int row = rowOf(folder);
            // A set changed meanwhile gets the strip its new summary asked for instead.
            if (row >= 0 && m_sets.at(row).summary.changed == stamp) {
                m_sets[row].summary.brokenPicture = watcher->result();
                emit dataChanged(index(row), index(row));
            } else if (row >= 0 && !m_sets.at(row).stripReady) {
                queueStrip(folder);
            }
            startStrips();
            if (m_waiting.isEmpty() && m_making.isEmpty())
                emit stripsDone();
        });
        // The strip is shown as soon as it is made; then the pictures the cards show are
        // tried, so that a set the game could not show is marked as one with a picture
        // missing is.
        watcher->setFuture(QtConcurrent::run(&m_pool, [this, make = m_makeStrip, pictures = set.pictures,
                                                       cards = set.cardPictures, folder, stamp] {
            const QImage strip = make(pictures);
            QMetaObject::invokeMethod(this, [this, folder, stamp, strip] { showStrip(folder, stamp, strip); },
                                      Qt::QueuedConnection);
            return cardsWithBrokenPictures(cards);
        }));
    }
    if (m_waiting.isEmpty() && m_making.isEmpty())
        emit stripsDone();
}

void CardSetModel::showStrip(const QString& folder, const QDateTime& stamp, const QImage& strip)
{
    const int row = rowOf(folder);
    if (row < 0 || m_sets.at(row).summary.changed != stamp)
        return;
    m_sets[row].strip = strip;
    m_sets[row].stripReady = true;
    emit dataChanged(index(row), index(row), {Qt::DecorationRole, StripReadyRole});
}

bool CardSetModel::waitForStrips(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!(m_waiting.isEmpty() && m_making.isEmpty())) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

} // namespace cardsets
