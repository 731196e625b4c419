#include "platform/RenameReasons.h"
#include "platform/SystemFolderRules.h"
#include "platform/WindowsPaths.h"

namespace {

// The longest name the folder's volume takes, in UTF-16 units (255 on NTFS,
// FAT32 and exFAT); 0 when the volume does not say.
int LongestNameOn(const QString& folder)
{
    // GetVolumePathNameW needs room for the whole path.
    const QString path = ExtendedPath(folder);
    std::wstring root(static_cast<size_t>(path.size()) + 2, L'\0');
    if (!GetVolumePathNameW(Wide(path), root.data(), static_cast<DWORD>(root.size())))
        return 0;
    DWORD longest = 0;
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, &longest, nullptr, nullptr, 0))
        return 0;
    return static_cast<int>(longest);
}

} // namespace

FolderFacts SystemFolderRules::factsOf(const QString& folder)
{
    FolderFacts facts;
    FolderSearch search(folder.isEmpty() ? QStringLiteral("\\") : folder, QStringLiteral("*"));
    facts.listed = !search.failed();
    if (!facts.listed)
        return facts;
    facts.longestName = LongestNameOn(folder);
    // Windows looks names up without regard to case, whatever case the
    // volume keeps.
    facts.foldsCase = true;
    return facts;
}

void SystemFolderRules::listNames(const QString& folder, const std::function<void(NameText)>& eachName)
{
    FolderSearch search(folder.isEmpty() ? QStringLiteral("\\") : folder, QStringLiteral("*"));
    while (search.next())
        eachName(NameText(search.name()));
}

PreviewProblem SystemFolderRules::nameProblem(const QString&, const NameText&, const NameText& newNameText,
                                              int longestName)
{
    const QString newName = newNameText.toString();
    // What the rename refuses before it asks the system (TargetPathProblem,
    // WindowsNameProblem), without building paths: a million rows are looked at.
    if (newName.contains(QLatin1Char('/')) || newName.contains(QLatin1Char('\\')))
        return PreviewProblem::Separator;
    if (newName.isEmpty() || newName == QLatin1String(".") || newName == QLatin1String(".."))
        return PreviewProblem::NotAName;
    if (const auto problem = WindowsNameProblem(newName)) {
        switch (*problem) {
        case RenameProblem::ReservedName:
            return PreviewProblem::ReservedName;
        case RenameProblem::TrailingDotOrSpace:
            return PreviewProblem::TrailingDotOrSpace;
        default:
            return PreviewProblem::ForbiddenCharacter;
        }
    }
    if (longestName > 0 && newName.size() > longestName)
        return PreviewProblem::TooLong;
    return PreviewProblem::None;
}
