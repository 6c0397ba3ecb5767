#include "forms/FileList.h"

#include <QCollator>
#include <QDir>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>

namespace forms {

FileList::FileList(QWidget* parent)
    : ListBox(parent)
{
    setModel(&m_names);
}

void FileList::setPattern(const QString& patterns)
{
    m_pattern = patterns;
    refresh();
}

void FileList::setNameRule(std::function<bool(const QString&)> accepts)
{
    m_accepts = std::move(accepts);
    refresh();
}

void FileList::refresh()
{
    const QStringList filters = m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QDir dir(QDir::currentPath());
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    QStringList names;
    for (const QString& name : dir.entryList()) {
        if (!m_accepts || m_accepts(name))
            names << name;
    }
    QCollator collator{QLocale(QLocale::Swedish, QLocale::Sweden)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    m_names.setStringList(names);
}

} // namespace forms

namespace forms {

void FileList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        ListBox::keyPressEvent(event);
        return;
    }
    // The row the keyboard stands on may not be selected yet, as when the list has just been
    // reached with Tab: it is chosen as a click would choose it before the double-click.
    const QModelIndex current = currentIndex();
    if (event->isAutoRepeat() || !current.isValid())
        return;
    if (selectedRow() != current.row()) {
        setSelectedRow(current.row());
        emit rowClicked(current.row());
    }
    emit rowDoubleClicked(selectedRow());
}

} // namespace forms
