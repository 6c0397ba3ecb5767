#pragma once

#include "forms/Geometry.h"

#include <QListWidget>

namespace forms {

// A list box with the list rules the programs rely on:
// - setting row r replaces its text when the list has more than r rows and appends a
//   new last row when it has exactly r rows (any other row is an index error);
// - reading a row at or past the end (or before the start) gives an empty text;
// - removing a row moves the rows behind it up one place;
// - the selected row is -1 when no row is selected.
// Rows are 240 twips high, so a number column beside the list lines up with its rows.
class ListBox : public QListWidget, public Geometry {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    int ListCount() const { return count(); }
    using QListWidget::row;
    QString row(int r) const;
    void setRow(int r, const QString& text);
    void removeRow(int r);
    int ListIndex() const;
    void setListIndex(int r);
    void clearRows() { clear(); }
    QStringList rows() const;

signals:
    // A row was chosen by a click of the left button or by the keyboard.
    void rowClicked(int row);
    // A row was double-clicked; `row` is the selected row, -1 when none is.
    void rowDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QListWidgetItem* makeItem(const QString& text) const;

private:
    bool m_pressedOnRow = false;
};

} // namespace forms
