#pragma once
// Paths from the command line or a drop, and chosen folders, becoming rows.

#include "core/GivenPaths.h"
#include "core/RenameList.h"
#include "core/Services.h"
#include "core/SlicedTask.h"
#include "intake/FolderScan.h"
#include "intake/PathKinds.h"
#include "intake/RepeatedPaths.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

struct IntakeResult {
    int added = 0;
    QStringList unreadableFolders; // folders that could not be read, as given
    // The new rows are in natural name order among themselves: they came
    // from one folder scan, or there is at most one.
    bool inNameOrder = true;
};

// For each path in order: a folder is scanned for its files unless
// addFolderAsRow() says the folder itself is wanted (Shift held); anything
// else becomes a row unless that exact path is listed already (among the
// rows the intake has gathered too). Paths that do not exist still become
// rows (their rename will fail with its reason). All new rows reach the list
// at the end, in one notification; nothing else may change the list while
// the intake runs.
class PathIntake final : public SlicedTask {
public:
    PathIntake(RenameList& list, GivenPaths paths, std::function<bool()> addFolderAsRow,
               bool includeSubfolders, FolderLister& lister, IconIndexer& icons);
    // The folder intake: every entry of one folder, with its pattern.
    static std::unique_ptr<PathIntake> ofFolder(RenameList& list, const QString& folder,
                                                const QString& pattern, bool includeSubfolders,
                                                FolderLister& lister, IconIndexer& icons);
    ~PathIntake() override;

    [[nodiscard]] bool runFor(QDeadlineTimer deadline) override;
    // Rows gathered so far; how many there will be is not known beforehand.
    [[nodiscard]] qsizetype done() const override { return m_rows.size(); }
    [[nodiscard]] qsizetype total() const override { return 0; }
    [[nodiscard]] const IntakeResult& result() const { return m_result; }

private:
    void takePath(qsizetype index);
    template <typename View> void addRow(qsizetype index, View path, bool folder);
    void startScan(const QString& folder, const QString& pattern);
    void endScan();

    RenameList& m_list;
    GivenPaths m_paths;
    QString m_decoded; // the path at hand when it had to be decoded
    qsizetype m_next = 0;
    std::function<bool()> m_addFolderAsRow;
    bool m_includeSubfolders;
    bool m_scanEveryPath = false; // the folder intake: the path is a folder to scan
    QString m_pattern = QStringLiteral("*.*");
    FolderLister& m_lister;
    IconIndexer& m_icons;
    QList<RenameEntry> m_rows; // gathered, appended to the list at the end
    RepeatedPaths m_repeats;   // rows from given paths, tested for repeats at the end
    std::optional<PathKinds> m_kinds;
    std::unique_ptr<FolderScan> m_scan;
    int m_sources = 0;     // folder scans and plain rows taken
    NameText m_lastFolder; // the rows of paths that are not plain share their folder's text too
    IntakeResult m_result;
};

// Runs an intake of paths to its end at once.
IntakeResult IntakePaths(RenameList& list, const GivenPaths& paths,
                         const std::function<bool()>& addFolderAsRow, bool includeSubfolders,
                         FolderLister& lister, IconIndexer& icons);
