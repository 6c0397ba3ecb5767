#include "settings/PlayOptions.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace settings {

namespace {

// The words the file holds for each way of scanning; they stay readable to a teacher who
// opens the file.
struct ScanningWord {
    Scanning scanning;
    const char* word;
};
constexpr ScanningWord kScanningWords[] = {
    {Scanning::Off, "av"},
    {Scanning::OneSwitch, "en-kontakt"},
    {Scanning::TwoSwitches, "tva-kontakter"},
};

const QString kKeyboard = QStringLiteral("spel/tangentbord");
const QString kScanning = QStringLiteral("spel/skanning");
const QString kPace = QStringLiteral("spel/takt-ms");

} // namespace

PlayOptions readPlayOptions(const QString& path)
{
    PlayOptions options;
    if (!QFileInfo(path).isFile())
        return options;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return options;
    const QString keyboard = file.value(kKeyboard).toString();
    if (keyboard == QLatin1String("ja") || keyboard == QLatin1String("nej"))
        options.keyboard = keyboard == QLatin1String("ja");
    const QString scanning = file.value(kScanning).toString();
    for (const ScanningWord& w : kScanningWords) {
        if (scanning == QLatin1String(w.word))
            options.scanning = w.scanning;
    }
    bool isNumber = false;
    const int pace = file.value(kPace).toString().toInt(&isNumber);
    if (isNumber && std::find(kScanPaces.begin(), kScanPaces.end(), pace) != kScanPaces.end())
        options.paceMs = pace;
    return options;
}

void writePlayOptions(const QString& path, const PlayOptions& options)
{
    const QString failed = QStringLiteral("Inställningarna kunde inte sparas i %1.").arg(QDir::toNativeSeparators(path));
    if (QFileInfo(path).isDir())
        throw runtime::Error(failed);
    QString scanning;
    for (const ScanningWord& w : kScanningWords) {
        if (w.scanning == options.scanning)
            scanning = QLatin1String(w.word);
    }
    // QSettings replaces the file through a temporary one, so a failed save leaves the old
    // file whole.
    QSettings file(path, QSettings::IniFormat);
    file.setAtomicSyncRequired(true);
    file.clear();
    file.setValue(kKeyboard, options.keyboard ? QStringLiteral("ja") : QStringLiteral("nej"));
    file.setValue(kScanning, scanning);
    file.setValue(kPace, QString::number(options.paceMs));
    file.sync();
    if (file.status() != QSettings::NoError)
        throw runtime::Error(failed);
}

} // namespace settings
