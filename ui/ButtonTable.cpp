#include "ui/ButtonTable.h"

#include <QStringList>

const std::array<ButtonDesign, ButtonCount>& ButtonDesigns()
{
    using B = Command;
    static const std::array<ButtonDesign, ButtonCount> designs{{
        {B::ClearList, "clearListButton", u"リストクリア", u"リスト項目を全て削除します", 2880, 20, 1215, 285,
         false},
        {B::EditorRename, "editorButton", u"エディタ",
         u"エディタでリネームします。右クリックでエディタのパス指定", 7200, 40, 975, 645, true,
         B::ChooseEditor, nullptr},
        {B::DetectExtension, "detectButton", u"判別", u"拡張子を自動判別します", 5880, 40, 975, 285, true},
        {B::DeleteFirst, "deleteFirstButton", u"先頭削除",
         u"先頭の１文字を削除。右クリックで最初の文字から削除", 120, 45, 975, 285, true,
         B::DeleteFirstFromStart, nullptr},
        {B::DeleteLast, "deleteLastButton", u"末尾削除",
         u"末尾の１文字を削除。右クリックで最初の文字から削除", 1080, 45, 975, 285, true,
         B::DeleteLastSkipping, nullptr},
        {B::Prepend, "prependButton", u"先頭追加", u"先頭に指定文字列を追加", 3000, 400, 975, 285, true},
        {B::Append, "appendButton", u"末尾追加", u"末尾に指定文字列を追加", 3960, 400, 975, 285, true},
        {B::ChangeName, "changeNameButton", u"変更", u"ファイル名を指定文字列に変更", 4920, 400, 975, 285,
         true},
        {B::ChangeExtension, "changeExtensionButton", u"拡張子", u"拡張子を指定文字列に変更", 5880, 400, 975,
         285, true},
        {B::Width, "widthButton", u"半角/全角", u"半角→全角 の順に処理をします", 3960, 40, 975, 285, true,
         std::nullopt, "widthMenu"},
        {B::Undo, "undoButton", u"元に戻す", u"変更前のファイル名に戻します", 8280, 40, 975, 645, true},
        {B::Rename, "renameButton", u"リネーム", u"リネームを実行します", 9360, 40, 975, 645, true},
        {B::MoveUp, "moveUpButton", u"↑", u"リストの順番を入れ替えます", 4200, 20, 375, 285, false},
        {B::MoveDown, "moveDownButton", u"↓", u"リストの順番を入れ替えます", 4560, 20, 375, 285, false},
        {B::UpperCase, "upperCaseButton", u"大文字",
         u"全文字→先頭のみ→ファイル名のみ→拡張子 の順に大文字処理をします", 2040, 45, 975, 285, true,
         std::nullopt, "upperCaseMenu"},
        {B::LowerCase, "lowerCaseButton", u"小文字", u"全文字→拡張子 の順に小文字処理をします", 3000, 45, 975,
         285, true, std::nullopt, "lowerCaseMenu"},
        {B::Title, "titleButton", u"タイトル", u"プロパティのタイトルをファイル名にします", 4920, 40, 975,
         285, true, std::nullopt, "propertyMenu"},
        {B::Replace, "replaceButton", u"置換", u"置換を実行します", 3000, 770, 975, 285, true, std::nullopt,
         "replaceMenu"},
        {B::RemoveRow, "removeRowButton", u"削除", u"選択しているリスト項目を削除します", 1920, 20, 975, 285,
         false},
    }};
    return designs;
}

const ButtonDesign& ButtonDesignOf(Command button)
{
    Q_ASSERT(SlotOf(button) < ButtonDesigns().size());
    return ButtonDesigns().at(SlotOf(button));
}

const QStringList& TabOrder()
{
    auto name = [](Command button) { return QString::fromLatin1(ButtonDesignOf(button).objectName); };
    using B = Command;
    static const QStringList order = {
        QStringLiteral("fileList"),
        name(B::DeleteFirst),
        name(B::DeleteLast),
        name(B::UpperCase),
        name(B::LowerCase),
        name(B::Width),
        name(B::Title),
        name(B::DetectExtension),
        QStringLiteral("insertionBox"),
        name(B::Prepend),
        name(B::Append),
        name(B::ChangeName),
        name(B::ChangeExtension),
        QStringLiteral("searchBox"),
        QStringLiteral("replaceBox"),
        name(B::Replace),
        QStringLiteral("ignoreCaseBox"),
        name(B::EditorRename),
        name(B::Undo),
        name(B::Rename),
        QStringLiteral("editorPathBox"),
        name(B::RemoveRow),
        name(B::ClearList),
        name(B::MoveUp),
        name(B::MoveDown),
    };
    return order;
}
