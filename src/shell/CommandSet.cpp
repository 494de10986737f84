#include "shell/CommandSet.h"

#include "platform/system/Guard.h"

#include <QAction>
#include <QWidget>

namespace shell {

CommandSet::CommandSet(QWidget *errorParent) : QObject(errorParent), m_errorParent(errorParent) {}

void CommandSet::define(const QString &key)
{
    if (m_commands.contains(key))
        return;
    m_commands.insert(key, {});
    m_order << key;
}

void CommandSet::attach(const QString &key, QAction *action)
{
    define(key);
    m_commands[key].actions << action;
    connect(action, &QAction::triggered, this, [this, key] { run(key); });
    syncEnabled(key);
}

QList<QAction *> CommandSet::actions(const QString &key) const { return m_commands.value(key).actions; }

void CommandSet::setBuiltIn(const QString &key, std::function<void()> part)
{
    define(key);
    m_commands[key].builtIn = std::move(part);
    syncEnabled(key);
}

bool CommandSet::setHandler(const QString &key, std::function<void()> handler)
{
    if (!m_commands.contains(key))
        return false;
    m_commands[key].handler = std::move(handler);
    syncEnabled(key);
    return true;
}

bool CommandSet::isEnabled(const QString &key) const
{
    const auto it = m_commands.constFind(key);
    return it != m_commands.cend() && (it->builtIn || it->handler);
}

bool CommandSet::run(const QString &key)
{
    if (!isEnabled(key))
        return false;
    // Copies: a handler may replace the command's handlers while it runs.
    const Command command = m_commands.value(key);
    return sys::guarded(m_errorParent, [&command] {
        if (command.builtIn)
            command.builtIn();
        if (command.handler)
            command.handler();
    });
}

void CommandSet::syncEnabled(const QString &key)
{
    const bool on = isEnabled(key);
    for (QAction *action : std::as_const(m_commands[key].actions))
        action->setEnabled(on);
}

} // namespace shell
