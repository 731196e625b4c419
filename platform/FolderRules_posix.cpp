#include "platform/SystemFolderRules.h"

#include "core/NameBytes.h"

#include <climits>
#include <dirent.h>
#include <unistd.h>

FolderFacts SystemFolderRules::factsOf(const QString& folder)
{
    FolderFacts facts;
    DIR* dir = ::opendir(EncodeFileName(folder.isEmpty() ? QStringLiteral("/") : folder).constData());
    if (!dir)
        return facts;
    facts.listed = true;
    const long limit = ::fpathconf(::dirfd(dir), _PC_NAME_MAX);
    facts.longestName = limit > 0 && limit < INT_MAX ? static_cast<int>(limit) : 0;
    ::closedir(dir);
    return facts;
}

void SystemFolderRules::listNames(const QString& folder, const std::function<void(NameText)>& eachName)
{
    DIR* dir = ::opendir(EncodeFileName(folder.isEmpty() ? QStringLiteral("/") : folder).constData());
    if (!dir)
        return;
    while (const dirent* found = ::readdir(dir))
        eachName(DecodeFileNameText(found->d_name));
    ::closedir(dir);
}

PreviewProblem SystemFolderRules::nameProblem(const QString&, const NameText&, const NameText& newName,
                                              int longestName)
{
    // What the rename's own test (TargetPathProblem) refuses of two names in
    // one folder, without building their paths or copying the names: a
    // million rows are looked at.
    const auto problemOf = [longestName](auto name) {
        if (name.contains(QLatin1Char('/')))
            return PreviewProblem::Separator;
        if (name.contains(QChar(0)))
            return PreviewProblem::ForbiddenCharacter;
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            return PreviewProblem::NotAName;
        // A UTF-16 unit takes at most three bytes, so short names need no encoding.
        if (longestName > 0 && name.size() * 3 > longestName &&
            EncodeFileName(name.toString()).size() > longestName)
            return PreviewProblem::TooLong;
        return PreviewProblem::None;
    };
    return newName.isAscii() ? problemOf(newName.asciiView()) : problemOf(newName.utf16View());
}
