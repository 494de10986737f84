#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// Every engine failure reaches the caller as this exception, carrying the engine's message.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace db
