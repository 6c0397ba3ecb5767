// Saves the card set of a folder over and over through the supervisor tool's "Spara", for the
// test that kills it while it saves. Usage: kortvy_saver FOLDER EXTRA
// The card set is loaded from FOLDER/kortvy.ini; saves alternate between the same set with
// EXTRA added to every upper text and the set as loaded. "laddad" on standard output says
// that the saving has begun.

#include "app/Program.h"
#include "supervisor/Form1.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: kortvy_saver FOLDER EXTRA\n");
        return 2;
    }
    const QString extra = QString::fromUtf8(argv[2]);
    // Two windows on the same card set, one of them edited once, so that the loop does
    // little besides saving.
    supervisor::Form1 loaded;
    supervisor::Form1 changed;
    try {
        loaded.load();
        changed.load();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    const QStringList texts = changed.List1(1)->rows();
    for (int i = 0; i < texts.size(); ++i)
        changed.List1(1)->setRow(i, texts[i] + extra);

    for (long n = 1;; ++n) {
        supervisor::Form1& form = n % 2 ? changed : loaded;
        form.Command3D5_Click();
        if (!app::hasEnded()) {
            std::fprintf(stderr, "%s\n", form.lastSaveError.toUtf8().constData());
            return 3;
        }
        app::resetEnded();
        if (n == 1) {
            std::printf("laddad\n");
            std::fflush(stdout);
        }
    }
}
