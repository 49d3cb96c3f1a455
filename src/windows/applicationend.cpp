#include "windows/applicationend.h"

#include <QApplication>
#include <QWidget>

void ApplicationEnd::EndApplication()
{
    if (m_ending)
        return;
    m_ending = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    QCoreApplication::exit(0);
}
