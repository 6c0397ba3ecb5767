// "Inställningar…" starts from the set's options file and writes that file alone.
#include "playoptions/PlayOptionsDialog.h"

#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QSignalSpy>
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
        const settings::PlayOptions chosen{false, settings::Scanning::TwoSwitches, 1500, true, 5000};
        QStringList times;
        for (int i = 0; i < 8; ++i) times << dialog.findChild<QComboBox*>(QStringLiteral("Vila"))->itemText(i);
        QCOMPARE(times.join(QLatin1Char('|')), QStringLiteral("Av|0,5 s|0,8 s|1 s|1,5 s|2 s|3 s|5 s"));
        dialog.setOptions(chosen);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings::readPlayOptions(path), chosen);
        QCOMPARE(folder.ini(), cards);
    }

    // A recording that cannot be played is told apart in the list of what is heard, once it
    // has been tried beside the dialog.
    void aBrokenRecordingIsMarked()
    {
        CardFolder folder;
        folder.writeIni(cardFile(2, 0, 1, {"sol.gif", "", "", "sol", "fisk.gif", "", "", "fisk"}));
        writeBytes(folder.path() + QStringLiteral("/sol.wav"), QByteArray("RIFF") + QByteArray(3000, '\x7f'));
        playoptions::PlayOptionsDialog dialog(folder.path(), QStringLiteral("Djur"));
        auto* cards = dialog.findChild<QListWidget*>(QStringLiteral("Kortljud"));
        QCOMPARE(cards->item(0)->text(), QStringLiteral("sol – eget ljud (sol.wav)"));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.working(), 10000);
        QCOMPARE(cards->item(0)->text(), QStringLiteral("sol – trasigt ljud (sol.wav)"));
        QCOMPARE(cards->item(1)->text(), QStringLiteral("fisk – datorns röst"));

        // The same file brought in for another card is refused with the reason, and not copied.
        cards->setCurrentRow(1);
        QSignalSpy dealtWith(&dialog, &playoptions::PlayOptionsDialog::recordingAdded);
        dialog.addRecording(folder.path() + QStringLiteral("/sol.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(dealtWith.size(), 1, 10000);
        auto* told = dialog.findChild<QMessageBox*>();
        QVERIFY(told && told->text().contains(QStringLiteral("går inte att spela")));
        QVERIFY(!QFileInfo::exists(folder.path() + QStringLiteral("/fisk.wav")));
    }
};

QTEST_MAIN(PlayOptionsDialogTest)
#include "tst_playoptions.moc"
