#pragma once
// The window's resize rules, in twips.

#include <QSize>

inline constexpr int MinimumOuterWidthTwips = 10500;
inline constexpr int MinimumOuterHeightTwips = 6000;
inline constexpr int ListTopTwips = 330;
inline constexpr int PanelHeightTwips = 1155;
inline constexpr int StatusHeightTwips = 300;
inline constexpr int CountPanelWidthTwips = 1440;
inline constexpr int CaseBoxWidthTwips = 2500;
inline constexpr int ButtonGapTwips = 80; // between the buttons of the right-hand group

// Lefts of the right-hand group of the bottom panel: buttons 11, 10 and 1
// keep 40 twips to the panel's right edge and 80 between them; the editor
// path box is left-aligned with button 1.
struct RightGroupLefts {
    int renameButton;
    int undoButton;
    int editorButton;
    int editorPathBox;
};
[[nodiscard]] RightGroupLefts RightGroupLayout(int panelInnerWidthTwips, int buttonWidthTwips = 975);

// The outer size a window may keep: never below the minimum in either
// direction; the other direction keeps what the user set.
[[nodiscard]] QSize EnforceMinimumOuterSize(QSize outerTwips);
