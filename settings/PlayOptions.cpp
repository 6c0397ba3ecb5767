#include "settings/PlayOptions.h"

#include "settings/IniSections.h"

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
const QString kReadAloud = QStringLiteral("spel/las-upp");
const QString kDwell = QStringLiteral("spel/vila-ms");

QString yesNo(bool value)
{
    return value ? QStringLiteral("ja") : QStringLiteral("nej");
}

// A value of "ja" or "nej"; anything else leaves `option` as it is.
void readYesNo(const QSettings& file, const QString& key, bool& option)
{
    const QString value = file.value(key).toString();
    if (value == yesNo(true) || value == yesNo(false))
        option = value == yesNo(true);
}

} // namespace

PlayOptions readPlayOptions(const QString& path)
{
    PlayOptions options;
    if (!QFileInfo(path).isFile())
        return options;
    const QSettings file(path, QSettings::IniFormat);
    readYesNo(file, kKeyboard, options.keyboard);
    readYesNo(file, kReadAloud, options.readAloud);
    const QString scanning = file.value(kScanning).toString();
    for (const ScanningWord& w : kScanningWords) {
        if (scanning == QLatin1String(w.word))
            options.scanning = w.scanning;
    }
    const auto readChoice = [&file](const QString& key, const auto& choices, int& option) {
        bool isNumber = false;
        const int value = file.value(key).toString().toInt(&isNumber);
        if (isNumber && std::find(choices.begin(), choices.end(), value) != choices.end())
            option = value;
    };
    readChoice(kPace, kScanPaces, options.paceMs);
    readChoice(kDwell, kDwellTimes, options.dwellMs);
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
    const auto line = [](const QString& key, const QString& value) {
        return QStringLiteral("%1=%2\n").arg(key.section(QLatin1Char('/'), 1), value);
    };
    const QString text = line(kKeyboard, yesNo(options.keyboard)) + line(kScanning, scanning) +
                         line(kPace, QString::number(options.paceMs)) + line(kReadAloud, yesNo(options.readAloud)) +
                         line(kDwell, QString::number(options.dwellMs));
    // Other parts keep sections of their own in the file.
    writeSection(path, QStringLiteral("spel"), text);
}

} // namespace settings
