#include "ui/ButtonTable.h"

#include <QStringList>

const std::array<ButtonSpec, ButtonCount>& ButtonSpecs()
{
    static const std::array<ButtonSpec, ButtonCount> specs{{
        {0, u"リストクリア", u"リスト項目を全て削除します", 2880, 20, 1215, 285, false},
        {1, u"エディタ", u"エディタでリネームします。右クリックでエディタのパス指定", 7200, 40, 975, 645,
         true},
        {2, u"判別", u"拡張子を自動判別します", 5880, 40, 975, 285, true},
        {3, u"先頭削除", u"先頭の１文字を削除。右クリックで最初の文字から削除", 120, 45, 975, 285, true},
        {4, u"末尾削除", u"末尾の１文字を削除。右クリックで最初の文字から削除", 1080, 45, 975, 285, true},
        {5, u"先頭追加", u"先頭に指定文字列を追加", 3000, 400, 975, 285, true},
        {6, u"末尾追加", u"末尾に指定文字列を追加", 3960, 400, 975, 285, true},
        {7, u"変更", u"ファイル名を指定文字列に変更", 4920, 400, 975, 285, true},
        {8, u"拡張子", u"拡張子を指定文字列に変更", 5880, 400, 975, 285, true},
        {9, u"半角/全角", u"半角→全角 の順に処理をします", 3960, 40, 975, 285, true},
        {10, u"元に戻す", u"変更前のファイル名に戻します", 8280, 40, 975, 645, true},
        {11, u"リネーム", u"リネームを実行します", 9360, 40, 975, 645, true},
        {12, u"↑", u"リストの順番を入れ替えます", 4200, 20, 375, 285, false},
        {13, u"↓", u"リストの順番を入れ替えます", 4560, 20, 375, 285, false},
        {14, u"大文字", u"全文字→先頭のみ→ファイル名のみ→拡張子 の順に大文字処理をします", 2040, 45, 975, 285,
         true},
        {15, u"小文字", u"全文字→拡張子 の順に小文字処理をします", 3000, 45, 975, 285, true},
        {16, u"タイトル", u"プロパティのタイトルをファイル名にします", 4920, 40, 975, 285, true},
        {17, u"置換", u"置換を実行します", 3000, 770, 975, 285, true},
        {18, u"削除", u"選択しているリスト項目を削除します", 1920, 20, 975, 285, false},
    }};
    return specs;
}

const QStringList& TabOrder()
{
    static const QStringList order = {
        QStringLiteral("ListView1"),  QStringLiteral("cmdMenu_3"),  QStringLiteral("cmdMenu_4"),
        QStringLiteral("cmdMenu_14"), QStringLiteral("cmdMenu_15"), QStringLiteral("cmdMenu_9"),
        QStringLiteral("cmdMenu_16"), QStringLiteral("cmdMenu_2"),  QStringLiteral("Combo1"),
        QStringLiteral("cmdMenu_5"),  QStringLiteral("cmdMenu_6"),  QStringLiteral("cmdMenu_7"),
        QStringLiteral("cmdMenu_8"),  QStringLiteral("txtEdit_0"),  QStringLiteral("txtEdit_1"),
        QStringLiteral("cmdMenu_17"), QStringLiteral("chkCase"),    QStringLiteral("cmdMenu_1"),
        QStringLiteral("cmdMenu_10"), QStringLiteral("cmdMenu_11"), QStringLiteral("txtName"),
        QStringLiteral("cmdMenu_18"), QStringLiteral("cmdMenu_0"),  QStringLiteral("cmdMenu_12"),
        QStringLiteral("cmdMenu_13"),
    };
    return order;
}
