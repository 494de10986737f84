#pragma once
#include <QWidget>

class QTimer;

namespace shell {

// The start-up picture: borderless, 398 x 243, centred on the screen.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget *parent = nullptr);

    // Ticks once after the display time; its tick switches it off.
    QTimer *Timer1;

    // Shows the picture at once and serves events until Timer1 has ticked (ms = display time).
    void showFor(int ms);
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Timer1Timer();
};

} // namespace shell
