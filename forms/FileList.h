#pragma once

#include "forms/ListBox.h"

#include <QStringListModel>
#include <functional>

namespace forms {

// The files of the current folder whose names match one of the patterns
// ("*.bmp;*.gif;*.jpg;*.jpeg"), letter case not counting, sorted by name as a Swedish reader
// expects. An optional rule leaves out names it refuses. Enter on a row does what a
// double-click does.
class FileList : public ListBox {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    void setPattern(const QString& patterns);
    QString pattern() const { return m_pattern; }
    void setNameRule(std::function<bool(const QString&)> accepts);

    // Reads the folder again.
    void refresh();
    // The bare name of the selected entry; empty when none is selected.
    QString selectedName() const { return rowText(selectedRow()); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringListModel m_names;
    QString m_pattern;
    std::function<bool(const QString&)> m_accepts;
};

} // namespace forms
