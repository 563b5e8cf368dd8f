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

void Restore()
{
    for (const auto &[name, value] : usersValues()) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
    usersValues().clear();
}

} // namespace StartEnvironment
