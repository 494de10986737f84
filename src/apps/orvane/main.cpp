#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(u"Kelvor企业客户管理软件 V1.4"_s);
    w.resize(886, 655);
    w.show();
    return app.exec();
}
