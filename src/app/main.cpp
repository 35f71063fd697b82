#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("DAXO");
    window.setFixedSize(718, 547);
    window.show();
    return app.exec();
}
