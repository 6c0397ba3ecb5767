#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// Builds the card set's file in memory, one value a line, each line ending with CR LF, and
// then replaces the file on disk in one step. The file is Windows-1252 when its texts allow,
// else UTF-8 with a mark (encodeFileText()).
class ValueWriter {
public:
    explicit ValueWriter(QString path);

    // Decimal digits, with '-' before a negative number.
    void writeNumber(qint16 n);
    // The text between double quotes, unchanged. Throws runtime::Error, and adds nothing, when the text
    // holds a character the file cannot hold (see firstUnstorable()).
    void writeText(const QString& text);

    QByteArray bytes() const;

    // Writes everything to a temporary file beside the target, flushes it and only then puts it
    // in the target's place. Throws runtime::Error on any failure; the old file then stays as it was.
    void commit();

private:
    QString m_path;
    QString m_text;
};

} // namespace settings
