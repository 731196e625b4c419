#pragma once

#include "core/RenamePreview.h"

// The preview's questions answered by the system: the listing of the folder,
// the name limit its file system reports, and the names the rename refuses
// before it reaches the system. On POSIX names compare byte by byte and the
// limit counts the bytes of the encoded name.
class SystemFolderRules final : public FolderRules {
public:
    [[nodiscard]] FolderFacts factsOf(const QString& folder) override;
    void listNames(const QString& folder, const std::function<void(NameText)>& eachName) override;
    [[nodiscard]] PreviewProblem nameProblem(const QString& folder, const NameText& currentName,
                                             const NameText& newName, int longestName) override;
};
