#include "ui/ButtonTable.h"

#include <QStringList>

const std::array<ButtonDesign, ButtonCount>& ButtonDesigns()
{
    using B = ButtonCommand;
    static const std::array<ButtonDesign, ButtonCount> designs{{
        {B::ClearList, u"リストクリア", u"リスト項目を全て削除します", 2880, 20, 1215, 285, false},
        {B::EditorRename, u"エディタ", u"エディタでリネームします。右クリックでエディタのパス指定", 7200, 40,
         975, 645, true},
        {B::DetectExtension, u"判別", u"拡張子を自動判別します", 5880, 40, 975, 285, true},
        {B::DeleteFirst, u"先頭削除", u"先頭の１文字を削除。右クリックで最初の文字から削除", 120, 45, 975,
         285, true},
        {B::DeleteLast, u"末尾削除", u"末尾の１文字を削除。右クリックで最初の文字から削除", 1080, 45, 975,
         285, true},
        {B::Prepend, u"先頭追加", u"先頭に指定文字列を追加", 3000, 400, 975, 285, true},
        {B::Append, u"末尾追加", u"末尾に指定文字列を追加", 3960, 400, 975, 285, true},
        {B::ChangeName, u"変更", u"ファイル名を指定文字列に変更", 4920, 400, 975, 285, true},
        {B::ChangeExtension, u"拡張子", u"拡張子を指定文字列に変更", 5880, 400, 975, 285, true},
        {B::Width, u"半角/全角", u"半角→全角 の順に処理をします", 3960, 40, 975, 285, true},
        {B::Undo, u"元に戻す", u"変更前のファイル名に戻します", 8280, 40, 975, 645, true},
        {B::Rename, u"リネーム", u"リネームを実行します", 9360, 40, 975, 645, true},
        {B::MoveUp, u"↑", u"リストの順番を入れ替えます", 4200, 20, 375, 285, false},
        {B::MoveDown, u"↓", u"リストの順番を入れ替えます", 4560, 20, 375, 285, false},
        {B::UpperCase, u"大文字", u"全文字→先頭のみ→ファイル名のみ→拡張子 の順に大文字処理をします", 2040, 45,
         975, 285, true},
        {B::LowerCase, u"小文字", u"全文字→拡張子 の順に小文字処理をします", 3000, 45, 975, 285, true},
        {B::Title, u"タイトル", u"プロパティのタイトルをファイル名にします", 4920, 40, 975, 285, true},
        {B::Replace, u"置換", u"置換を実行します", 3000, 770, 975, 285, true},
        {B::RemoveRow, u"削除", u"選択しているリスト項目を削除します", 1920, 20, 975, 285, false},
    }};
    return designs;
}

QString ButtonObjectName(ButtonCommand command)
{
    return QStringLiteral("cmdMenu_%1").arg(SlotOf(command));
}

const QStringList& TabOrder()
{
    using B = ButtonCommand;
    static const QStringList order = {
        QStringLiteral("ListView1"),
        ButtonObjectName(B::DeleteFirst),
        ButtonObjectName(B::DeleteLast),
        ButtonObjectName(B::UpperCase),
        ButtonObjectName(B::LowerCase),
        ButtonObjectName(B::Width),
        ButtonObjectName(B::Title),
        ButtonObjectName(B::DetectExtension),
        QStringLiteral("Combo1"),
        ButtonObjectName(B::Prepend),
        ButtonObjectName(B::Append),
        ButtonObjectName(B::ChangeName),
        ButtonObjectName(B::ChangeExtension),
        QStringLiteral("txtEdit_0"),
        QStringLiteral("txtEdit_1"),
        ButtonObjectName(B::Replace),
        QStringLiteral("chkCase"),
        ButtonObjectName(B::EditorRename),
        ButtonObjectName(B::Undo),
        ButtonObjectName(B::Rename),
        QStringLiteral("txtName"),
        ButtonObjectName(B::RemoveRow),
        ButtonObjectName(B::ClearList),
        ButtonObjectName(B::MoveUp),
        ButtonObjectName(B::MoveDown),
    };
    return order;
}
