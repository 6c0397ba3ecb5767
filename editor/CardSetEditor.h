#pragma once

#include "settings/CardSet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringListModel>
#include <array>

namespace editor {

// The two rows of cards, each edited on a page of its own.
enum class Row { Upper = 0, Lower = 1 };

// The four lists of a card set being edited. Row r of each list belongs to card r, so the
// entries of one card are found by their place: "Det är viktigt att texter och bilder som hör
// ihop har samma nummer."
enum class List { UpperPictures = 0, UpperTexts = 1, LowerPictures = 2, LowerTexts = 3 };

enum class Kind { Pictures, Texts };

// The counts a teacher chooses between.
enum class CountChoice { Three = 0, Five = 1, Ten = 2 };

constexpr List listOf(Row row, Kind kind)
{
    return List(2 * int(row) + (kind == Kind::Texts ? 1 : 0));
}

// The card set the supervisor tool edits: four lists, each with a counter of the rows taken
// as filled, which is where the next chosen entry of that list goes; the count of cards; and
// what each row shows. A list may hold more rows than its counter (empty rows left by a copy).
//
// The lists keep these rules: setting row r replaces its text when the list has more than r
// rows and appends a row when it has exactly r; reading a row at or past the end gives an
// empty text; removing a row moves the rows behind it up one place.
//
// A request the card set cannot take (a full list, an empty text, an entry already there) is
// refused without a word and changes nothing.
class CardSetEditor {
public:
    CardSetEditor();

    // Fills the lists from a stored card set and takes the count it chooses: 3 and 5 cards
    // as stored, any other count as 10. Nothing is cut.
    void load(const settings::CardSet& set);

    qint16 count() const { return m_count; }
    CountChoice countChoice() const { return m_countChoice; }
    // Takes the count, and cuts every list whose counter is above it down to the count.
    void chooseCount(CountChoice choice);

    settings::RowDisplay display(Row row) const { return m_displays[int(row)]; }
    void setDisplay(Row row, settings::RowDisplay display) { m_displays[int(row)] = display; }

    // A picture chosen for the row's next card; false when it is refused.
    bool choosePicture(Row row, const QString& name);
    // A text for the row's next card; false when it is refused.
    bool addText(Row row, const QString& text);
    // Removes a row of a list; -1 (no row) removes nothing. Only a counted row lowers the
    // counter.
    void removeRow(List list, int row);
    // Copies the upper row's pictures or texts into the lower row, card by card, for the
    // cards of the count; the lower list's own rows beyond them stay.
    void copyFromUpper(Kind kind);

    // What "Spara" writes: the count, the displays and a card for each of the count.
    settings::CardSet cardSetToSave() const;
    // Whether "Spara" would now write another card set than it would have right after load():
    // edits that were undone by hand, or that leave what is saved as it was, do not count.
    bool hasChanges() const { return !(cardSetToSave() == m_loaded); }

    QStringList rows(List list) const { return m_lists[int(list)]->stringList(); }
    QString row(List list, int r) const;
    qint16 counter(List list) const { return m_counters[int(list)]; }
    // The list as a model for a list view to show.
    QStringListModel* model(List list) const { return m_lists[int(list)].get(); }

private:
    void applyCount(CountChoice choice);
    void setRow(List list, int r, const QString& text);
    // Whether `entry` stands in a counted row of the list, or in the row just past them.
    bool isInList(List list, const QString& entry) const;
    bool appendEntry(List list, const QString& entry);

    std::array<std::unique_ptr<QStringListModel>, 4> m_lists;
    std::array<qint16, 4> m_counters{};
    qint16 m_count = 3;
    CountChoice m_countChoice = CountChoice::Three;
    std::array<settings::RowDisplay, 2> m_displays{settings::RowDisplay::Texts, settings::RowDisplay::Pictures};
    settings::CardSet m_loaded;
};

// What a file held when the tool read it, so that a save can tell whether someone else (a
// second window, a text editor, a colleague on a shared folder) has changed it since.
class FileStamp {
public:
    // Never throws.
    static FileStamp of(const QString& path);

    // Whether the file now holds something else than at `earlier`, so that writing it would
    // put someone's work aside. A file that has gone holds nothing to lose; one that cannot
    // be read now (no descriptor to spare, no permission) cannot be told changed, and
    // writing it meets the same trouble and says so.
    bool changedSince(const FileStamp& earlier) const;

private:
    enum class State { Missing, Unreadable, Read };
    State m_state = State::Missing;
    QByteArray m_hash;
};

// The cards a list takes for a choice, and the height in twips its list is shown at: a row of
// 240 twips a card and 30 more.
qint16 cardsFor(CountChoice choice);
qint16 listHeightFor(CountChoice choice);

// The card set as the supervisor tool reads it: any count but -32768, whose last card could
// not be numbered; a count of 0 or less has no cards, one above 10 has that many. Throws
// runtime::Error naming the file and the line.
settings::CardSet readCardSetToEdit(const QString& path);

} // namespace editor
