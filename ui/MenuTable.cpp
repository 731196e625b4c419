#include "ui/MenuTable.h"

#include "app/ProductInfo.h"
#include "platform/ProgramFile.h"

#include <array>

namespace {
constexpr MenuKind T = MenuKind::Title;
constexpr MenuKind I = MenuKind::Item;
constexpr MenuKind S = MenuKind::Separator;
using C = Command;

// The hints of "editorAtStartAction" (the program's file) and "homepageAction"
// (the homepage) name things known only at run time; HintOf fills them in.
const std::array<MenuEntry, 57> kEntries{{
    {T, std::nullopt, "fileMenu", "fileMenu", u"ファイル(&F)", u"", false, true, true},
    {I, C::ChooseFolder, "chooseFolderAction", "fileMenu", u"リネーム対象をフォルダで指定(&F)...",
     u"指定フォルダを開きます", false, true, false},
    {I, C::ClearList, "clearListAction", "fileMenu", u"リストクリア(&C)", u"リスト項目を全てクリアします",
     false, true, false},
    {S, std::nullopt, "fileSeparator", "fileMenu", u"-", u"", false, true, false},
    {I, C::Quit, "quitAction", "fileMenu", u"終了(&X)", u"Quorvaneを終了します", false, true, false},
    {T, std::nullopt, "viewMenu", "viewMenu", u"表示(&V)", u"", false, true, true},
    {I, C::StayOnTop, "stayOnTopAction", "viewMenu", u"常に手前に表示(&T)", u"最前面表示化のON/OFF", true,
     true, false},
    {I, C::ShowIcons, "showIconsAction", "viewMenu", u"アイコンの表示(&I)", u"アイコン表示のON/OFF", true,
     true, false},
    {T, std::nullopt, "optionsMenu", "optionsMenu", u"オプション(&O)", u"", false, true, true},
    {I, C::EditorAtStart, "editorAtStartAction", "optionsMenu", u"ドラッグ起動時はエディタでリネームする(&B)",
     u"", true, true, false},
    {I, C::FoldersAsRows, "foldersAsRowsAction", "optionsMenu", u"フォルダもリネーム対象にする(&F)",
     u"チェックを入れると、フォルダもリネームリストに追加できるようになります", true, true, false},
    {S, std::nullopt, "optionsSeparator", "optionsMenu", u"-", u"", false, true, false},
    {I, C::ChooseEditor, "chooseEditorAction", "optionsMenu", u"エディタの指定(&E)...",
     u"リネームに使用するエディタのパスを設定します", false, true, false},
    {I, C::AutoRenameSettings, "autoRenameAction", "optionsMenu", u"自動リネーム設定(&A)...", u"", false,
     false, false},
    {T, std::nullopt, "helpMenu", "helpMenu", u"ヘルプ(&H)", u"", false, true, true},
    {I, C::OpenReadMe, "readMeAction", "helpMenu", u"ReadMeを開く(&R)...", u"ReadMe.txtを開きます", false,
     true, false},
    {I, C::OpenHomepage, "homepageAction", "helpMenu", u"作者のHPへ(&H)", u"", false, true, false},
    {I, C::ShowVersion, "versionAction", "helpMenu", u"バージョン情報(&V)...",
     u"バージョン情報、作者情報の表示", false, true, false},
    {S, std::nullopt, "helpSeparator", "helpMenu", u"-", u"", false, true, false},
    {I, C::StartUpdater, "updaterAction", "helpMenu", u"自動更新(&U)...", u"Quorvaneの自動更新を行います",
     false, true, false},
    {T, std::nullopt, "rowMenu", "rowMenu", u"ポップアップ", u"", false, true, false},
    {I, C::MoveUp, "moveUpAction", "rowMenu", u"上に移動(&U)", u"リストの順番を上に移動します", false, true,
     false},
    {I, C::MoveDown, "moveDownAction", "rowMenu", u"下に移動(&D)", u"リストの順番を下に移動します", false,
     true, false},
    {I, C::RemoveRow, "removeRowAction", "rowMenu", u"削除(&D)", u"選択しているリスト項目を削除します", false,
     true, false},
    {S, std::nullopt, "rowSeparator", "rowMenu", u"-", u"", false, true, false},
    {I, C::OpenRowFolder, "openFolderAction", "rowMenu", u"フォルダを開く(&O)",
     u"ファイルが格納されているフォルダをエクスプローラで開きます", false, true, false},
    {S, std::nullopt, "renameSeparator", "rowMenu", u"-", u"", false, true, false},
    {I, C::RenameSelected, "renameSelectedAction", "rowMenu", u"選択ファイルのみリネーム(&R)",
     u"選択しているファイルにのみリネーム処理を行います", false, true, false},
    {I, C::UndoSelected, "undoSelectedAction", "rowMenu", u"選択ファイルのみ元に戻す(&N)",
     u"選択しているファイルにのみリネームのアンドゥ処理を行います", false, true, false},
    {T, std::nullopt, "upperCaseMenu", "upperCaseMenu", u"大文字", u"", false, true, false},
    {I, C::UpperAll, "upperAllAction", "upperCaseMenu", u"全文字(&E)", u"全ての文字を大文字に変換", false,
     true, false},
    {I, C::UpperFirst, "upperFirstAction", "upperCaseMenu", u"先頭のみ(&T)",
     u"先頭の１文字のみを大文字に変換", false, true, false},
    {I, C::UpperBaseName, "upperBaseNameAction", "upperCaseMenu", u"ファイル名(&F)",
     u"ファイル名のみを大文字に変換", false, true, false},
    {I, C::UpperExtension, "upperExtensionAction", "upperCaseMenu", u"拡張子(&E)",
     u"拡張子のみを大文字に変換", false, true, false},
    {T, std::nullopt, "lowerCaseMenu", "lowerCaseMenu", u"小文字", u"", false, true, false},
    {I, C::LowerAll, "lowerAllAction", "lowerCaseMenu", u"全文字(&A)", u"全ての文字を小文字に変換", false,
     true, false},
    {I, C::LowerExtension, "lowerExtensionAction", "lowerCaseMenu", u"拡張子(&E)",
     u"拡張子のみを小文字に変換", false, true, false},
    {T, std::nullopt, "propertyMenu", "propertyMenu", u"プロパティ", u"", false, true, false},
    {I, C::Title, "titleAction", "propertyMenu", u"タイトル(&T)", u"プロパティ情報のタイトルを取得します",
     false, true, false},
    {I, C::TrackNumber, "trackNumberAction", "propertyMenu", u"トラック番号(&T)",
     u"プロパティ情報のトラック番号を取得して、ファイル名の先頭に追加します", false, true, false},
    {T, std::nullopt, "replaceMenu", "replaceMenu", u"置換", u"", false, true, false},
    {I, C::ReplaceSparingExtension, "replaceSparingExtensionAction", "replaceMenu",
     u"拡張子は対象に含めず置換(&E)", u"拡張子を対象に含めず置換します", false, true, false},
    {I, C::RenameHistory, "historyAction", "fileMenu", u"リネーム履歴(&H)...",
     u"これまでのリネームを一覧表示し、選んだリネームを元に戻します", false, true, false, "fileSeparator"},
    {I, C::ChainOperations, "chainOperationsAction", "optionsMenu", u"変更後の名前に続けて適用する(&C)",
     u"チェックを入れると、新しい名前がある行では、その名前に続けて各処理を適用します", true, true, false,
     "optionsSeparator"},
    {I, C::RenameCycles, "renameCyclesAction", "optionsMenu", u"入れ替え・循環する名前もリネームする(&S)",
     u"チェックを入れると、名前を入れ替えたり循環させたりするリネームもできるようになります", true, true,
     false, "optionsSeparator"},
    {I, C::ReplaceRegex, "replaceRegexAction", "replaceMenu", u"正規表現で置換(&R)",
     u"検索文字列を正規表現として置換します。置換文字列の \\1 や $1 は、かっこに一致した部分になります",
     false, true, false},
    {I, C::ReplaceRegexSparingExtension, "replaceRegexSparingExtensionAction", "replaceMenu",
     u"拡張子は対象に含めず正規表現で置換(&X)", u"拡張子を対象に含めず、正規表現で置換します", false, true,
     false},
    {T, std::nullopt, "widthMenu", "widthMenu", u"半角/全角", u"", false, true, false},
    {I, C::NarrowAlphanumerics, "narrowAlphanumericsAction", "widthMenu", u"英数字と記号だけ半角にする(&H)",
     u"英数字と記号だけを半角にします。カタカナと「、。」などの記号はそのままです", false, true, false},
    {I, C::WidenAlphanumerics, "widenAlphanumericsAction", "widthMenu", u"英数字と記号だけ全角にする(&Z)",
     u"英数字と記号だけを全角にします。カタカナと「、。」などの記号はそのままで、拡張子は半角にします", false,
     true, false},
    {S, std::nullopt, "repairSeparator", "rowMenu", u"-", u"", false, true, false},
    {I, C::ComposeNames, "composeNamesAction", "rowMenu", u"文字の合成を整える(NFC)(&N)",
     u"濁点などが分かれて保存された文字を、1 文字に合成した形（NFC）にします", false, true, false},
    {T, std::nullopt, "mojibakeMenu", "rowMenu", u"文字化けを直す(&M)",
     u"文字化けした名前を、元の文字に直した名前にします", false, true, false},
    {I, C::RepairMojibake, "repairMojibakeAction", "mojibakeMenu", u"文字コードを自動で判別して直す(&A)",
     u"UTF-8 ではない名前は Shift_JIS か EUC-JP のどちらかを判別して読み直し、"
     u"UTF-8 が Shift_JIS として読まれてできた文字化けは元の名前に戻します",
     false, true, false},
    {I, C::RepairMojibakeAsCp932, "repairMojibakeAsCp932Action", "mojibakeMenu",
     u"Shift_JIS (CP932) として読み直す(&S)",
     u"UTF-8 ではない名前を Shift_JIS（CP932）として読み直します。読み直せない名前はそのままです", false,
     true, false},
    {I, C::RepairMojibakeAsEucJp, "repairMojibakeAsEucJpAction", "mojibakeMenu", u"EUC-JP として読み直す(&E)",
     u"UTF-8 ではない名前を EUC-JP として読み直します。読み直せない名前はそのままです", false, true, false},
    {I, C::NextFailingRow, "nextFailingRowAction", "rowMenu", u"次のリネームできない行へ(&F)",
     u"リネームできない次の行を選んで表示します。最後の行の次は先頭の行に戻ります", false, true, false,
     "renameSeparator"},
}};

} // namespace

std::span<const MenuEntry> MenuEntries()
{
    return kEntries;
}

QString HintOf(const MenuEntry& entry)
{
    if (entry.command == Command::EditorAtStart)
        return QStringLiteral("チェックを入れると、%1にファイルをドロップした際、"
                              "テキストエディタが先に起動してリネームできます")
            .arg(ProgramFileName());
    if (entry.command == Command::OpenHomepage)
        return HomepageAddress() + QStringLiteral("を開きます");
    return QString::fromUtf16(entry.hint);
}
