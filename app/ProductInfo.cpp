#include "app/ProductInfo.h"

#include <QDir>
#include <QFileInfo>

ProgramVersion CurrentVersion()
{
    return {QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR, QUORVANE_VERSION_PATCH};
}

QString ProgramKind()
{
    return QStringLiteral("一括リネームツール");
}

QString AuthorLine()
{
    // The credit holds together: where the box is too narrow for the whole
    // line it moves down as one, rather than leaving the team's name alone.
    // A Japanese line may break between any two letters: word joiners
    // (U+2060, no room) hold the team's name together.
    QString team;
    for (const QChar letter : QStringLiteral("開発チーム"))
        team += (team.isEmpty() ? QString() : QString(QChar(0x2060))) + letter;
    const QString credit =
        QStringLiteral("Copyright (C) 2026 Quorvane ").replace(QLatin1Char(' '), QChar(0x00A0)) + team;
    return ProgramKind() + QStringLiteral("  ") + credit;
}

QString VersionMessageText(ProgramVersion version, const QString& author, const QString& libraryName,
                           int libraryVersion)
{
    QString text = QStringLiteral("Quorvane   Ver%1.%2.%3\t")
                       .arg(version.major)
                       .arg(version.minor)
                       .arg(version.revision) +
                   author;
    if (libraryVersion > 0) {
        text += QStringLiteral("\r\n") + libraryName + QStringLiteral("  Ver") +
                QString::number(libraryVersion / 100.0, 'f', 2);
    }
    return text;
}

namespace {
// In the system's form, as the program shows and hands on every path.
QString firstExisting(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QDir::toNativeSeparators(candidate);
    }
    return {};
}
} // namespace

QString ReadMePath(const QString& executableFolder)
{
    const QDir folder(executableFolder);
    return firstExisting({folder.filePath(QStringLiteral("ReadMe.txt")),
                          folder.filePath(QStringLiteral("../share/quorvane/ReadMe.txt"))});
}

QString UpdaterPath(const QString& executableFolder)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("Update.exe");
#else
    const QString name = QStringLiteral("quorvane-update");
#endif
    return firstExisting({QDir(executableFolder).filePath(name)});
}

QString HomepageAddress()
{
    return QStringLiteral("https://quorvane.example.org/");
}
