#pragma once
// Environment variables set for one test and put back as they were after it.

#include <QByteArray>

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class ScopedEnvironment {
public:
    // A null value unsets the variable.
    ScopedEnvironment(std::initializer_list<std::pair<const char*, QByteArray>> values)
    {
        for (const auto& [name, value] : values) {
            m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                       : std::nullopt);
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            value ? qputenv(name, *value) : qunsetenv(name);
    }
    Q_DISABLE_COPY_MOVE(ScopedEnvironment)

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};
