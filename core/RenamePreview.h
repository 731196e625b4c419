#pragma once
// Which rows the rename would fail on, and why, known before anything on disk
// changes. The walk is played through on the names of each folder, in row
// order, with the walk's own test of which rows it takes. The result only
// informs: the walk still tries every row and reports what really happened.

#include "core/RenameList.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// Why a row would not be renamed. The first group depends on the other rows
// and on the folder's files, the second on the new name alone.
enum class PreviewProblem : quint8 {
    None,
    SameNewName,    // an earlier row is renamed to this name first
    HeldByRow,      // a listed file has this name at this row's turn and keeps it
    HeldByLaterRow, // a listed file still has this name; it is renamed only later
    Exchange,       // the names go round (a swap or a longer circle): no row can go first
    ExistsInFolder, // a file that is not in the list has this name
    SourceMissing,  // the file is no longer there
    TooLong,
    Separator,
    ForbiddenCharacter,
    NotAName, // "." or ".."
    ReservedName,
    TrailingDotOrSpace,
    ValueMissing, // the template's value is not recorded for the file: the new name was kept
    StrayBytes,   // the new name still holds bytes that are not text (NameBytes.h)
    // After the walk another file's name would differ from this one only in
    // how its characters are composed (NFC and NFD forms of "パ"): the two
    // would look the same. Depends on the other rows and files, as the first group.
    LookAlike,
};

// The number last, so that a row takes eight bytes: a million rows keep one each.
struct RowPreview {
    PreviewProblem problem = PreviewProblem::None;
    KeptNameReason missing = KeptNameReason::None; // the value ValueMissing means
    bool folderInTheWay = false;                   // ExistsInFolder: what has the name is a folder
    int otherRow = -1;                             // the row meant by SameNewName and HeldBy..., from 0
    // The row shows a mark and its reason.
    [[nodiscard]] bool marked() const { return problem != PreviewProblem::None; }
    // The rename would not go through; a look-alike name still would.
    [[nodiscard]] bool fails() const { return marked() && problem != PreviewProblem::LookAlike; }
    friend bool operator==(const RowPreview&, const RowPreview&) = default;
};
static_assert(sizeof(RowPreview) == 8);

struct RenamePreview {
    QList<RowPreview> rows; // one per row of the list, in its order
    int failing = 0;
    friend bool operator==(const RenamePreview&, const RenamePreview&) = default;
};

// What a folder's file system tells the preview about names there.
struct FolderFacts {
    bool listed = false;    // false when the folder cannot be listed
    int longestName = 0;    // in the units nameProblem() counts; 0 when unknown
    bool foldsCase = false; // names that differ only in case are one name here
};

// The system's side of the preview: implemented in platform/, faked in tests.
class FolderRules {
public:
    virtual ~FolderRules() = default;
    [[nodiscard]] virtual FolderFacts factsOf(const QString& folder) = 0;
    // Hands every entry's name to `eachName` as it is read: a folder may hold
    // a million names, and they need never stand in memory together. A
    // folder that cannot be read gives none.
    virtual void listNames(const QString& folder, const std::function<void(NameText)>& eachName) = 0;
    // What the rename refuses before it looks at the folder's files: a name
    // with a separator, a name too long for the file system, and so on.
    [[nodiscard]] virtual PreviewProblem nameProblem(const QString& folder, const NameText& currentName,
                                                     const NameText& newName, int longestName) = 0;
    // Whether the entry that has `name` in the folder is a folder; asked only
    // for the rows such an entry stops, so the reason can say what it is.
    [[nodiscard]] virtual bool isFolder(const QString& folder, const QString& name);
};

// "リネーム": every row the rename of all rows takes; one listing per folder.
// Through temporary names the walk's exchange order is played (OrderMoves):
// names that go round are no longer a problem.
// `stop`, when given, is looked at between the steps of the play: once it is
// set the preview ends early with no rows, a result nobody should show.
[[nodiscard]] RenamePreview PreviewRenameAll(const RenameList& list, FolderRules& rules,
                                             bool throughTemporaryNames = false,
                                             const std::atomic<bool>* stop = nullptr);
// "選択ファイルのみリネーム": the selected row alone, among unmoved files.
[[nodiscard]] RowPreview PreviewRenameSelected(const RenameList& list, FolderRules& rules);

// The reason in words, naming the other row by its file's name in `list`
// (the rows the preview was made for); empty for no problem.
[[nodiscard]] QString PreviewProblemText(const RowPreview& preview, const RenameList& list);
// Why a template left the new name as it was ("撮影日時が記録されていません").
[[nodiscard]] QString KeptNameReasonText(KeptNameReason reason);
// "12 件はリネームできません"; empty when no row would fail.
// PreviewPending for a preview that is still running.
[[nodiscard]] QString PreviewCountText(int failing);
inline constexpr int PreviewPending = -1;
