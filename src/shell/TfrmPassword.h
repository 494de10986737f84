#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace shell {

// "更改密码": checks the old password and stores a new one, enciphered, as the settings value
// "Password". Opened by the command "密码设置": construct and exec().
class TfrmPassword : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Button1Click();

    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QLineEdit *Edit3;
    QPushButton *Button1;
    QPushButton *Button2;
};

} // namespace shell
