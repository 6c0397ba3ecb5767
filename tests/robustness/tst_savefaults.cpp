// "Spara" where the system refuses: the temporary file cannot be made, or it cannot be put in
// kortvy.ini's place. The stored card set must stay as it was, the failure must be told, and
// the window must stay open with the edits, so that a later save can succeed. The tests run
// as root, so the refusals are ones that root meets too: no descriptor left, a folder with the
// immutable or append-only attribute (read-only when not root), and kortvy.ini turned into a
// folder while the tool was open.

#include "tests/robustness/RobustnessSupport.h"

#include "app/Program.h"
#include "settings/Windows1252.h"
#include "forms/PictureButton.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/TextBox.h"
#include "supervisor/SupervisorWindow.h"

#include <QScopeGuard>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace robust;

namespace {

// Sets or clears attribute flags (FS_IMMUTABLE_FL, FS_APPEND_FL) of a folder; false when the
// file system or the process's rights do not allow it.
bool setFolderFlags(const QString& path, int flags, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int current = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &current) == 0;
    if (done) {
        current = on ? (current | flags) : (current & ~flags);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &current) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    void noDescriptorForTheTemporaryFile();
    void folderThatTakesNoNewFile();
    void replaceRefusedInAnAppendOnlyFolder();
    void kortvyIniTurnedIntoAFolder();

private:
    QString m_told;

    // The tool started on three cards, made five, with a fourth upper text typed in.
    std::unique_ptr<supervisor::SupervisorWindow> startEdited(CardFolder& folder)
    {
        folder.writeIni(cardSet(QStringLiteral("3"), 3));
        auto form = std::make_unique<supervisor::SupervisorWindow>();
        form->load();
        connect(form.get(), &supervisor::SupervisorWindow::saveFailed, this, [this](const QString& m) { m_told = m; });
        control<forms::OptionButton>(*form, QStringLiteral("Option3D1(1)"))->click();
        control<forms::TextBox>(*form, QStringLiteral("Text1(0)"))->setText(QStringLiteral("ändrat ord"));
        control<forms::PictureButton>(*form, QStringLiteral("SSCommand2(0)"))->click();
        return form;
    }

    // A save that failed: told, nothing ended, the card set and the edit still there.
    void checkRefused(const supervisor::SupervisorWindow& form, const CardFolder& folder, const QString& reason)
    {
        QVERIFY(!app::hasEnded());
        QVERIFY2(m_told.startsWith(QStringLiteral("Kortleken kunde inte sparas, och kortvy.ini är som förut.")),
                 qPrintable(m_told));
        QVERIFY2(m_told.contains(QStringLiteral("Fel i inställningsfilen %1: filen kunde inte sparas: %2")
                                     .arg(folder.iniPath(), reason)),
                 qPrintable(m_told));
        QCOMPARE(control<forms::ListBox>(form, QStringLiteral("List1(1)"))->rowText(3), QStringLiteral("ändrat ord"));
        m_told.clear();
    }

    // The same window saves once the refusal is gone.
    void checkSavesAfterwards(supervisor::SupervisorWindow& form, const CardFolder& folder)
    {
        form.save();
        QVERIFY2(app::hasEnded(), qPrintable(m_told));
        QVERIFY(folder.ini().contains(settings::encodeWindows1252(QStringLiteral("\"ändrat ord\"\r\n"))));
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("kortvy.ini")});
    }
};

void SaveFaultsTest::noDescriptorForTheTemporaryFile()
{
    CardFolder folder;
    auto form = startEdited(folder);
    const QByteArray before = folder.ini();

    // A refusal of another kind first, with descriptors to spare: a build with UBSan checks
    // the dynamic type of each object on the failure path once, through a pipe, which it
    // could not open without a descriptor.
    {
        FileSizeLimit full(20);
        form->save();
    }
    checkRefused(*form, folder, QStringLiteral("filen blev större än systemet tillåter"));
    // The lowest free descriptor becomes the limit, so the next file cannot be opened.
    const int free = ::open("/dev/null", O_RDONLY);
    QVERIFY(free >= 0);
    ::close(free);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    {
        rlimit none = saved;
        none.rlim_cur = rlim_t(free);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &none), 0);
        auto restore = qScopeGuard([&] { setrlimit(RLIMIT_NOFILE, &saved); });
        form->save();
    }
    checkRefused(*form, folder, QStringLiteral("för många filer är öppna"));
    QCOMPARE(folder.ini(), before);
    QCOMPARE(folder.entries(), QStringList{QStringLiteral("kortvy.ini")});
    checkSavesAfterwards(*form, folder);
}

void SaveFaultsTest::folderThatTakesNoNewFile()
{
    CardFolder folder;
    auto form = startEdited(folder);
    const QByteArray before = folder.ini();

    const bool root = ::geteuid() == 0;
    if (root) {
        if (!setFolderFlags(folder.path(), FS_IMMUTABLE_FL, true))
            QSKIP("the immutable attribute cannot be set on this file system");
    } else {
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    {
        auto restore = qScopeGuard([&] {
            if (root)
                setFolderFlags(folder.path(), FS_IMMUTABLE_FL, false);
            else
                QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        form->save();
    }
    checkRefused(*form, folder, QStringLiteral("behörighet saknas"));
    QCOMPARE(folder.ini(), before);
    QCOMPARE(folder.entries(), QStringList{QStringLiteral("kortvy.ini")});
    checkSavesAfterwards(*form, folder);
}

// New files can be made in an append-only folder, but no name in it can be replaced or
// removed: the temporary file is written whole and then cannot take kortvy.ini's place.
void SaveFaultsTest::replaceRefusedInAnAppendOnlyFolder()
{
    CardFolder folder;
    auto form = startEdited(folder);
    const QByteArray before = folder.ini();

    if (!setFolderFlags(folder.path(), FS_APPEND_FL, true))
        QSKIP("the append-only attribute cannot be set here");
    {
        auto restore = qScopeGuard([&] { setFolderFlags(folder.path(), FS_APPEND_FL, false); });
        form->save();
    }
    checkRefused(*form, folder, QStringLiteral("behörighet saknas"));
    QCOMPARE(folder.ini(), before);
    // The temporary file, written whole, could not be removed either; nothing else is there.
    const QStringList entries = folder.entries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0], QStringLiteral("kortvy.ini"));
    QVERIFY2(entries[1].startsWith(QLatin1String("kortvy.ini.")), qPrintable(entries[1]));
    QVERIFY(readBytes(filePath(folder, entries[1])).contains(settings::encodeWindows1252(QStringLiteral("ändrat ord"))));
    QVERIFY(QFile::remove(filePath(folder, entries[1])));
    checkSavesAfterwards(*form, folder);
}

void SaveFaultsTest::kortvyIniTurnedIntoAFolder()
{
    CardFolder folder;
    auto form = startEdited(folder);
    QVERIFY(QFile::remove(folder.iniPath()));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("kortvy.ini")));
    writeBytes(filePath(folder, QStringLiteral("kortvy.ini/inuti.txt")), "kvar");

    form->save();
    checkRefused(*form, folder, QStringLiteral("det finns en mapp med filens namn"));
    QVERIFY(QFileInfo(folder.iniPath()).isDir());
    QCOMPARE(readBytes(filePath(folder, QStringLiteral("kortvy.ini/inuti.txt"))), QByteArray("kvar"));
    QCOMPARE(folder.entries(), QStringList{QStringLiteral("kortvy.ini")});

    QVERIFY(QDir(folder.iniPath()).removeRecursively());
    checkSavesAfterwards(*form, folder);
}

QTEST_MAIN(SaveFaultsTest)
#include "tst_savefaults.moc"
