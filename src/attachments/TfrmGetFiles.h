#pragma once
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace attachments {

// "获取附件": copies or moves a chosen file into the folder the main window's attachment panel
// shows at the moment. Construct and exec(); the window stays open for further files.
class TfrmGetFiles : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGetFiles(QWidget *parent = nullptr);

    // The open-file dialog's filter: all files, Word documents, BMP pictures, web pages.
    static QString fileFilter();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FlatButtonSelectFileClick();
    void fetch(bool move);

    QLineEdit *FlatEditFileName;
    QPushButton *FlatButtonSelectFile;
    QPlainTextEdit *Memo1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *BitBtn3;
};

} // namespace attachments
