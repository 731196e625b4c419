#include "ui/MainLayout.h"

#include <algorithm>

RightGroupLefts RightGroupLayout(int panelInnerWidthTwips, int buttonWidthTwips)
{
    RightGroupLefts lefts{};
    lefts.renameButton = panelInnerWidthTwips - buttonWidthTwips - 40;
    lefts.undoButton = lefts.renameButton - buttonWidthTwips - 80;
    lefts.editorButton = lefts.undoButton - buttonWidthTwips - 80;
    lefts.editorPathBox = lefts.editorButton;
    return lefts;
}

QSize EnforceMinimumOuterSize(QSize outerTwips)
{
    return {std::max(outerTwips.width(), MinimumOuterWidthTwips),
            std::max(outerTwips.height(), MinimumOuterHeightTwips)};
}
