#pragma once
#include <QString>
#include <stdexcept>

namespace report {

// A template that Mustache cannot read (an unclosed section, say).
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace report
