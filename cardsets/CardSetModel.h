#pragma once

#include "cardsets/CardSets.h"

#include <QAbstractListModel>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QThreadPool>
#include <functional>

namespace cardsets {

// A folder of card sets the school shares: its name, whether it answered in time and whether
// the teacher may put a set in it, and its sets, which are never changed from the list.
struct Shelf {
    QString name;
    QString folder;
    bool reachable = false;
    bool writable = false;
    QList<CardSetSummary> sets;
};

// The card sets of the card folder as a list: each row a set's name, its card count and
// what it lacks, with the strip of its first pictures as the decoration once it is made.
// Strips are made on worker threads, a few at a time, those of the rows the view shows
// first; the list never waits for one.
class CardSetModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { FolderRole = Qt::UserRole, StripReadyRole };

    // makeStrip turns a set's pictures into its strip, on a worker thread.
    using StripMaker = std::function<QImage(const QStringList& pictures)>;

    CardSetModel(QString root, QSize stripSize, StripMaker makeStrip, QObject* parent = nullptr);
    ~CardSetModel() override;

    // Looks for the card sets again. A set whose files have not changed since it was read
    // keeps its summary and its strip; only the others are read again.
    void reload();

    // A set from elsewhere, shown after those of the card folder; empty for none.
    void setOtherSet(const QString& folder);

    // The school's shared sets, shown below all others under the shelf's name, as they were
    // found (they are not read again here: the folder may be a slow network folder). A shelf
    // that did not answer is one row saying so.
    void setShelf(int index, const Shelf& shelf);
    // Whether the row is a shared set, or a shelf that did not answer; and the shelf's name.
    bool isShared(int row) const;
    QString shelfOf(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const CardSetSummary& at(int row) const { return m_sets.at(row).summary; }
    int rowOf(const QString& folder) const;
    const QString& root() const { return m_root; }
    // Whether the set lies in the card folder, where it can be renamed, copied and removed.
    bool isOwn(int row) const;

    // The rows the view shows, nearest first: their strips are made before the others.
    void preferRows(const QList<int>& rows);

    // Waits for the strips being made; for tests and the bench.
    bool waitForStrips(int milliseconds);

signals:
    void stripsDone();

private:
    struct Entry {
        CardSetSummary summary;
        QImage strip;
        bool stripReady = false;
        QString shelf; // the shared shelf the set is on; empty for any other set
    };

    void queueStrip(const QString& folder);
    void startStrips();
    void showStrip(const QString& folder, const QDateTime& stamp, const QImage& strip);
    QString about(const CardSetSummary& set) const;

    QString m_root;
    QString m_other;
    QList<Shelf> m_shelves;
    QSize m_stripSize;
    StripMaker m_makeStrip;
    QList<Entry> m_sets;
    QStringList m_waiting; // folders whose strips are to be made, the next first
    QHash<QString, QDateTime> m_making; // folder, and the stamp of the set it was made from
    QThreadPool m_pool;
};

} // namespace cardsets
