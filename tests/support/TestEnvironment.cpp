#include "tests/support/TestEnvironment.h"

#include <QTemporaryDir>

namespace {
QTemporaryDir& configDir()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

void UseTemporaryConfigFolder()
{
    qputenv("QUORVANE_CONFIG_DIR", configDir().path().toUtf8());
}

QString TemporaryConfigFolder()
{
    return configDir().path();
}
