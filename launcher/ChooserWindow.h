#pragma once

#include "launcher/CardSets.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace launcher {

// What can be done with a card set: play it in Kortvy or change it in Kortvyadm.
enum class Action { Play, Edit };

// "Kortlekar": the card sets in the user's card folder, each with its name, its card count
// and its first pictures, and what can be done with them. The window only shows; the
// rules are in CardSets and Pictures, and what running a program means is up to whoever
// takes runRequested().
class ChooserWindow : public QWidget {
    Q_OBJECT

public:
    // defaultAction is what Enter, a double click or a tap on a set does.
    ChooserWindow(const QString& root, Action defaultAction, QWidget* parent = nullptr);

    // Reads the card sets again, keeping the chosen one chosen where it still is.
    void reload();

    const QList<CardSetSummary>& sets() const { return m_sets; }
    int currentSet() const;
    void setCurrentSet(int index);

    // Runs the action on the chosen set when the set allows it.
    void run(Action action);

    // Makes a card set with the name; a refused name is told with the reason. Returns
    // whether the set was made.
    bool makeSet(const QString& name);

    // Copies the files into the set's folder and tells, in one message, which did not go in.
    void addPictures(int index, const QStringList& files);

    // A message in a box of this window that does not stop the program while it is open;
    // afterwards, if given, runs then.
    void tell(const QString& message, const std::function<void()>& then = {});

signals:
    // A program is to run on a card set: the action and the set's folder.
    void runRequested(launcher::Action action, const QString& folder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void askName(const QString& suggestion);
    void choosePictures();
    void openFolder();
    void editPlayOptions();
    void updateButtons();
    void loadStrip(int index);
    QListWidgetItem* itemFor(const CardSetSummary& set) const;

    QString m_root;
    Action m_defaultAction;
    QList<CardSetSummary> m_sets;
    int m_generation = 0;

    QListWidget* m_list;
    QLabel* m_status;
    QPushButton* m_play;
    QPushButton* m_edit;
    QPushButton* m_new;
    QPushButton* m_add;
    QPushButton* m_open;
    QPushButton* m_playOptions;
};

} // namespace launcher
