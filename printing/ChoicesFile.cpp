#include "printing/ChoicesFile.h"

#include "settings/IniSections.h"
#include "settings/PlayOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace printing {

namespace {

const QString kSection = QStringLiteral("utskrift");

// The words the file holds for the rows; readable to a teacher who opens the file.
struct RowsWord {
    Rows rows;
    const char* word;
};
constexpr RowsWord kRowsWords[] = {{Rows::Upper, "ovre"}, {Rows::Lower, "undre"}, {Rows::Both, "bada"}};

QString yesNo(bool value)
{
    return value ? QStringLiteral("ja") : QStringLiteral("nej");
}

void readYesNo(const QSettings& file, const QString& key, bool& choice)
{
    const QString value = file.value(kSection + QLatin1Char('/') + key).toString();
    if (value == yesNo(true) || value == yesNo(false))
        choice = value == yesNo(true);
}

QString pathIn(const QString& folder)
{
    return QDir(folder).filePath(settings::kPlayOptionsFileName);
}

} // namespace

PrintChoices readChoices(const QString& folder)
{
    PrintChoices choices;
    const QString path = pathIn(folder);
    if (!QFileInfo(path).isFile())
        return choices;
    const QSettings file(path, QSettings::IniFormat);
    const QString rows = file.value(kSection + QStringLiteral("/rader")).toString();
    for (const RowsWord& w : kRowsWords) {
        if (rows == QLatin1String(w.word))
            choices.rows = w.rows;
    }
    const QString perPage = file.value(kSection + QStringLiteral("/per-sida")).toString();
    if (perPage == QLatin1String("6") || perPage == QLatin1String("12"))
        choices.perPage = perPage.toInt();
    readYesNo(file, QStringLiteral("ord"), choices.words);
    readYesNo(file, QStringLiteral("klipplinjer"), choices.cutLines);
    return choices;
}

void writeChoices(const QString& folder, const PrintChoices& choices)
{
    QString rows;
    for (const RowsWord& w : kRowsWords) {
        if (w.rows == choices.rows)
            rows = QLatin1String(w.word);
    }
    const QString lines = QStringLiteral("rader=%1\nper-sida=%2\nord=%3\nklipplinjer=%4\n")
                              .arg(rows)
                              .arg(choices.perPage)
                              .arg(yesNo(choices.words), yesNo(choices.cutLines));
    settings::writeSection(pathIn(folder), kSection, lines);
}

} // namespace printing
