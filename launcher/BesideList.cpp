#include "launcher/BesideList.h"

#include "launcher/ChooserWindow.h"
#include "parcel/CardFile.h"
#include "runtime/Error.h"

#include <QProcess>

namespace launcher {

BesideList::BesideList(ChooserWindow& window, QString binDir, std::function<QString()> gameScale)
    : QObject(&window)
    , m_window(window)
    , m_binDir(std::move(binDir))
    , m_gameScale(std::move(gameScale))
{
    connect(&window, &ChooserWindow::runRequested, this, &BesideList::run);
}

void BesideList::run(Action action, const QString& folder)
{
    const QString name = programFor(action);
    try {
        const QString path = programPath(name, m_binDir);
        const QString scale = name == kGame ? m_gameScale() : QString();
        // A card file from the school's library plays as kortvy-start plays one given to it:
        // from a private folder that goes when the game ends.
        QProcess* running = parcel::isCardFile(folder)
                                ? startCardFile(programPath(QStringLiteral("kortvy-start"), m_binDir), folder, this)
                                : startIn(path, folder, scale, this);
        m_window.hide();
        connect(running, &QProcess::finished, this, [this, running] {
            running->deleteLater();
            m_window.reload();
            m_window.show();
            m_window.raise();
            m_window.activateWindow();
        });
    } catch (const runtime::Error& e) {
        m_window.tell(e.message());
    }
}

} // namespace launcher
