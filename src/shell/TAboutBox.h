#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace shell {

// "关于本软件": the program icon, product name, version and the maker's credits.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *ProgramIcon;
    QLabel *ProductName;
    QLabel *Version;
    QLabel *Copyright;
    QLabel *Comments;
    QPushButton *OKButton;
};

} // namespace shell
