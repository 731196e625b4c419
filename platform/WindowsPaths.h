#pragma once
// Paths as the wide-character calls of Windows take them.

#include <QString>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The extended-length form ("\\?\C:\...", "\\?\UNC\server\share\..."): no
// limit of 260 characters, and names reach the file system as given, without
// the trimming of trailing dots and spaces. A relative path is made absolute
// against the current folder first.
[[nodiscard]] QString ExtendedPath(const QString& path);

// The text as the wide-character calls take it; valid while `text` lives.
[[nodiscard]] inline LPCWSTR Wide(const QString& text)
{
    return reinterpret_cast<LPCWSTR>(text.utf16());
}

// A handle that is closed when it goes out of scope.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = INVALID_HANDLE_VALUE)
        : m_handle(handle)
    {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    [[nodiscard]] HANDLE get() const { return m_handle; }
    [[nodiscard]] bool isValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE take()
    {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE)
    {
        if (isValid())
            CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle;
};

// A search of FindFirstFileExW that is closed when it goes out of scope. The
// basic information level leaves out the short 8.3 names, and the large
// fetch asks for many entries per call.
class FolderSearch {
public:
    // `pattern` as FindFirstFileExW matches it ("*" for every entry).
    FolderSearch(const QString& folder, const QString& pattern);
    ~FolderSearch();
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // The next entry; false at the end or on an error (see failed()).
    bool next();
    [[nodiscard]] const WIN32_FIND_DATAW& entry() const { return m_data; }
    // The entry's name, valid until the next call of next().
    [[nodiscard]] QStringView name() const;
    // The folder could not be opened, or reading it stopped before its end.
    [[nodiscard]] bool failed() const { return m_failed; }

private:
    HANDLE m_search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_data{};
    bool m_first = true;
    bool m_failed = false;
};
