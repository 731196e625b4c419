#include "ui/MainLayout.h"

#include <algorithm>

RightGroupLefts RightGroupLayout(int panelInnerWidthTwips, int buttonWidthTwips)
{
    RightGroupLefts lefts{};
    lefts.renameButton = panelInnerWidthTwips - buttonWidthTwips - 40;
    lefts.undoButton = lefts.renameButton - buttonWidthTwips - ButtonGapTwips;
    lefts.editorButton = lefts.undoButton - buttonWidthTwips - ButtonGapTwips;
    lefts.editorPathBox = lefts.editorButton;
    return lefts;
}

QSize EnforceMinimumOuterSize(QSize outerTwips)
{
    return {std::max(outerTwips.width(), MinimumOuterWidthTwips),
            std::max(outerTwips.height(), MinimumOuterHeightTwips)};
}
