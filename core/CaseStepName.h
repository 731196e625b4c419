#pragma once
// A rename that only changes letter case goes through a temporary name on a
// disk that folds case. The name is derived from the two names alone, so that
// recovery after a crash between the two steps knows where to look without
// anything written at the time of the step.

#include <QString>

inline constexpr int kCaseStepAttempts = 8;

// What every temporary name starts with.
[[nodiscard]] inline QString CaseStepPrefix()
{
    return QStringLiteral(".~qv");
}

// The temporary name for the `attempt`-th try (0 to kCaseStepAttempts - 1):
// a hidden name starting with ".~qv" that holds a digest of both names.
[[nodiscard]] QString CaseStepTemporaryName(const QString& fromName, const QString& toName, int attempt);

// What a temporary name was taken for.
enum class TemporaryStep { CaseChange, Exchange };

// A file left under its temporary name: the step could not be completed nor
// undone. The user renames it by hand.
[[nodiscard]] QString StrandedTemporaryText(TemporaryStep step, const QString& temporaryName,
                                            const QString& why);
