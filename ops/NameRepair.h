#pragma once
// Repairs of names that look wrong for reasons of encoding: combining marks
// left apart, names written in CP932 or EUC-JP, and UTF-8 that was once read
// as CP932 and saved again.

#include "core/LegacyNames.h"
#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QString>

// "文字の合成を整える(NFC)": every row's new name is its source name in
// normalization form C (ComposedName).
void ApplyComposedNames(RenameList& list, NameSource source = NameSource::CurrentName);

// True when this system converts to and from CP932 and EUC-JP (LegacyCodePages.h).
[[nodiscard]] bool CanRepairMojibake();
// The name as it was meant:
// - a name that is not UTF-8 (NameBytes.h): its bytes read as `encoding`
//   (LegacyNames.h), unchanged when they do not read as it;
// - a name that is UTF-8, for CP932 and Automatic: its characters as CP932
//   bytes, read as UTF-8 ("繧ｵ繝ｳ繝励Ν" -> "サンプル"). Unchanged unless every
//   character has a CP932 form, the bytes are valid UTF-8 and the result
//   differs and holds kana or kanji: a name that was never garbled (its CP932
//   bytes are hardly ever valid UTF-8) stays as it is.
[[nodiscard]] QString RepairedMojibakeName(const QString& name,
                                           LegacyEncoding encoding = LegacyEncoding::Automatic);

// "文字化けを直す": every row's new name is its repaired source name.
void ApplyMojibakeRepair(RenameList& list, NameSource source = NameSource::CurrentName,
                         LegacyEncoding encoding = LegacyEncoding::Automatic);
