#pragma once
#include "platform/widgets/DataEditor.h"

#include <QPlainTextEdit>

namespace widgets {

// A multi-line memo bound to one field; Tab is typed into the text. isModified() is the
// document's modified flag ("changed by typing"). Input past the field's width in GBK bytes and
// characters GBK cannot hold are refused.
class DBMemo : public QPlainTextEdit, public DataEditor
{
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);
    DBMemo(db::Dataset *dataset, const QString &fieldName, QWidget *parent = nullptr);

    QString text() const { return toPlainText(); }
    // Replaces the text as the program (not the user) does; clears the modified flag.
    void setText(const QString &text);
    bool isModified() const;
    void setModified(bool on);
    int maxBytes() const { return m_maxBytes; }

signals:
    void exited();

protected:
    void showValue(const QVariant &value) override;
    QVariant editorValue() const override;
    bool modifiedFlag() const override { return isModified(); }
    void setModifiedFlag(bool on) override { setModified(on); }
    void fieldBound(const db::Field *field) override;
    void emitExited() override { emit exited(); }

    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // False (and the user is told) when inserting text at the cursor must be refused.
    bool mayInsert(const QString &inserted);

    int m_maxBytes = -1;
};

} // namespace widgets
