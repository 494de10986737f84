#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QWidget;

namespace shell {

// The commands of a window by key, each with the actions (menu items, toolbar buttons,
// links) that run it. A command runs its built-in part first, if it has one, then the
// handler set from outside. A command with neither is disabled: no dead buttons.
// Every run goes through sys::guarded, so a failure shows the error box and nothing leaks
// into the event loop.
class CommandSet : public QObject {
    Q_OBJECT
public:
    explicit CommandSet(QWidget *errorParent);

    void define(const QString &key);
    bool contains(const QString &key) const { return m_commands.contains(key); }
    QStringList keys() const { return m_order; }

    void attach(const QString &key, QAction *action);
    QList<QAction *> actions(const QString &key) const;

    void setBuiltIn(const QString &key, std::function<void()> part);
    // False for an unknown key. An empty handler takes the handler away again.
    bool setHandler(const QString &key, std::function<void()> handler);
    bool isEnabled(const QString &key) const;

    // Runs the command (does nothing when it is disabled or unknown); true when it finished.
    bool run(const QString &key);

private:
    struct Command {
        QList<QAction *> actions;
        std::function<void()> builtIn;
        std::function<void()> handler;
    };
    void syncEnabled(const QString &key);

    QWidget *m_errorParent;
    QHash<QString, Command> m_commands;
    QStringList m_order;
};

} // namespace shell
