#include "platform/widgets/EnterChain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace widgets {

EnterChain::EnterChain(QWidget *box, QList<QPointer<QWidget>> rest, Last last)
    : QObject(box), m_rest(std::move(rest)), m_last(last)
{
    box->installEventFilter(this);
}

void EnterChain::install(const QList<QWidget *> &chain, Last last)
{
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QWidget *box = chain[i];
        if (!box)
            continue;
        for (EnterChain *old : box->findChildren<EnterChain *>(Qt::FindDirectChildrenOnly))
            delete old;
        QList<QPointer<QWidget>> rest;
        for (int j = i + 1; j < chain.size(); ++j)
            rest << chain[j];
        new EnterChain(box, rest, last);
    }
}

bool EnterChain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Enter in an open drop-down chooses its entry.
    if (auto *combo = qobject_cast<QComboBox *>(watched); combo && combo->view()->isVisible())
        return false;
    for (int i = 0; i < m_rest.size(); ++i) {
        QWidget *next = m_rest[i];
        if (!next || !next->isVisible() || !next->isEnabled())
            continue;
        const bool lastOne = i == m_rest.size() - 1;
        auto *button = qobject_cast<QAbstractButton *>(next);
        if (lastOne && m_last == Last::Press && button)
            button->click();
        else
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return true; // nowhere to go: Enter does nothing (no default button either)
}

} // namespace widgets
