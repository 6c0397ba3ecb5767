// The school's library in Kortlekar as the teacher meets it: its sets below the teacher's own,
// only to play or copy in, and the teacher's set shared into it as a card file.
#include "launcher/ChooserWindow.h"

#include "parcel/CardFile.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QtTest>

class ChooserLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void librarySetsAreOnlyPlayedCopiedAndSharedInto()
    {
        QTemporaryDir tmp;
        const QString root = tmp.filePath("Kortvy"), shelf = tmp.filePath("skolan");
        writeBytes(root + "/Mina/kortvy.ini", cardFile(1, 0, 0, {"röd.bmp", "röd.bmp", "", ""}));
        writePicture(root + "/Mina", "röd.bmp", QSize(30, 30), Qt::red);
        writeBytes(shelf + "/Delad/kortvy.ini", cardFile(1, 0, 0, {"röd.bmp", "röd.bmp", "", ""}));
        writePicture(shelf + "/Delad", "röd.bmp", QSize(30, 30), Qt::red);
        parcel::writeCardFile(root + "/Mina", parcel::contentsOf(root + "/Mina").files, shelf + "/Fil.kortvy");
        writeBytes(tmp.filePath("etc/kortvy/bibliotek.conf"), ("Skolan = " + shelf + "\n").toUtf8());
        qputenv("XDG_CONFIG_DIRS", tmp.filePath("none").toUtf8());
        {
            // Without a library the teacher may write in, there is nowhere to share to.
            launcher::ChooserWindow alone(root, launcher::Action::Edit);
            for (QAction* a : alone.findChildren<QAction*>())
                QVERIFY(a->text() != "Dela till s&kolans kortlekar" || !a->isVisible());
        }
        qputenv("XDG_CONFIG_DIRS", tmp.filePath("etc").toUtf8());
        // The learner's only own set no longer starts at once: the school's are to be chosen from.
        QVERIFY(launcher::roadFor({"Kortvy", QString()}, root, true).list);

        launcher::ChooserWindow window(root, launcher::Action::Edit);
        window.show();
        QTRY_VERIFY(window.sets().rowOf(shelf + "/Fil.kortvy") >= 0);
        const auto action = [&window](const QString& text) {
            for (QAction* a : window.findChildren<QAction*>())
                if (a->text() == text)
                    return a;
            return static_cast<QAction*>(nullptr);
        };
        window.setCurrentSet(window.sets().rowOf(shelf + "/Delad"));
        QVERIFY(action("&Spela")->isEnabled());
        for (const QString& changes : {"Ä&ndra", "&Byt namn…", "&Ta bort…", "&Lägg till bilder…", "Öppna &mappen",
                                        "Dela till s&kolans kortlekar"})
            QVERIFY2(!action(changes)->isEnabled(), qPrintable(changes));
        QSignalSpy runs(&window, &launcher::ChooserWindow::runRequested);
        window.run(launcher::Action::Edit);
        QCOMPARE(runs.value(0).value(0).value<launcher::Action>(), launcher::Action::Play);

        window.setCurrentSet(window.sets().rowOf(shelf + "/Fil.kortvy"));
        action("Kopiera till m&ina kortlekar")->trigger();
        QTRY_VERIFY(QFileInfo(root + "/Fil/röd.bmp").isFile() && !window.working());
        QCOMPARE(readBytes(root + "/Fil/röd.bmp"), readBytes(root + "/Mina/röd.bmp"));

        window.setCurrentSet(window.sets().rowOf(root + "/Mina"));
        QAction* share = action("Dela till s&kolans kortlekar");
        QVERIFY(share->isVisible() && share->isEnabled());
        share->trigger();
        QTRY_VERIFY(window.sets().rowOf(shelf + "/Mina.kortvy") >= 0);
        QCOMPARE(parcel::readCardFileBytes(shelf + "/Mina.kortvy"), parcel::readCardFileBytes(shelf + "/Fil.kortvy"));
    }
};

QTEST_MAIN(ChooserLibraryTest)
#include "tst_chooser_library.moc"
