#pragma once

// Reads bytes as a card file (.kortvy) from a stranger, the way Kortvyadm takes one into the
// card folder. Shared by the fuzz target and the test that replays its seeds.

#include "fuzz/FuzzSupport.h"

#include "parcel/CardFile.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace cardfilecheck {

using fuzzsupport::Finding;

// Every input ends in a set of plain files directly in one new folder of the card folder, or
// in a refusal that names the file and leaves the card folder empty.
inline Finding check(const QByteArray& bytes, const QString& work)
{
    const QString file = work + QStringLiteral("/fil.kortvy");
    const QString root = work + QStringLiteral("/Kortvy");
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
        return {QStringLiteral("cannot write ") + file};
    out.close();
    pictures::limitPictureMemory();
    bool taken = false;
    try {
        parcel::addToCardFolder(root, file);
        taken = true;
    } catch (const runtime::Error& e) {
        if (!e.message().startsWith(QStringLiteral("Filen %1 kan inte öppnas som kortlek: ").arg(file)))
            return {QStringLiteral("an incomplete message: ") + e.message()};
    }
    const QStringList sets = QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (sets.size() != (taken ? 1 : 0))
        return {QStringLiteral("the card folder holds %1").arg(sets.join(QStringLiteral(", ")))};
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.absolutePath() == QDir(root).absolutePath() ? !info.isDir() : (!info.isFile() || info.isSymLink()))
            return {QStringLiteral("written: ") + info.filePath()};
        if (info.absolutePath() != QDir(root).absolutePath() && QFileInfo(info.absolutePath()).absolutePath() != QDir(root).absolutePath())
            return {QStringLiteral("written deeper: ") + info.filePath()};
    }
    return {};
}

} // namespace cardfilecheck
