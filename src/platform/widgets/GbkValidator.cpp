#include "platform/widgets/GbkValidator.h"

#include "platform/system/Gbk.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

QString refusalFor(const std::optional<int> &bytes, const std::optional<int> &baseline, int maxBytes)
{
    if (!bytes)
        return baseline ? u"不能输入这个字符：它无法保存（例如表情符号）。"_s : QString();
    if (maxBytes >= 0 && *bytes > maxBytes && (!baseline || *bytes > *baseline))
        return u"最多只能输入 %1 个字节（一个汉字占两个字节，即 %2 个汉字）。"_s.arg(maxBytes).arg(maxBytes / 2);
    return QString();
}

} // namespace

GbkValidator::GbkValidator(QObject *parent) : QValidator(parent) {}

GbkValidator *GbkValidator::install(QLineEdit *edit)
{
    auto *v = new GbkValidator(edit);
    v->setBaseline(edit->text());
    edit->setValidator(v);
    connect(edit, &QLineEdit::textChanged, v, &GbkValidator::setBaseline);
    connect(v, &GbkValidator::refused, edit, [edit](const QString &message) { showRefusal(edit, message); });
    return v;
}

void GbkValidator::setBaseline(const QString &text) { m_baselineBytes = sys::gbkByteCount(text); }

QValidator::State GbkValidator::validate(QString &input, int &) const
{
    const QString why = refusalFor(sys::gbkByteCount(input), m_baselineBytes, m_maxBytes);
    if (why.isEmpty())
        return Acceptable;
    emit const_cast<GbkValidator *>(this)->refused(why);
    return Invalid;
}

QString GbkValidator::refusal(const QString &newText, const QString &oldText, int maxBytes)
{
    return refusalFor(sys::gbkByteCount(newText), sys::gbkByteCount(oldText), maxBytes);
}

void GbkValidator::showRefusal(QWidget *box, const QString &message)
{
    QApplication::beep();
    if (box->isVisible())
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), message, box, QRect(), 4000);
}

} // namespace widgets
