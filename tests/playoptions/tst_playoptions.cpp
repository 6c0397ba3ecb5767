// "Inställningar…" starts from the set's options file and writes that file alone.
#include "playoptions/PlayOptionsDialog.h"

#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QtTest>

class PlayOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsAndSavesTheSetsOptions()
    {
        CardFolder folder;
        const QByteArray cards = cardFile(1, 0, 1, {"röd.bmp", "", "", "röd"});
        folder.writeIni(cards);
        QVERIFY(!playoptions::PlayOptionsDialog(folder.path(), QStringLiteral("Djur")).findChild<QComboBox*>()->isEnabled());
        const QString path = folder.path() + QStringLiteral("/kortvy-val.ini");
        settings::writePlayOptions(path, {true, settings::Scanning::OneSwitch, 3000});
        playoptions::PlayOptionsDialog dialog(folder.path(), QStringLiteral("Djur"));
        QCOMPARE(sharedMnemonics(dialog), QString());
        QCOMPARE(dialog.options(), (settings::PlayOptions{true, settings::Scanning::OneSwitch, 3000}));
        const settings::PlayOptions chosen{false, settings::Scanning::TwoSwitches, 1500, true};
        dialog.setOptions(chosen);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings::readPlayOptions(path), chosen);
        QCOMPARE(folder.ini(), cards);
    }
};

QTEST_MAIN(PlayOptionsDialogTest)
#include "tst_playoptions.moc"
