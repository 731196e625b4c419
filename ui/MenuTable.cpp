#include "ui/MenuTable.h"

#include "platform/ProgramFile.h"

#include <array>

namespace {
constexpr MenuKind T = MenuKind::Title;
constexpr MenuKind I = MenuKind::Item;
constexpr MenuKind S = MenuKind::Separator;

// The hints of "mnuOptItem_1" (the program's file) and "mnuHelpItem_1" (the
// homepage) name things known only at run time; MenuHintText fills them in.
const std::array<MenuEntry, 43> kEntries{{
    {T, "mnuFile", "mnuFile", u"ファイル(&F)", u"", false, true, true},
    {I, "mnuFileItem_0", "mnuFile", u"リネーム対象をフォルダで指定(&F)...", u"指定フォルダを開きます", false,
     true, false},
    {I, "mnuFileItem_1", "mnuFile", u"リストクリア(&C)", u"リスト項目を全てクリアします", false, true, false},
    {S, "mnuFileItem_5", "mnuFile", u"-", u"", false, true, false},
    {I, "mnuFileItem_6", "mnuFile", u"終了(&X)", u"Quorvaneを終了します", false, true, false},
    {T, "mnuView", "mnuView", u"表示(&V)", u"", false, true, true},
    {I, "mnuViewItem_0", "mnuView", u"常に手前に表示(&T)", u"最前面表示化のON/OFF", true, true, false},
    {I, "mnuViewItem_1", "mnuView", u"アイコンの表示(&I)", u"アイコン表示のON/OFF", true, true, false},
    {T, "mnuOpt", "mnuOpt", u"オプション(&O)", u"", false, true, true},
    {I, "mnuOptItem_1", "mnuOpt", u"ドラッグ起動時はエディタでリネームする(&B)", u"", true, true, false},
    {I, "mnuOptItem_2", "mnuOpt", u"フォルダもリネーム対象にする(&F)",
     u"チェックを入れると、フォルダもリネームリストに追加できるようになります", true, true, false},
    {S, "mnuOptItem_9", "mnuOpt", u"-", u"", false, true, false},
    {I, "mnuOptItem_10", "mnuOpt", u"エディタの指定(&E)...", u"リネームに使用するエディタのパスを設定します",
     false, true, false},
    {I, "mnuOptItem_12", "mnuOpt", u"自動リネーム設定(&A)...", u"", false, false, false},
    {T, "mnuHelp", "mnuHelp", u"ヘルプ(&H)", u"", false, true, true},
    {I, "mnuHelpItem_0", "mnuHelp", u"ReadMeを開く(&R)...", u"ReadMe.txtを開きます", false, true, false},
    {I, "mnuHelpItem_1", "mnuHelp", u"作者のHPへ(&H)", u"", false, true, false},
    {I, "mnuHelpItem_2", "mnuHelp", u"バージョン情報(&V)...", u"バージョン情報、作者情報の表示", false, true,
     false},
    {S, "mnuHelpItem_98", "mnuHelp", u"-", u"", false, true, false},
    {I, "mnuHelpItem_99", "mnuHelp", u"自動更新(&U)...", u"Quorvaneの自動更新を行います", false, true, false},
    {T, "mnuPop", "mnuPop", u"ポップアップ", u"", false, true, false},
    {I, "mnuPopItem_0", "mnuPop", u"上に移動(&U)", u"リストの順番を上に移動します", false, true, false},
    {I, "mnuPopItem_1", "mnuPop", u"下に移動(&D)", u"リストの順番を下に移動します", false, true, false},
    {I, "mnuPopItem_2", "mnuPop", u"削除(&D)", u"選択しているリスト項目を削除します", false, true, false},
    {S, "mnuPopItem_5", "mnuPop", u"-", u"", false, true, false},
    {I, "mnuPopItem_6", "mnuPop", u"フォルダを開く(&O)",
     u"ファイルが格納されているフォルダをエクスプローラで開きます", false, true, false},
    {S, "mnuPopItem_7", "mnuPop", u"-", u"", false, true, false},
    {I, "mnuPopItem_8", "mnuPop", u"選択ファイルのみリネーム(&R)",
     u"選択しているファイルにのみリネーム処理を行います", false, true, false},
    {I, "mnuPopItem_9", "mnuPop", u"選択ファイルのみ元に戻す(&N)",
     u"選択しているファイルにのみリネームのアンドゥ処理を行います", false, true, false},
    {T, "mnuU", "mnuU", u"大文字", u"", false, true, false},
    {I, "mnuUItem_0", "mnuU", u"全文字(&E)", u"全ての文字を大文字に変換", false, true, false},
    {I, "mnuUItem_1", "mnuU", u"先頭のみ(&T)", u"先頭の１文字のみを大文字に変換", false, true, false},
    {I, "mnuUItem_2", "mnuU", u"ファイル名(&F)", u"ファイル名のみを大文字に変換", false, true, false},
    {I, "mnuUItem_3", "mnuU", u"拡張子(&E)", u"拡張子のみを大文字に変換", false, true, false},
    {T, "mnuL", "mnuL", u"小文字", u"", false, true, false},
    {I, "mnuLItem_0", "mnuL", u"全文字(&A)", u"全ての文字を小文字に変換", false, true, false},
    {I, "mnuLItem_1", "mnuL", u"拡張子(&E)", u"拡張子のみを小文字に変換", false, true, false},
    {T, "mnuP", "mnuP", u"プロパティ", u"", false, true, false},
    {I, "mnuPItem_0", "mnuP", u"タイトル(&T)", u"プロパティ情報のタイトルを取得します", false, true, false},
    {I, "mnuPItem_1", "mnuP", u"トラック番号(&T)",
     u"プロパティ情報のトラック番号を取得して、ファイル名の先頭に追加します", false, true, false},
    {T, "mnuR", "mnuR", u"置換", u"", false, true, false},
    {I, "mnuRItem_0", "mnuR", u"拡張子は対象に含めず置換(&E)", u"拡張子を対象に含めず置換します", false, true,
     false},
    {I, "mnuFileItem_2", "mnuFile", u"リネーム履歴(&H)...",
     u"これまでのリネームを一覧し、選んだリネームを元に戻します", false, true, false, "mnuFileItem_5"},
}};

} // namespace

std::span<const MenuEntry> MenuEntries()
{
    return kEntries;
}

QString HomepageAddress()
{
    return QStringLiteral("https://quorvane.example.org/");
}

QString MenuHintText(int commandId)
{
    if (commandId < 1 || commandId > static_cast<int>(kEntries.size()))
        return {};
    const MenuEntry& entry = kEntries[static_cast<size_t>(commandId - 1)];
    const QLatin1StringView name(entry.objectName);
    if (name == QLatin1StringView("mnuOptItem_1"))
        return QStringLiteral("チェックを入れると、%1にファイルをドロップした際、"
                              "テキストエディタが先に起動してリネームできます")
            .arg(ProgramFileName());
    if (name == QLatin1StringView("mnuHelpItem_1"))
        return HomepageAddress() + QStringLiteral("を開きます");
    return QString::fromUtf16(entry.hint);
}
