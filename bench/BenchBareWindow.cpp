// The yardstick for the calculator's start-up: a bare main window of the same kind, a tab
// widget with two empty pages, ending as soon as it is on screen. Prints nothing.

#include "QuitOnFirstExpose.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new QWidget(tabs), QStringLiteral("Données"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("Gestion des frais de courtage"));
    window.setCentralWidget(tabs);

    QuitOnFirstExpose quitWhenShown;
    window.show();
    return QApplication::exec();
}
