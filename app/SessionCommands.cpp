// The session's construction and its commands: what each command does and
// when it is available. Every other part of the session is called from here.
#include "app/NoDetails.h"
#include "app/PreviewRunner.h"
#include "app/ProductInfo.h"
#include "app/RenameSession.h"
#include "app/TaskRunner.h"
#include "core/ListOps.h"
#include "editor/EditorRoundTrip.h"
#include "ops/Deletion.h"
#include "ops/ExtensionDetection.h"
#include "ops/NameRepair.h"
#include "ops/PropertyNames.h"

#include <QCoreApplication>
#include <QTimer>

RenameSession::RenameSession(const AppServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_programFolder(QCoreApplication::applicationDirPath())
{
    Q_ASSERT(m_services.lister && m_services.icons && m_services.keyboard && m_services.shell &&
             m_services.folderRules);
    static NoDetails noDetails;
    if (!m_services.details)
        m_services.details = &noDetails;
    m_tasks = new TaskRunner(this);
    connect(m_tasks, &TaskRunner::busyChanged, this, [this](bool busy) {
        if (!busy && m_status == std::exchange(m_progressText, {}))
            setStatusText(QString());
        Q_EMIT busyChanged(busy);
        updateUsable();
    });
    connect(m_tasks, &TaskRunner::progress, this, &RenameSession::showProgress);
    connect(m_tasks, &TaskRunner::stoppableChanged, this, &RenameSession::stoppableChanged);
    connect(m_tasks, &TaskRunner::failed, this, &RenameSession::setStatusText);
    m_previewRunner = new PreviewRunner(this);
    connect(m_previewRunner, &PreviewRunner::finished, this, [this](const RenamePreview& preview) {
        // Rows added or removed since without a command are no rows of it.
        takePreview(preview.rows.size() == m_list.count() ? preview : RenamePreview{});
    });
    connect(this, &RenameSession::commandFinished, this, &RenameSession::refreshPreview);
    buildEditorRoundTrip();
    buildCommands();
}

RenameSession::~RenameSession() = default;

void RenameSession::buildCommands()
{
    using C = Command;
    auto on = [this](Command command, std::function<void()> run) { m_commands.at(SlotOf(command)) = run; };
    auto names = [this](NameOperation operation) {
        return [this, operation = std::move(operation)] { runNameTask(operation); };
    };
    on(C::ClearList, [this] { clearList(); });
    on(C::MoveUp, [this] { MoveRowUp(m_list); });
    on(C::MoveDown, [this] { MoveRowDown(m_list); });
    on(C::RemoveRow, [this] { RemoveSelectedRow(m_list); });
    on(C::OpenRowFolder, [this] { openRowFolder(); });
    if (m_roundTrip)
        on(C::EditorRename, [this] { startEditorRoundTrip(); });
    if (m_services.renamer) {
        on(C::Rename, [this] { renameRows(RenameWalkKind::All); });
        on(C::Undo, [this] { renameRows(RenameWalkKind::UndoAll); });
        on(C::RenameSelected, [this] { renameRows(RenameWalkKind::Selected); });
        on(C::UndoSelected, [this] { renameRows(RenameWalkKind::UndoSelected); });
    }
    // Deletion: a click continues from the new names once any is set and
    // stops at a row it cannot shorten; a right click starts again from the
    // current names and skips such rows.
    on(C::DeleteFirst, names([](RenameList& list, NameSource source) {
           DeleteFirstCharacter(list, LeftClickDeletionMode(list), source);
       }));
    on(C::DeleteFirstFromStart,
       names([](RenameList& list, NameSource) { DeleteFirstCharacter(list, DeletionMode::Restart); }));
    on(C::DeleteLast, names([](RenameList& list, NameSource source) {
           DeleteLastCharacter(list, LeftClickDeletionMode(list), FailingRow::StopWalk, source);
       }));
    on(C::DeleteLastSkipping, names([](RenameList& list, NameSource) {
           DeleteLastCharacter(list, DeletionMode::Restart, FailingRow::Skip);
       }));
    on(C::Prepend, [this] { insertText(InsertionKind::Prepend); });
    on(C::Append, [this] { insertText(InsertionKind::Append); });
    on(C::ChangeName, [this] { insertText(InsertionKind::ChangeName); });
    on(C::ChangeExtension, [this] { insertText(InsertionKind::ChangeExtension); });
    // The toggle and the cycles take their next variant along and move on
    // once the task has applied it.
    on(C::Width, [this] {
        runNameTaskThenAdvance(
            [step = m_widthStep.nextStep()](RenameList& list, NameSource source) {
                ApplyWidthStep(list, step, source);
            },
            [this] { m_widthStep.advance(); });
    });
    on(C::UpperCase, [this] {
        runNameTaskThenAdvance(
            [variant = m_upperCycle.nextVariant()](RenameList& list, NameSource source) {
                ApplyUpperCase(list, variant, source);
            },
            [this] { m_upperCycle.advance(); });
    });
    on(C::LowerCase, [this] {
        runNameTaskThenAdvance(
            [variant = m_lowerCycle.nextVariant()](RenameList& list, NameSource source) {
                ApplyLowerCase(list, variant, source);
            },
            [this] { m_lowerCycle.advance(); });
    });
    // The width menu leaves the button's alternation where it is.
    on(C::NarrowAlphanumerics, names([](RenameList& list, NameSource source) {
           ApplyAlphanumericWidth(list, WidthStep::HalfWidth, source);
       }));
    on(C::WidenAlphanumerics, names([](RenameList& list, NameSource source) {
           ApplyAlphanumericWidth(list, WidthStep::FullWidth, source);
       }));
    on(C::ComposeNames, names([](RenameList& list, NameSource source) { ApplyComposedNames(list, source); }));
    if (CanRepairMojibake()) {
        for (const auto& [command, encoding] : {std::pair{C::RepairMojibake, LegacyEncoding::Automatic},
                                                std::pair{C::RepairMojibakeAsCp932, LegacyEncoding::Cp932},
                                                std::pair{C::RepairMojibakeAsEucJp, LegacyEncoding::EucJp}})
            on(command, names([encoding](RenameList& list, NameSource source) {
                   ApplyMojibakeRepair(list, source, encoding);
               }));
    }
    auto upper = [names](UpperCaseVariant variant) {
        return names(
            [variant](RenameList& list, NameSource source) { ApplyUpperCase(list, variant, source); });
    };
    on(C::UpperAll, upper(UpperCaseVariant::AllCharacters));
    on(C::UpperFirst, upper(UpperCaseVariant::FirstCharacterOnly));
    on(C::UpperBaseName, upper(UpperCaseVariant::BaseNameOnly));
    on(C::UpperExtension, upper(UpperCaseVariant::ExtensionOnly));
    auto lower = [names](LowerCaseVariant variant) {
        return names(
            [variant](RenameList& list, NameSource source) { ApplyLowerCase(list, variant, source); });
    };
    on(C::LowerAll, lower(LowerCaseVariant::AllCharacters));
    on(C::LowerExtension, lower(LowerCaseVariant::ExtensionOnly));
    if (m_services.detector) {
        on(C::DetectExtension, names([detector = m_services.detector](RenameList& list, NameSource source) {
               DetectExtension(list, *detector, source);
           }));
    }
    on(C::Title, [this] { propertyNames(&NameFromTitle); });
    on(C::TrackNumber, [this] { propertyNames(&NameFromTrackNumber); });
    on(C::Replace, [this] { replaceInNames(false, false); });
    on(C::ReplaceSparingExtension, [this] { replaceInNames(false, true); });
    on(C::ReplaceRegex, [this] { replaceInNames(true, false); });
    on(C::ReplaceRegexSparingExtension, [this] { replaceInNames(true, true); });
    on(C::OpenReadMe, [this] { openReadMe(); });
    on(C::OpenHomepage, [this] { m_services.shell->open(HomepageAddress()); });
    on(C::StartUpdater, [this] { startUpdater(); });
}

bool RenameSession::isAvailable(Command command) const
{
    switch (command) {
    case Command::DetectExtension:
        return m_services.detector && m_services.detector->isAvailable();
    case Command::ChooseEditor:
        return m_roundTrip != nullptr;
    case Command::RenameHistory:
        return hasHistory();
    case Command::OpenReadMe:
        return !ReadMePath(m_programFolder).isEmpty();
    case Command::StartUpdater:
        return !UpdaterPath(m_programFolder).isEmpty();
    case Command::ChooseFolder:
    case Command::Quit:
    case Command::StayOnTop:
    case Command::ShowIcons:
    case Command::EditorAtStart:
    case Command::FoldersAsRows:
    case Command::ChainOperations:
    case Command::RenameCycles:
    case Command::AutoRenameSettings:
    case Command::ShowVersion:
    case Command::NextFailingRow: // the window scrolls to the row the session selects
        return true;              // the window's own
    default:
        return static_cast<bool>(m_commands.at(SlotOf(command)));
    }
}

void RenameSession::run(Command command)
{
    if (const auto& run = m_commands.at(SlotOf(command)); run && isAvailable(command))
        runInFrame(run);
}

void RenameSession::startUp(const GivenPaths& paths)
{
    if (std::exchange(m_started, true))
        return;
    // The paths of the command line: each argument is one piece on POSIX.
    if (!paths.isEmpty()) {
        runInFrame([this, paths] {
            intakePaths(
                paths, [this] { return m_services.keyboard->isShiftDown(); },
                [this] {
                    // Files given at start-up may go straight to the editor,
                    // once they are all in the list.
                    if (m_options.editorAtStart)
                        run(Command::EditorRename);
                });
        });
    }
    // Batches a crash cut short are asked about once the window is there.
    QTimer::singleShot(0, this, &RenameSession::offerRecovery);
}
