#include "platform/StartEnvironment.h"

#include <map>
#include <optional>

namespace StartEnvironment {

namespace {

std::map<QByteArray, std::optional<QByteArray>> &usersValues()
{
    static std::map<QByteArray, std::optional<QByteArray>> values;
    return values;
}

} // namespace

void Set(const char *name, const QByteArray &value)
{
    usersValues().try_emplace(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, value);
}

QProcessEnvironment Users()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : usersValues()) {
        if (value)
            environment.insert(QString::fromLocal8Bit(name), QString::fromLocal8Bit(*value));
        else
            environment.remove(QString::fromLocal8Bit(name));
    }
    return environment;
}

} // namespace StartEnvironment
