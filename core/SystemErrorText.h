#pragma once
// Japanese texts of our own for what Qt and the C++ library report in
// English: file errors, a program that did not start, an exception's what().
// The system's words survive only as a detail after ours (「…。詳細：…」), and
// only where no text of ours names the cause.

#include <QString>

#include <exception>

class QFileDevice;
class QProcess;

// The cause behind a system error code (errno), as one sentence without its
// full stop ("ドライブの空き容量が…"), the same words wherever the code is
// named; empty for a code without a cause of ours.
[[nodiscard]] QString SystemCauseText(int code);

// The cause behind the system's error text ("Permission denied" → 権限がありません),
// or the text itself marked as the system's detail when it names no known cause.
[[nodiscard]] QString SystemErrorText(const QString& systemText);

// Why a file could not be opened, read or written, from the file's error state.
[[nodiscard]] QString FileErrorText(const QFileDevice& file);

// Why a program did not start or ended badly.
[[nodiscard]] QString ProcessErrorText(const QProcess& process);

// A command step failed with an exception that carries no text of ours.
[[nodiscard]] QString ExceptionText(const std::exception& error);
