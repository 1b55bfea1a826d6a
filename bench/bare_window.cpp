// The baseline of the start-up measurement: an empty Qt Widgets window of the main window's
// size, so the ratios show what Kestrune adds on top of Qt itself.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt Window"));
    window.setFixedSize(640, 432);
    window.show();
    return QApplication::exec();
}
