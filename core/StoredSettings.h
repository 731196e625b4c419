#pragma once
// Every setting the program keeps between runs, read at start-up and written
// back at shutdown. The window keys are in twips, the column widths in
// pixels; the options are stored as "-1" (on) and "0" (off), except the case
// box's, which is "1" or "0", and icons are on only for exactly "-1".

#include "core/Options.h"

#include <QList>
#include <QString>
#include <QStringList>

enum class WindowState { Normal, Minimised, Maximised };

// The stored number of a window state: 0 normal, 1 minimised, 2 maximised;
// any other number reads as a normal window.
[[nodiscard]] WindowState WindowStateOfNumber(int stored);
[[nodiscard]] int NumberOfWindowState(WindowState state);

struct StoredSettings {
    WindowState windowState = WindowState::Normal;
    // The outer rectangle of the window when last normal (neither minimised
    // nor maximised), in twips.
    int left = 0;
    int top = 0;
    int height = 3600;
    int width = 4800;
    QList<int> columnWidths; // column 1 first, stored as Col01, Col02, ...
    QString editorPath;      // as stored; start-up decides on the fallback editor
    Options options;
    QStringList insertionHistory; // the texts of the insertion box, newest first
};

// Reads the settings; a missing file, section or key gives the key's default.
// An integer key whose value does not start with a number also takes its
// default (rather than 0), so that a damaged "W" does not make the window zero
// pixels wide. The result has one column width per entry of
// defaultColumnWidths. A file that is there but is not read (not the user's
// own, not a regular file, too large, unreadable) gives every default and one
// line on stderr, and ignoredReason (when given) says why for the status
// line; the caller must then not save over it.
[[nodiscard]] StoredSettings LoadStoredSettings(const QString& path, const QList<int>& defaultColumnWidths,
                                                QString* ignoredReason = nullptr);

// Writes every key in a fixed order ("WinState"; "X", "Y", "H", "W" only for a
// normal window, so a maximised one keeps the last normal rectangle; the
// column widths; "Editer", "EditerBoot", "Folder", "Top", "Icon", "Case",
// "History", "Chain", "Cycle"), keeping every other line of the file, and
// replaces the file in one step. A file that is not the user's own, or that cannot be read, is not
// written. On failure the old file stays as it was and errorString (when
// given) holds the reason; the caller reports it.
[[nodiscard]] bool SaveStoredSettings(const QString& path, const StoredSettings& settings,
                                      QString* errorString = nullptr);
