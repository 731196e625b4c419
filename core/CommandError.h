#pragma once

#include <QString>

#include <stdexcept>

// Thrown by a command step that cannot go on. The common frame of the button
// commands catches it, keeps the work done so far and shows the reason in
// status panel 1.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const QString& reason)
        : std::runtime_error(reason.toStdString())
        , m_reason(reason)
    {}
    [[nodiscard]] const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};
