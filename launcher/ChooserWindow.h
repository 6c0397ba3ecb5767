#pragma once

#include "cardsets/CardSetModel.h"
#include "cardsets/PictureImport.h"
#include "launcher/Launch.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace setview {
class CardSetView;
} // namespace setview

namespace work {
class SlowWork;
} // namespace work

namespace library {
class LibraryScan;
} // namespace library

namespace launcher {

// Who the list is for: the teacher, who manages the sets, or the learner, who sees each set
// as a large picture and can only play it.
enum class Audience { Teacher, Learner };

// "Kortlekar": the card sets in the user's card folder, each with its name, its card count
// and its first pictures, and what can be done with them. The window only shows; the
// card sets and their rules are in cardsets/, and what running a program means is up to
// whoever takes runRequested().
//
// For the teacher every command is an action, in the menu bar with its Alt letter, in the
// context menu of a set, and the most used ones in the tool bar; the learner sees the sets
// and a large "Spela" alone.
class ChooserWindow : public QWidget {
    Q_OBJECT

public:
    // defaultAction is what Enter, a double click or a tap on a set does.
    ChooserWindow(const QString& root, Action defaultAction, QWidget* parent = nullptr,
                  Audience audience = Audience::Teacher);
    ~ChooserWindow() override;

    // Reads the card sets again, keeping the chosen one chosen where it still is; only the
    // sets whose files changed are read anew.
    void reload();

    // Shows a card set from outside the card folder too, chosen, so that it can be copied in.
    void showOtherSet(const QString& folder);

    cardsets::CardSetModel& sets() { return *m_sets; }
    int currentSet() const;
    void setCurrentSet(int index);

    // Runs the action on the chosen set when the set allows it; a set whose cards lack what
    // their rows show is played only once the teacher has said so.
    void run(Action action);

    // Makes a card set with the name; a refused name is told with the reason. Returns
    // whether the set was made.
    bool makeSet(const QString& name);

    // Copies the files into the set's folder as slow work that can be stopped, and tells, in
    // one message, which did not go in.
    void addPictures(int index, const QStringList& files);
    // What adds the pictures; a test puts a slow one in its place.
    using PictureAdder = std::function<cardsets::AddedPictures(const QStringList& files, const QString& folder,
                                                               const cardsets::ImportProgress& progress)>;
    void setPictureAdder(PictureAdder adder) { m_addPictures = std::move(adder); }
    // Whether pictures or a set are being copied; the sets are not changed meanwhile.
    bool working() const { return m_work != nullptr; }

    // Adds the set in a card file (.kortvy) to the card folder once the teacher has said yes
    // to it, and shows it chosen.
    void fetchCardFile(const QString& file);

    // A message in a box of this window that does not stop the program while it is open;
    // afterwards, if given, runs then.
    void tell(const QString& message, const std::function<void()>& then = {});

signals:
    // A program is to run on a card set: the action and the set's folder.
    void runRequested(launcher::Action action, const QString& folder);

private:
    enum class Naming { New, Rename, Copy };
    void makeActions();
    void askName(Naming naming, const QString& suggestion);
    void named(Naming naming, const QString& folder, const QString& name);
    void askRemove();
    void copyIn();
    void copySlowly(const QString& label, std::function<QString()> copy,
                    std::function<void(const QString& made)> done);
    void choosePictures();
    void openFolder();
    void editPlayOptions();
    void updateActions();
    void choose(const QString& folder);
    void showSetMenu(const QPoint& at);
    void printSet();
    // Card files (ChooserCardFiles.cpp).
    void makeCardFileActions();
    void shareAsFile();
    void saveCardFile(const QString& folder, const QString& name, const QStringList& files);
    void chooseCardFile();
    void filesDropped(int index, const QStringList& files);
    // The school's shared sets (ChooserLibrary.cpp).
    void makeLibraryActions();
    void scanLibraries();
    void chooseLibraryFolder();
    void shareToLibrary();

    QString m_root;
    Action m_defaultAction;
    Audience m_audience;
    cardsets::CardSetModel* m_sets;
    PictureAdder m_addPictures;
    work::SlowWork* m_work = nullptr;

    setview::CardSetView* m_list;
    QLabel* m_status;
    QAction* m_play;
    QAction* m_edit;
    QAction* m_new;
    QAction* m_add;
    QAction* m_open;
    QAction* m_rename;
    QAction* m_copy;
    QAction* m_remove;
    QAction* m_copyIn;
    QAction* m_playOptions;
    QAction* m_close;
    QMenu* m_setMenu = nullptr;
    QAction* m_printSet = nullptr;
    QAction* m_share = nullptr;
    QAction* m_fetch = nullptr;
    QAction* m_shareToLibrary = nullptr;
    QAction* m_addLibrary = nullptr;
    QList<cardsets::Shelf> m_shelves; // as last found, for sharing into one the teacher may write in
    library::LibraryScan* m_libraryScan = nullptr;
};

} // namespace launcher
