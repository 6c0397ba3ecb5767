#pragma once

#include "launcher/Launch.h"

#include <QObject>
#include <QString>
#include <functional>

namespace launcher {

class ChooserWindow;

// Runs what the list of card sets asks for, each program beside the list in the chosen set's
// folder: the list is hidden while the program runs and comes back, read again where files
// changed, when it ends. The learner chooses the next set, the teacher goes on from there.
class BesideList : public QObject {
    Q_OBJECT

public:
    // gameScale gives the scale the game is to fill its screen at, as QT_SCALE_FACTOR.
    BesideList(ChooserWindow& window, QString binDir, std::function<QString()> gameScale);

    void run(Action action, const QString& folder);

private:
    ChooserWindow& m_window;
    QString m_binDir;
    std::function<QString()> m_gameScale;
};

} // namespace launcher
