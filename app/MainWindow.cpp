#include "app/MainWindow.h"

#include "app/Program.h"
#include "forms/Pressable.h"

#include <QCloseEvent>

namespace app {

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent)
{
    forms::setScreenPixels(this);
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
