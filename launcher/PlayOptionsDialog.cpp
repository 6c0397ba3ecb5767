#include "launcher/PlayOptionsDialog.h"

#include "runtime/Error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace launcher {

namespace {

QString paceText(int ms)
{
    QString seconds = QLocale(QLocale::Swedish).toString(ms / 1000.0, 'g', 3);
    return ms == 1000 ? QStringLiteral("1 sekund") : QStringLiteral("%1 sekunder").arg(seconds);
}

} // namespace

PlayOptionsDialog::PlayOptionsDialog(const QString& folder, const QString& setName, QWidget* parent)
    : QDialog(parent)
    , m_path(QDir(folder).filePath(settings::kPlayOptionsFileName))
{
    setWindowTitle(QStringLiteral("Inställningar för \"%1\"").arg(setName));

    m_keyboard = new QCheckBox(QStringLiteral("Eleven kan välja kort med &tangentbordet"), this);

    auto* switches = new QGroupBox(QStringLiteral("Kontakter (skanning)"), this);
    m_noScanning = new QRadioButton(QStringLiteral("&Av"), switches);
    m_oneSwitch = new QRadioButton(QStringLiteral("&En kontakt: markeringen flyttar sig själv, mellanslag eller Enter väljer"), switches);
    m_twoSwitches = new QRadioButton(QStringLiteral("T&vå kontakter: mellanslag flyttar markeringen, Enter väljer"), switches);
    m_pace = new QComboBox(switches);
    for (int ms : settings::kScanPaces)
        m_pace->addItem(paceText(ms), ms);
    auto* paceLabel = new QLabel(QStringLiteral("&Takt:"), switches);
    paceLabel->setBuddy(m_pace);
    auto* paceRow = new QFormLayout;
    paceRow->addRow(paceLabel, m_pace);
    auto* switchesLayout = new QVBoxLayout(switches);
    for (QRadioButton* b : {m_noScanning, m_oneSwitch, m_twoSwitches})
        switchesLayout->addWidget(b);
    switchesLayout->addLayout(paceRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Spara"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Avbryt"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PlayOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlayOptionsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_keyboard);
    layout->addWidget(switches);
    layout->addWidget(buttons);

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(m_keyboard), static_cast<QAbstractButton*>(m_noScanning),
                               static_cast<QAbstractButton*>(m_oneSwitch), static_cast<QAbstractButton*>(m_twoSwitches)})
        connect(b, &QAbstractButton::toggled, this, &PlayOptionsDialog::updateControls);

    setOptions(settings::readPlayOptions(m_path));
}

settings::PlayOptions PlayOptionsDialog::options() const
{
    settings::PlayOptions o;
    o.keyboard = m_keyboard->isChecked();
    o.scanning = m_oneSwitch->isChecked()     ? settings::Scanning::OneSwitch
                 : m_twoSwitches->isChecked() ? settings::Scanning::TwoSwitches
                                              : settings::Scanning::Off;
    o.paceMs = m_pace->currentData().toInt();
    return o;
}

void PlayOptionsDialog::setOptions(const settings::PlayOptions& o)
{
    m_keyboard->setChecked(o.keyboard);
    m_noScanning->setChecked(o.scanning == settings::Scanning::Off);
    m_oneSwitch->setChecked(o.scanning == settings::Scanning::OneSwitch);
    m_twoSwitches->setChecked(o.scanning == settings::Scanning::TwoSwitches);
    m_pace->setCurrentIndex(qMax(0, m_pace->findData(o.paceMs)));
    updateControls();
}

// The pace belongs to one switch only: with two, the learner moves the mark.
void PlayOptionsDialog::updateControls()
{
    m_pace->setEnabled(m_oneSwitch->isChecked());
}

void PlayOptionsDialog::accept()
{
    try {
        settings::writePlayOptions(m_path, options());
    } catch (const runtime::Error& e) {
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), e.message(), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    QDialog::accept();
}

} // namespace launcher
