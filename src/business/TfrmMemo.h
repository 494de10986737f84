#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace db { class Dataset; }
namespace widgets { class DBMemo; }

namespace business {

// "备注": a record's long remark in a large box, stamped with the date and time and saved by
// posting the record. Serves the business record's memo and the address-book contact's memo;
// the opener sets the notice, binds the box and shows the window modally, e.g.
//   TfrmMemo memo(this);
//   memo.setNotice(u"业务--"_s + title);
//   memo.dxMemoGeneral->setPlainText(storedText);
//   memo.bindMemo(dm.tlbOperates, u"OperateMemo"_s);
//   memo.exec();
// "插入时间" stamps and "保存" posts the record the box is bound to. Closing without "保存"
// leaves the record in edit state with what was typed; the next post of the dataset writes it.
class TfrmMemo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmMemo(QWidget *parent = nullptr);

    void setNotice(const QString &text);
    QString notice() const;
    // Binds the large box; a null dataset unbinds it.
    void bindMemo(db::Dataset *dataset, const QString &fieldName);

    void done(int result) override;

    QLabel *lblNotice;
    widgets::DBMemo *dxDBMemoGeneral;
    // A plain copy the openers fill; it lies under the bound box and is never shown.
    QPlainTextEdit *dxMemoGeneral;
    QPushButton *fbtnAddTime;
    QPushButton *fbtnGetFiles;
    QPushButton *fbtnSave;

protected:
    struct Target
    {
        db::Dataset *dataset = nullptr;
        QString field;
    };
    // The record the stamp writes and the save posts: here the one the box is bound to.
    virtual Target memoTarget() const;

private:
    void fbtnAddTimeClick();
    void fbtnGetFilesClick();
    void fbtnSaveClick();
    // Puts what was typed into the box into its field, so no keystroke is lost.
    void writeTypedText();
};

} // namespace business
