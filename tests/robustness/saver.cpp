// Saves the card set of a folder over and over through the supervisor tool's "Spara", for the
// test that kills it while it saves. Usage: kortvy_saver FOLDER EXTRA
// Saves alternate between the card set of FOLDER/kortvy.ini with EXTRA added to every upper
// text and the set as it was. "laddad" on standard output says that the saving has begun.

#include "app/Program.h"
#include "settings/CardSetFile.h"
#include "supervisor/SupervisorWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: kortvy_saver FOLDER EXTRA\n");
        return 2;
    }
    const QString extra = QString::fromUtf8(argv[2]);
    // Two windows, one on the set as it is and one on the changed set, loaded from a folder
    // beside it; both save into FOLDER, so that the loop does little besides saving.
    supervisor::SupervisorWindow loaded;
    supervisor::SupervisorWindow changed;
    QString failure;
    QObject::connect(&loaded, &supervisor::SupervisorWindow::saveFailed, [&](const QString& m) { failure = m; });
    QObject::connect(&changed, &supervisor::SupervisorWindow::saveFailed, [&](const QString& m) { failure = m; });
    try {
        loaded.load();
        settings::CardSet set = settings::readCardSet(settings::kFileName);
        for (settings::Card& card : set.cards)
            card.upperText += extra;
        QDir().mkpath(QStringLiteral(".andrad"));
        settings::writeCardSet(QStringLiteral(".andrad/kortvy.ini"), set);
        QDir::setCurrent(QStringLiteral(".andrad"));
        changed.load();
        QDir::setCurrent(QStringLiteral(".."));
        QDir(QStringLiteral(".andrad")).removeRecursively();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }

    for (long n = 1;; ++n) {
        supervisor::SupervisorWindow& window = n % 2 ? changed : loaded;
        window.save();
        // Each window finds the file saved by the other since it read it: "Ja", write over it.
        if (auto* question = window.findChild<QMessageBox*>(QStringLiteral("Skrivöver")); question && !app::hasEnded()) {
            for (QAbstractButton* button : question->buttons())
                button->text() == QLatin1String("Ja") ? button->click() : void();
            delete question;
        }
        if (!app::hasEnded()) {
            std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
            return 3;
        }
        app::resetEnded();
        if (n == 1) {
            std::printf("laddad\n");
            std::fflush(stdout);
        }
    }
}
