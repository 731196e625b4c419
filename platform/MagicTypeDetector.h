#pragma once
// Content-type detection with libmagic: which extensions fit a file's content.

#include "core/Services.h"

#include <QString>

struct magic_set;

// libmagic's extension answer ("jpeg/jpg/jpe/jfif", "???" when it knows none)
// as a comma-separated list, "?" when there is none. Where the list holds
// several spellings of one extension, the one users expect comes first
// ("jpg,jpeg,jpe,jfif"); otherwise the library's order is kept.
[[nodiscard]] QString ExtensionListFromMagic(const QString& answer);

// The extensions the MIME database lists for a type, preferred first (with
// the same preference among spellings), as a
// comma-separated list; "?" for types too vague to name an extension
// (unknown data, text of any kind, empty files, folders) and unknown types.
[[nodiscard]] QString ExtensionListFromMimeType(const QString& mimeType);

// Loads the magic database once and keeps it for its whole life, so a walk
// over many rows pays the load a single time.
class MagicTypeDetector final : public TypeDetector {
public:
    // An empty databasePath loads the library's default database.
    explicit MagicTypeDetector(const QString& databasePath = {});
    ~MagicTypeDetector() override;
    MagicTypeDetector(const MagicTypeDetector&) = delete;
    MagicTypeDetector& operator=(const MagicTypeDetector&) = delete;

    [[nodiscard]] bool isAvailable() const override;
    // "?" for anything that is not a readable regular file.
    [[nodiscard]] QString extensionsOf(const QString& path) override;
    [[nodiscard]] int version() const override;

    // The name the version message shows for the library.
    [[nodiscard]] static QString libraryName() { return QStringLiteral("libmagic"); }

private:
    [[nodiscard]] QString ask(int descriptor, int flags);

    magic_set* m_magic = nullptr;
};
