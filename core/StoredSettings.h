#pragma once
// Every setting the program keeps between runs, read at start-up and written
// back at shutdown. The window keys are in twips, the column widths in
// pixels; the options are stored as "-1" (on) and "0" (off).

#include <QList>
#include <QString>
#include <QStringList>

inline const QString kSettingsSection = QStringLiteral("Quorvane");

struct StoredSettings {
    int winState = 0; // 0 normal, 1 minimised, 2 maximised; other values as read
    int x = 0;
    int y = 0;
    int height = 3600;
    int width = 4800;
    QList<int> columnWidths; // column 1 first, stored as Col01, Col02, ...
    QString editer;          // as stored; start-up decides on the fallback editor
    bool editerBoot = false;
    bool folder = false;
    bool top = false;
    int icon = 0;       // as stored; icons are shown only for exactly -1
    int ignoreCase = 0; // the check box value: 0 clear, 1 ticked
    QStringList history;

    [[nodiscard]] bool iconShown() const { return icon == -1; }
};

// The key of a list column counted from 1: "Col0" followed by the number, so
// the tenth column is "Col010".
[[nodiscard]] QString ColumnWidthKey(int columnNumber);

// "A|/B|/" for A and B; and back, dropping empty pieces.
[[nodiscard]] QString JoinHistory(const QStringList& entries);
[[nodiscard]] QStringList SplitHistory(const QString& value);

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
// "History"), keeping every other line of the file, and replaces the file in
// one step. A file that is not the user's own, or that cannot be read, is not
// written. On failure the old file stays as it was and errorString (when
// given) holds the reason; the caller reports it.
[[nodiscard]] bool SaveStoredSettings(const QString& path, const StoredSettings& settings,
                                      QString* errorString = nullptr);
