#include "core/SystemErrorText.h"

#include <QFileDevice>
#include <QProcess>

#include <array>
#include <cerrno>
#include <new>

#ifdef Q_OS_WIN
#include <winerror.h>
#endif

namespace {

struct Cause {
    int code;
    const char16_t* text;
};

// The causes a user can act on, each worded once for every text that names
// a system code (rename reasons take theirs from here too). No parentheses:
// callers put the cause in their own.
constexpr std::array kCauses{
    Cause{EACCES, u"アクセスする権限がありません"},
    Cause{EPERM, u"ファイルまたはフォルダを変更する権限がありません"},
    Cause{ENOENT, u"ファイルまたはフォルダが見つかりません"},
    Cause{ENOTDIR, u"ファイルのあるフォルダが見つかりません"},
    Cause{EISDIR, u"同じ名前のフォルダがすでにあります"},
    Cause{EEXIST, u"同じ名前のファイルまたはフォルダがすでにあります"},
    Cause{ENOSPC, u"ドライブの空き容量が足りないか、使用できる容量の上限に達しています"},
#ifdef EDQUOT
    Cause{EDQUOT, u"ドライブの空き容量が足りないか、使用できる容量の上限に達しています"},
#endif
    Cause{EROFS, u"ファイルのあるドライブは読み取り専用です"},
    Cause{ENAMETOOLONG, u"名前またはパスが長すぎます"},
    Cause{EBUSY, u"ファイルまたはフォルダがほかのプログラムで使用中です"},
    Cause{ETXTBSY, u"ファイルまたはフォルダがほかのプログラムで使用中です"},
    Cause{EMFILE, u"開いているファイルが多すぎます"},
    Cause{ENFILE, u"開いているファイルが多すぎます"},
    Cause{EIO, u"ドライブの読み書き中にエラーが起きました"},
    Cause{ENOMEM, u"メモリが足りません"},
    Cause{ELOOP, u"シンボリックリンクが循環しています"},
    Cause{ENOEXEC, u"実行できる形式のファイルではありません"},
};

const Cause* CauseOfCode(int code)
{
    for (const Cause& cause : kCauses) {
        if (cause.code == code)
            return &cause;
    }
    return nullptr;
}

// The codes the system words its errors by, each with the errno value of its
// cause: errno itself on POSIX; on Windows, where Qt words GetLastError(),
// Windows' own codes, which share numbers with errno values of other causes.
struct SystemCode {
    int code;
    int cause;
};
#ifdef Q_OS_WIN
constexpr std::array kSystemCodes{
    SystemCode{ERROR_ACCESS_DENIED, EACCES},
    SystemCode{ERROR_PRIVILEGE_NOT_HELD, EPERM},
    SystemCode{ERROR_FILE_NOT_FOUND, ENOENT},
    // A folder on the way is missing: told as POSIX tells it, whatever the
    // path named (a file to write, a program to start).
    SystemCode{ERROR_PATH_NOT_FOUND, ENOENT},
    SystemCode{ERROR_INVALID_DRIVE, ENOENT},
    SystemCode{ERROR_BAD_NETPATH, ENOENT},
    SystemCode{ERROR_DIRECTORY, ENOTDIR},
    SystemCode{ERROR_FILE_EXISTS, EEXIST},
    SystemCode{ERROR_ALREADY_EXISTS, EEXIST},
    SystemCode{ERROR_DISK_FULL, ENOSPC},
    SystemCode{ERROR_HANDLE_DISK_FULL, ENOSPC},
    SystemCode{ERROR_WRITE_PROTECT, EROFS},
    SystemCode{ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    SystemCode{ERROR_SHARING_VIOLATION, EBUSY},
    SystemCode{ERROR_LOCK_VIOLATION, EBUSY},
    SystemCode{ERROR_BUSY, EBUSY},
    SystemCode{ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    SystemCode{ERROR_CRC, EIO},
    SystemCode{ERROR_READ_FAULT, EIO},
    SystemCode{ERROR_WRITE_FAULT, EIO},
    SystemCode{ERROR_IO_DEVICE, EIO},
    SystemCode{ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    SystemCode{ERROR_OUTOFMEMORY, ENOMEM},
    SystemCode{ERROR_CANT_RESOLVE_FILENAME, ELOOP},
    SystemCode{ERROR_BAD_EXE_FORMAT, ENOEXEC},
    SystemCode{ERROR_EXE_MACHINE_TYPE_MISMATCH, ENOEXEC},
};
#else
constexpr auto kSystemCodes = [] {
    std::array<SystemCode, kCauses.size()> codes{};
    for (size_t i = 0; i < kCauses.size(); ++i)
        codes[i] = {kCauses[i].code, kCauses[i].code};
    return codes;
}();
#endif

// Qt words a system code with qt_error_string (on POSIX the C library's
// text, fixed English for a few codes; on Windows the system's message),
// sometimes after the name of the failed call ("execvp: Permission denied").
const Cause* CauseOf(const QString& systemText)
{
    for (const SystemCode& system : kSystemCodes) {
        const QString known = qt_error_string(system.code);
        if (!known.isEmpty() && (systemText == known || systemText.endsWith(QStringLiteral(": ") + known)))
            return CauseOfCode(system.cause);
    }
    return nullptr;
}

// The system's own words, kept for support where ours name no cause.
QString WithDetail(const QString& text, const QString& systemText)
{
    return QStringLiteral("%1。詳細：%2").arg(text, systemText);
}

} // namespace

QString SystemCauseText(int code)
{
    const Cause* cause = CauseOfCode(code);
    return cause ? QString::fromUtf16(cause->text) : QString();
}

QString SystemErrorText(const QString& systemText)
{
    if (const Cause* cause = CauseOf(systemText))
        return QString::fromUtf16(cause->text);
    const QString unknown = QStringLiteral("原因の分からないエラーです");
    return systemText.isEmpty() ? unknown : WithDetail(unknown, systemText);
}

QString FileErrorText(const QFileDevice& file)
{
    if (CauseOf(file.errorString()))
        return SystemErrorText(file.errorString());
    QString what;
    switch (file.error()) {
    case QFileDevice::OpenError:
        what = QStringLiteral("ファイルを開けません");
        break;
    case QFileDevice::ReadError:
        what = QStringLiteral("読み込み中にエラーが起きました");
        break;
    case QFileDevice::WriteError:
        what = QStringLiteral("書き込み中にエラーが起きました");
        break;
    case QFileDevice::ResourceError:
        what = QStringLiteral("ドライブの空き容量かメモリが足りません");
        break;
    case QFileDevice::PermissionsError:
        what = SystemCauseText(EACCES);
        break;
    case QFileDevice::RenameError:
        what = QStringLiteral("書き込んだファイルを置き換えられません");
        break;
    default:
        what = QStringLiteral("ファイルを扱えません");
        break;
    }
    const QString detail = file.errorString();
    return detail.isEmpty() ? what : WithDetail(what, detail);
}

QString ProcessErrorText(const QProcess& process)
{
    switch (process.error()) {
    case QProcess::FailedToStart:
        if (process.program().isEmpty())
            return QStringLiteral("起動するプログラムが指定されていません");
        if (const Cause* cause = CauseOf(process.errorString())) {
            if (cause->code == ENOENT)
                return QStringLiteral("プログラムが見つかりません");
            if (cause->code == EACCES)
                return QStringLiteral("プログラムとして実行する権限がありません");
            return QString::fromUtf16(cause->text);
        }
        return WithDetail(QStringLiteral("プログラムを起動できません"), process.errorString());
    case QProcess::Crashed:
        return QStringLiteral("プログラムが異常終了しました");
    case QProcess::Timedout:
        return QStringLiteral("プログラムが応答しません");
    case QProcess::ReadError:
    case QProcess::WriteError:
        return QStringLiteral("プログラムとのやり取りに失敗しました");
    case QProcess::UnknownError:
        break;
    }
    return QStringLiteral("原因の分からないエラーです");
}

QString ExceptionText(const std::exception& error)
{
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("メモリが足りないため、処理を中断しました");
    return WithDetail(QStringLiteral("予期しないエラーのため、処理を中断しました"),
                      QString::fromLocal8Bit(error.what()));
}
