#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// Builds the card set's file in memory, one value a line, each line ending with CR LF, in
// Windows-1252, and then replaces the file on disk in one step.
class ValueWriter {
public:
    explicit ValueWriter(QString path);

    // Decimal digits, with '-' before a negative number.
    void writeNumber(qint16 n);
    // The text between double quotes, unchanged. Throws runtime::Error, and adds nothing, when the text
    // holds a character the file cannot hold (see canStore()).
    void writeText(const QString& text);

    QByteArray bytes() const { return m_bytes; }

    // Writes everything to a temporary file beside the target, flushes it and only then puts it
    // in the target's place. Throws runtime::Error on any failure; the old file then stays as it was.
    void commit();

private:
    QString m_path;
    QByteArray m_bytes;
};

} // namespace settings
