#include "tests/support/FolderAccess.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#endif

bool LetOthersWriteIn(const QString& folder)
{
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(folder);
    auto* path = const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(native.utf16()));
    PACL old = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &old,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    EXPLICIT_ACCESS_W entry{};
    entry.grfAccessPermissions = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE;
    entry.grfAccessMode = GRANT_ACCESS;
    entry.grfInheritance = NO_INHERITANCE;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entry.Trustee.ptstrName = reinterpret_cast<LPWSTR>(everyone);
    PACL updated = nullptr;
    const bool done = CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size) &&
                      SetEntriesInAclW(1, &entry, old, &updated) == ERROR_SUCCESS &&
                      SetNamedSecurityInfoW(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                            updated, nullptr) == ERROR_SUCCESS;
    LocalFree(updated);
    LocalFree(descriptor);
    return done;
#else
    return QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::WriteOther);
#endif
}
