#pragma once
// The command behind the four insertion buttons.

#include "ops/InsertionTemplate.h"
#include "ops/RowRewrite.h"

#include <QLocale>
#include <QString>
#include <QStringList>

class DetailSource;
class RenameList;

// Gives every row, selected or not, the new name built from its source name
// and the insertion text; the other columns stay. What the template reads
// about a file (tags, dates) comes from the file under its current name. An empty text changes
// nothing. A row whose file does not record a value the template names
// (a title, a date taken) keeps its new name and is marked with the reason.
// The rows are changed inside one edit scope, so the view hears of
// them once, also when a failure ends the walk: rows before the failing one
// keep their new names, that row and the later ones keep what they had.
// Throws CommandError for a serial start value out of range (before any row
// changes) and lets a failure of the detail source through.
void ApplyInsertion(RenameList& list, InsertionKind kind, const QString& text, DetailSource& details,
                    const InsertionClock& clock, const QLocale& locale,
                    NameSource source = NameSource::CurrentName);

// ApplyInsertion followed by RememberInsertionText: the text goes into the
// history also when the walk ends early (the failure is then rethrown). An
// empty text does nothing at all.
void RunInsertionCommand(RenameList& list, InsertionKind kind, const QString& text, QStringList& history,
                         DetailSource& details, const InsertionClock& clock, const QLocale& locale,
                         NameSource source = NameSource::CurrentName);
