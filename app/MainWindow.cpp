#include "app/MainWindow.h"

#include "app/Program.h"

#include <QCloseEvent>

namespace app {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent)
{
}

MainWindow::~MainWindow()
{
    delete m_backdrop.data();
}

void MainWindow::showBackdrop()
{
    m_backdrop = new forms::Backdrop;
    m_backdrop->showOverScreen();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    handle([this] {
        if (m_backdrop)
            m_backdrop->unload();
    });
    event->accept();
}

} // namespace app
