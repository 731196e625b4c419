#pragma once

#include <QString>

// Points the program at a settings folder of the test run's own, so that no
// test ever reads or writes the user's real settings.
void UseTemporaryConfigFolder();
[[nodiscard]] QString TemporaryConfigFolder();
