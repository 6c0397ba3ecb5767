#include "settings/PlayOptions.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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
    const QSettings file(path, QSettings::IniFormat);
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
    QString scanning;
    for (const ScanningWord& w : kScanningWords) {
        if (w.scanning == options.scanning)
            scanning = QLatin1String(w.word);
    }
    // Written here rather than through QSettings, which keeps a failed save's values for the
    // rest of the process as if they had been saved.
    const QString text = QStringLiteral("[spel]\n%1=%2\n%3=%4\n%5=%6\n")
                             .arg(kKeyboard.section(QLatin1Char('/'), 1), options.keyboard ? QStringLiteral("ja") : QStringLiteral("nej"),
                                  kScanning.section(QLatin1Char('/'), 1), scanning,
                                  kPace.section(QLatin1Char('/'), 1), QString::number(options.paceMs));
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    // Unbuffered, so that a write the system cuts short shows here and is never committed.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    if (!written || !file.commit())
        throw runtime::Error(QStringLiteral("Inställningarna kunde inte sparas i %1 (%2). Den tidigare filen är oförändrad.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace settings
