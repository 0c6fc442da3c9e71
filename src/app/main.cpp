#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Etikor"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Etikor"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
