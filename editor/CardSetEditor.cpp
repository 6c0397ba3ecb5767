#include "editor/CardSetEditor.h"

#include "runtime/Int16.h"
#include "settings/CardSetFile.h"
#include "settings/FileError.h"

#include <QCryptographicHash>
#include <QFile>

#include <limits>

namespace editor {

CardSetEditor::CardSetEditor()
{
    for (auto& list : m_lists)
        list = std::make_unique<QStringListModel>();
    m_loaded = cardSetToSave();
}

namespace {

// The count options in their order, with the height of a list for each.
struct CountOption {
    qint16 cards;
    qint16 listHeight;
};
constexpr CountOption kCountOptions[] = {{3, 750}, {5, 1230}, {10, 2430}};

} // namespace

qint16 cardsFor(CountChoice choice)
{
    return kCountOptions[int(choice)].cards;
}

qint16 listHeightFor(CountChoice choice)
{
    return kCountOptions[int(choice)].listHeight;
}

void CardSetEditor::load(const settings::CardSet& set)
{
    for (int k = 0; k < 4; ++k) {
        m_lists[k]->setStringList({});
        m_counters[k] = 0;
    }
    for (int i = 0; i < set.cards.size(); ++i) {
        const settings::Card& card = set.cards[i];
        const std::pair<List, const QString&> entries[] = {{List::UpperPictures, card.upperPicture},
                                                           {List::LowerPictures, card.lowerPicture},
                                                           {List::UpperTexts, card.upperText},
                                                           {List::LowerTexts, card.lowerText}};
        for (const auto& [list, entry] : entries) {
            if (entry.isEmpty())
                continue;
            // Every entry stays on its own card's row. A file that leaves a list's earlier row
            // empty gets empty rows in between, and the counter then stands one past the
            // filled row, so that a later chosen entry never replaces a loaded one.
            QStringListModel& rows = *m_lists[int(list)];
            while (rows.rowCount() < i)
                setRow(list, rows.rowCount(), QString());
            setRow(list, i, entry);
            m_counters[int(list)] = runtime::int16(i + 1);
        }
    }
    m_displays = {set.upperDisplay, set.lowerDisplay};
    applyCount(set.count == 3 ? CountChoice::Three : set.count == 5 ? CountChoice::Five : CountChoice::Ten);
    m_loaded = cardSetToSave();
}

void CardSetEditor::applyCount(CountChoice choice)
{
    m_countChoice = choice;
    m_count = cardsFor(choice);
}

void CardSetEditor::chooseCount(CountChoice choice)
{
    applyCount(choice);
    for (int k = 0; k < 4; ++k) {
        if (m_counters[k] <= m_count)
            continue;
        // The counted rows past the count go; rows behind the counted ones (the empty rows a
        // copy leaves) move up and stay.
        const int surplus = runtime::int16(m_counters[k] - m_count);
        m_lists[k]->removeRows(m_count, surplus);
        m_counters[k] = m_count;
    }
}

QString CardSetEditor::row(List list, int r) const
{
    const QStringListModel& rows = *m_lists[int(list)];
    if (r < 0 || r >= rows.rowCount())
        return {};
    return rows.index(r).data().toString();
}

void CardSetEditor::setRow(List list, int r, const QString& text)
{
    QStringListModel& rows = *m_lists[int(list)];
    if (r == rows.rowCount())
        rows.insertRows(r, 1);
    else if (r < 0 || r > rows.rowCount())
        runtime::indexOutOfBounds(r, 0, rows.rowCount());
    rows.setData(rows.index(r), text);
}

bool CardSetEditor::isInList(List list, const QString& entry) const
{
    const qint16 counted = m_counters[int(list)];
    if (counted == 0)
        return false;
    for (int r = 0; r <= counted; ++r) {
        if (row(list, r) == entry)
            return true;
    }
    return false;
}

bool CardSetEditor::appendEntry(List list, const QString& entry)
{
    qint16& counter = m_counters[int(list)];
    if (counter >= m_count || entry.isEmpty() || isInList(list, entry))
        return false;
    setRow(list, counter, entry);
    counter = runtime::int16(counter + 1);
    return true;
}

bool CardSetEditor::choosePicture(Row row, const QString& name)
{
    return appendEntry(listOf(row, Kind::Pictures), name);
}

bool CardSetEditor::addText(Row row, const QString& text)
{
    return appendEntry(listOf(row, Kind::Texts), text);
}

void CardSetEditor::removeRow(List list, int r)
{
    QStringListModel& rows = *m_lists[int(list)];
    if (r < 0 || r >= rows.rowCount())
        return;
    rows.removeRows(r, 1);
    // An empty row behind the counted ones (left by a copy) leaves the counter where it is.
    qint16& counter = m_counters[int(list)];
    if (r < counter)
        counter = runtime::int16(counter - 1);
}

void CardSetEditor::copyFromUpper(Kind kind)
{
    const List from = listOf(Row::Upper, kind);
    const List to = listOf(Row::Lower, kind);
    qint16 pastLastEntry = 0;
    for (int r = 0; r < m_count; ++r) {
        const QString entry = row(from, r);
        setRow(to, r, entry);
        // The next chosen entry goes just past the last one copied, never over one of them,
        // also when the upper list has a gap.
        if (!entry.isEmpty())
            pastLastEntry = runtime::int16(r + 1);
    }
    m_counters[int(to)] = pastLastEntry;
}

settings::CardSet CardSetEditor::cardSetToSave() const
{
    settings::CardSet set{m_count, display(Row::Upper), display(Row::Lower), {}};
    for (int i = 0; i < m_count; ++i) {
        set.cards << settings::Card{row(List::UpperPictures, i), row(List::LowerPictures, i), row(List::UpperTexts, i),
                                    row(List::LowerTexts, i)};
    }
    return set;
}

settings::CardSet readCardSetToEdit(const QString& path)
{
    settings::ReadRules rules;
    rules.checkCount = [](qint16 count, const QString& file, int line) {
        if (count == std::numeric_limits<qint16>::min())
            throw settings::fileError(file, line,
                                      QStringLiteral("antalet kort är %1, och så många kort kan inte läsas").arg(count));
    };
    return settings::readCardSet(path, rules);
}

FileStamp FileStamp::of(const QString& path)
{
    FileStamp stamp;
    QFile file(path);
    if (!file.exists())
        return stamp;
    stamp.m_state = State::Unreadable;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(QIODevice::ReadOnly) && hash.addData(&file)) {
        stamp.m_state = State::Read;
        stamp.m_hash = hash.result();
    }
    return stamp;
}

bool FileStamp::changedSince(const FileStamp& earlier) const
{
    return m_state == State::Read && (earlier.m_state != State::Read || m_hash != earlier.m_hash);
}

} // namespace editor
