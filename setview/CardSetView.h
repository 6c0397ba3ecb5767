#pragma once

#include "cardsets/CardSetModel.h"

#include <QListView>
#include <QStringList>

namespace setview {

// How the sets look: the teacher's rows, each with a strip of its first pictures, or the
// learner's large tiles of one picture each.
enum class Look { Strips, Tiles };

// The card sets of a CardSetModel as a list to choose from. Files dropped on a set, a tap on
// one and a menu asked for are told as signals; the window decides what they do. The strips
// of the rows on screen are made first.
class CardSetView : public QListView {
    Q_OBJECT

public:
    // Makes the model of the sets in `root` with the pictures this look shows.
    static cardsets::CardSetModel* makeModel(const QString& root, Look look, QObject* parent);

    CardSetView(Look look, cardsets::CardSetModel* sets, QWidget* parent = nullptr);

    // The chosen set's row; -1 for none.
    int currentRow() const;
    // Asks for the strips of the rows on screen first, those nearest the top first.
    void preferVisibleStrips();

signals:
    void filesDropped(int row, const QStringList& files);
    // A finger has no double click to spare: a tap on a set is its default action.
    void tapped(int row);
    // The menu of the chosen set, at a point of the viewport.
    void menuRequested(const QPoint& at);

protected:
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Look m_look;
    cardsets::CardSetModel* m_sets;
};

} // namespace setview
