#pragma once
// The nineteen buttons of the button bar: caption, tooltip and designed place
// in twips. One table builds them all; the window's dispatch table gives each
// index its commands.

#include <QString>

#include <array>

struct ButtonSpec {
    int index;
    const char16_t* caption;
    const char16_t* tooltip;
    int left, top, width, height; // twips; relative to Picture1 when inPanel
    bool inPanel;
};

inline constexpr int ButtonCount = 19;

[[nodiscard]] const std::array<ButtonSpec, ButtonCount>& ButtonSpecs(); // by index
// Keyboard focus order of the window, as object names.
[[nodiscard]] const QStringList& TabOrder();
