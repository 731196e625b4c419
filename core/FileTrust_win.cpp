// The trust checks on Windows, where files have no owners that this program
// checks: the kind of file counts, and for a folder whether its access list
// lets others write in it; the bytes are read at once.
#include "core/FileTrust.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>

namespace {

FileFacts OpenedFacts(const QString& path, QByteArray* contents, qint64 maxBytes)
{
    const QFileInfo info(path);
    FileFacts facts;
    facts.symbolicLink = info.isSymLink();
    facts.exists = facts.symbolicLink || info.exists();
    if (!facts.exists || facts.symbolicLink)
        return facts;
    facts.regularFile = info.isFile();
    facts.folder = info.isDir();
    facts.writableByGroupOrOthers = facts.folder && OthersMayWriteIn(path);
    QFile file(path);
    if (contents && facts.regularFile && info.size() <= maxBytes && file.open(QIODevice::ReadOnly)) {
        *contents = file.read(maxBytes + 1);
        facts.read = file.error() == QFileDevice::NoError && contents->size() <= maxBytes;
    }
    return facts;
}

} // namespace

FileTrustProbe SystemFileTrustProbe()
{
    return {OpenedFacts, kNoOwner};
}

bool OthersMayWriteIn(const QString& folder)
{
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const QString native = QDir::toNativeSeparators(folder);
    if (GetNamedSecurityInfoW(reinterpret_cast<LPCWSTR>(native.utf16()), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION, nullptr, nullptr, &access, nullptr,
                              &descriptor) != ERROR_SUCCESS)
        return true; // what cannot be read is not trusted
    // No list at all lets everyone do everything.
    bool others = access == nullptr;
    constexpr DWORD kWriting = FILE_ADD_FILE | FILE_WRITE_DATA | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD |
                               GENERIC_WRITE | GENERIC_ALL | WRITE_DAC | WRITE_OWNER;
    constexpr WELL_KNOWN_SID_TYPE kGroups[] = {
        WinWorldSid,         WinBuiltinUsersSid, WinAuthenticatedUserSid, WinInteractiveSid,
        WinBuiltinGuestsSid, WinAnonymousSid,    WinNetworkSid,           WinBatchSid};
    for (DWORD i = 0; !others && i < access->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(access, i, &entry))
            continue;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE) != 0)
            continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if ((allowed->Mask & kWriting) == 0)
            continue;
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        for (const WELL_KNOWN_SID_TYPE group : kGroups)
            others = others || IsWellKnownSid(sid, group);
    }
    LocalFree(descriptor);
    return others;
}
