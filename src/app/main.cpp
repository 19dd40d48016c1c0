// Dovrel Consist Editor: composes consists of the game's rail vehicles and stores them in the
// game's own user-consist file. This entry point opens the main window.
#include <QApplication>
#include <QMainWindow>

#define DOVREL_TEXT(x) #x
#define DOVREL_NUMBER_TEXT(x) DOVREL_TEXT(x)

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Dovrel Consist Editor  v" DOVREL_NUMBER_TEXT(
        DOVREL_VERSION_MAJOR) " build " DOVREL_NUMBER_TEXT(DOVREL_BUILD_NUMBER)));
    window.resize(13815 / 15, 10080 / 15);
    window.show();
    return QApplication::exec();
}
