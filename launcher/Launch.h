#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QProcess;

namespace launcher {

inline const QString kGame = QStringLiteral("Kortvy");
inline const QString kSupervisor = QStringLiteral("Kortvyadm");

// The programs that kortvy-start starts; each lies in the same folder as kortvy-start.
bool isKnownProgram(const QString& name);

// What kortvy-start was asked to do: which program, and in which card set's folder; no
// card set means the user's card folder and the list of card sets in it.
struct Request {
    QString program;
    QString cardSet;
};

// Reads kortvy-start's arguments (without its own name). Throws runtime::Error saying
// what is wrong and how kortvy-start is used.
Request parseArguments(const QStringList& arguments);

// The folder of the card set given on the command line: a folder holding a kortvy.ini, or
// a kortvy.ini itself. Throws runtime::Error naming the path and what is wrong with it.
QString cardSetFolderOf(const QString& path);

// The first card set as installed beside the programs, seen from their folder.
QString firstCardSetFrom(const QString& binDir);

// The folder that the running program lies in.
QString ownBinDir(const char* argv0);

// The user's home folder: $HOME, or the one in the user database when that is not set.
QString homeFolder();

// The program's path beside kortvy-start. Throws runtime::Error when it is not there to run.
QString programPath(const QString& program, const QString& binDir);

// The user's card folder in the home folder, made from the first card set when it is
// missing. Throws runtime::Error with a complete Swedish message.
QString prepareUserCardFolder(const QString& home, const QString& binDir);

// Changes into the folder and replaces this process with the program, which gets no
// arguments; a non-empty scale goes to it as QT_SCALE_FACTOR. Returns only when that
// failed, with a complete Swedish message.
QString execIn(const QString& programPath, const QString& folder, const QString& scale);

// Starts the program in the folder as a child of this process, with the same output, and
// with the scale as QT_SCALE_FACTOR when it is not empty. Throws runtime::Error with a
// complete Swedish message when it cannot be started.
QProcess* startIn(const QString& programPath, const QString& folder, const QString& scale, QObject* parent);

// Starts kortvy-start (its path given) to play the card file, as a child of this process.
// Throws runtime::Error as startIn() does.
QProcess* startCardFile(const QString& startPath, const QString& file, QObject* parent);

// What can be done with a card set: play it in Kortvy or change it in Kortvyadm; and the
// program that does it.
enum class Action { Play, Edit };
QString programFor(Action action);

// What kortvy-start does once it knows its card folder: run the program in one set's folder
// at once (a set given, as a file manager gives it, or the learner's only set), or show the
// list of sets, with a set from elsewhere in it when one was given that cannot be saved in.
struct Road {
    bool list = false;
    QString folder;   // where the program runs when there is no list
    QString otherSet; // shown in the list after the user's own sets; may be empty
};
// Throws runtime::Error as cardSetFolderOf() does.
Road roadFor(const Request& request, const QString& root, bool screen);

// The message for a program that could not be started, with the reason.
QString cannotStart(const QString& programPath, const QString& reason);

// How kortvy-start is used, in Swedish.
QString usage();

} // namespace launcher
