#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace shell {

// The login gate "即将进入公司客户管理系统". Sets crm::LoginAccepted; "取  消" ends the process.
class TfrmPWDConfirm : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmPWDConfirm(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Button1Click();

    QLineEdit *Edit1;
    QPushButton *Button1;
    QPushButton *Button2;
};

// The gate as the start sequence runs it: shown only when a password is stored (a non-empty
// "PassWord" value), which also sets crm::LoginRequired. Returns crm::LoginAccepted.
bool runLoginGate(QWidget *parent = nullptr);

} // namespace shell
