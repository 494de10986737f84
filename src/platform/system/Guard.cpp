#include "platform/system/Guard.h"

#include "platform/system/Services.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

void showFailure(QWidget *parent, const QString &text)
{
    messages().show(parent, text, systemTitle(), QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace

bool guarded(QWidget *parent, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what()).trimmed();
        showFailure(parent, text.isEmpty() ? u"操作失败。"_s : text);
    } catch (...) {
        showFailure(parent, u"操作失败：发生了未知错误。"_s);
    }
    return false;
}

} // namespace sys
