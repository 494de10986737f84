#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace shell {

// The long-lived windows of Orvane, created once at start in a fixed order by class name.
// Each subsystem provides the factory of its windows (from the program's main()); the
// registry calls the factories in the fixed order, whatever the order they were provided in,
// and skips the classes nobody provided. A factory sets the window's program-wide instance,
// embeds its panel into the main window where it has one, and returns the object; a returned
// object without a parent is owned by the registry and deleted at the end of the run.
class WindowRegistry {
public:
    using Factory = std::function<QObject *()>;

    WindowRegistry();
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry &) = delete;
    WindowRegistry &operator=(const WindowRegistry &) = delete;

    // The class names in creation order: the main window, the data module, then the windows.
    static const QStringList &creationOrder();

    // False (and nothing kept) for a class name that is not in the creation order.
    bool provide(const QString &className, Factory factory);
    bool isProvided(const QString &className) const { return m_factories.contains(className); }

    // Creates every provided class once, in order. Throws what a factory throws.
    void createAll();
    QObject *instance(const QString &className) const;
    QStringList created() const { return m_created; }

    // Deletes the owned objects: windows in reverse order of creation first, then the
    // objects that are not widgets (data modules), which the windows may still use.
    void destroyAll();

private:
    QHash<QString, Factory> m_factories;
    QStringList m_created;
    QHash<QString, QPointer<QObject>> m_instances;
    QList<QPointer<QObject>> m_owned; // in creation order
};

} // namespace shell
