#pragma once

#include "forms/Geometry.h"

#include <QListView>

namespace forms {

// A list box showing a list model, one row a line, 240 twips high, so that a number column
// beside the list lines up with its rows. A click on a row, or a row chosen with the
// keyboard, is reported with the row; so is a double-click. The selected row is -1 when no
// row is selected.
class ListBox : public QListView, public Geometry {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // Rows the user may take out of the list: Delete on the row the keyboard stands on, and
    // the row's Remove action for assistive technology, ask for it with rowRemoveAsked().
    // Like setPressable, set before assistive technology first asks about the list.
    void setRowsRemovable(bool removable);
    bool rowsRemovable() const { return m_rowsRemovable; }

    int selectedRow() const;
    void setSelectedRow(int row);
    int rowCount() const;
    QString rowText(int row) const;
    QStringList rows() const;

signals:
    // A row was chosen by a click of the left button or by the keyboard.
    void rowClicked(int row);
    // A row was double-clicked; `row` is the selected row, -1 when none is.
    void rowDoubleClicked(int row);
    // The row is to be removed (see setRowsRemovable()).
    void rowRemoveAsked(int row);

protected:
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_pressedOnRow = false;
    bool m_rowsRemovable = false;
};

} // namespace forms
