#pragma once
#include <QValidator>
#include <optional>

class QLineEdit;
class QWidget;

namespace widgets {

// Refuses typing that would make a text longer than its field's width in GBK bytes (a Chinese
// character takes two), or that adds a character GBK cannot hold. A text already longer than the
// width (an old value) may still be shortened.
class GbkValidator : public QValidator
{
    Q_OBJECT
public:
    explicit GbkValidator(QObject *parent = nullptr);

    // Installs a validator on edit that follows the edit's accepted text and shows each refusal.
    static GbkValidator *install(QLineEdit *edit);

    // -1: no width, only characters GBK cannot hold are refused.
    void setMaxBytes(int bytes) { m_maxBytes = bytes; }
    int maxBytes() const { return m_maxBytes; }
    // The text the box holds now; a change is measured against it.
    void setBaseline(const QString &text);

    State validate(QString &input, int &pos) const override;

    // Why newText may not replace oldText in a box of maxBytes (-1: any width); empty when it may.
    static QString refusal(const QString &newText, const QString &oldText, int maxBytes);
    // Tells the user at the box why the input was refused.
    static void showRefusal(QWidget *box, const QString &message);

signals:
    void refused(const QString &message);

private:
    int m_maxBytes = -1;
    std::optional<int> m_baselineBytes = 0; // none: the baseline holds a character GBK cannot hold
};

} // namespace widgets
