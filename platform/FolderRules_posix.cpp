#include "platform/SystemFolderRules.h"

#include "core/NameBytes.h"
#include "core/Paths.h"
#include "platform/RenameReasons.h"

#include <QFile>

#include <climits>
#include <dirent.h>
#include <unistd.h>

FolderFacts SystemFolderRules::factsOf(const QString& folder)
{
    FolderFacts facts;
    const QByteArray encoded = EncodeFileName(folder.isEmpty() ? QStringLiteral("/") : folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir)
        return facts;
    facts.listed = true;
    const long limit = ::fpathconf(::dirfd(dir), _PC_NAME_MAX);
    facts.longestName = limit > 0 && limit < INT_MAX ? static_cast<int>(limit) : 0;
    while (const dirent* found = ::readdir(dir)) {
        facts.names.append(DecodeFileName(found->d_name));
    }
    ::closedir(dir);
    return facts;
}

PreviewProblem SystemFolderRules::nameProblem(const QString& folder, const QString& currentName,
                                              const QString& newName, int longestName)
{
    // The rename's own test before it asks the system, then why it refused.
    const QChar sep(QLatin1Char('/'));
    if (TargetPathProblem(JoinPath(folder, currentName, sep), JoinPath(folder, newName, sep), sep)) {
        if (newName.contains(sep))
            return PreviewProblem::Separator;
        if (newName.contains(QChar(0)))
            return PreviewProblem::ForbiddenCharacter;
        return PreviewProblem::NotAName;
    }
    // A UTF-16 unit takes at most three bytes, so short names need no encoding.
    if (longestName > 0 && newName.size() * 3 > longestName && EncodeFileName(newName).size() > longestName)
        return PreviewProblem::TooLong;
    return PreviewProblem::None;
}
