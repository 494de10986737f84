#include "shell/TSplashForm.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace shell {

TSplashForm::TSplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Timer1(new QTimer(this))
{
    setObjectName(u"SplashForm"_s);
    setWindowTitle(u"Kelvor中小企业客户管理"_s);
    setFixedSize(398, 243);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(3000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TSplashForm::Timer1Timer);
}

QPixmap TSplashForm::picture()
{
    static const QPixmap pix(u":/shell/splash.png"_s);
    return pix;
}

void TSplashForm::Timer1Timer() { Timer1->stop(); }

void TSplashForm::showFor(int ms)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    repaint();
    Timer1->setInterval(std::max(0, ms));
    Timer1->start();
    // The wait serves the event queue; the splash and its timer share this thread.
    QEventLoop loop;
    connect(Timer1, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (Timer1->isActive())
        loop.exec();
    hide();
}

void TSplashForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), picture());
}

} // namespace shell
