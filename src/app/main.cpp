// Dovrel Consist Editor: composes consists of the game's rail vehicles and stores them in the
// game's own user-consist file. This entry point opens the main window.
#include "app/Form1.h"

#include <QApplication>

#define DOVREL_TEXT(x) #x
#define DOVREL_NUMBER_TEXT(x) DOVREL_TEXT(x)

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    dovrel::Form1 window;
    window.setWindowTitle(QStringLiteral("Dovrel Consist Editor  v" DOVREL_NUMBER_TEXT(
        DOVREL_VERSION_MAJOR) " build " DOVREL_NUMBER_TEXT(DOVREL_BUILD_NUMBER)));
    window.show();
    return QApplication::exec();
}
