// The teacher's play options for a card set, as "Inställningar…" shows and saves them.
#include "launcher/PlayOptionsDialog.h"

#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QtTest>

class PlayOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The dialog starts from what the set's options file holds, and "Spara" writes that
    // file alone: kortvy.ini keeps every byte.
    void showsAndSavesTheSetsOptions()
    {
        CardFolder folder;
        const QByteArray cards = cardFile(1, 0, 1, {"röd.bmp", "", "", "röd"});
        folder.writeIni(cards);
        const QString path = folder.path() + QStringLiteral("/kortvy-val.ini");
        {
            launcher::PlayOptionsDialog fresh(folder.path(), QStringLiteral("Djur"));
            QCOMPARE(fresh.options(), settings::PlayOptions());
            QVERIFY(!fresh.findChild<QComboBox*>()->isEnabled());
        }
        settings::writePlayOptions(path, {true, settings::Scanning::OneSwitch, 3000});
        launcher::PlayOptionsDialog dialog(folder.path(), QStringLiteral("Djur"));
        QCOMPARE(dialog.options(), (settings::PlayOptions{true, settings::Scanning::OneSwitch, 3000}));
        QVERIFY(dialog.findChild<QComboBox*>()->isEnabled());
        const settings::PlayOptions chosen{false, settings::Scanning::TwoSwitches, 1500};
        dialog.setOptions(chosen);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings::readPlayOptions(path), chosen);
        QCOMPARE(folder.ini(), cards);
    }
};

QTEST_MAIN(PlayOptionsDialogTest)
#include "tst_playoptions.moc"
