#pragma once
#include <QDialog>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace widgets { class DBMemo; }

namespace customers {

// What the customer and the contact detail windows share: the button row "保存(&S)", "打印",
// "获取附件(&G)", "帮助(&H)", "关闭(&C)", the memo with "插入时间" and "放大", placement in
// the middle of the screen, and closing without posting. Typed text reaches the shared dataset
// on closing too, where it stays pending until the dataset is posted.
class DetailDialog : public QDialog
{
    Q_OBJECT
public:
    // saveName: the control name of the save button ("BitBtn6" in the customer window);
    // noteWidth: room for the notes beside the boxes of the left column (0: none).
    DetailDialog(const QString &caption, const QString &saveName, int noteWidth, QWidget *parent);

    QPushButton *saveButton() const { return m_save; }
    QPushButton *BitBtn2; // 打印
    QPushButton *BitBtn3; // 获取附件(&G)
    QPushButton *BitBtn4; // 帮助(&H)
    QPushButton *BitBtn5; // 关闭(&C)
    QPushButton *FbtnAddTime;
    QPushButton *FbtnLarge;

    void done(int result) override;

protected:
    // A titled group of captioned boxes in the body, laid out on a form grid.
    QGridLayout *addGroup(const QString &title);
    // The memo section with its two buttons (the memo is named dxMemoCust in both windows).
    void addMemo(widgets::DBMemo *memo);

    virtual void save() = 0;
    virtual void print() = 0;
    // "放大"; the contact window binds its own.
    virtual void enlargeMemo() = 0;

    void showEvent(QShowEvent *event) override;

    widgets::DBMemo *memo() const { return m_memo; }

private:
    void fetchFiles();
    void openHelp();
    // Writes every typed change into its field; false (the user told why) when a box holds
    // text its field cannot take.
    bool writeTypedText();

    QVBoxLayout *m_body;
    int m_noteWidth;
    QPushButton *m_save;
    widgets::DBMemo *m_memo = nullptr;
    bool m_placed = false;
};

} // namespace customers
