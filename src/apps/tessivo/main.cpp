#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(u"信封套打"_s);
    w.resize(640, 480);
    w.show();
    return app.exec();
}
