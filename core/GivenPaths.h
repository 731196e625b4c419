#pragma once
// The paths an intake is given, in order: texts from a drop, the folder
// dialog or the Windows command line, or the arguments a POSIX program was
// started with, as their bytes.

#include <QAnyStringView>
#include <QDir>
#include <QStringList>

#include <initializer_list>
#include <type_traits>
#include <vector>

// A file manager's "Open with" hands over every file as one argument, and
// the arguments live as long as the process: a hundred thousand of them are
// read where they are, never decoded into texts beside the rows. An argument
// that is a clean absolute path in ASCII (what a file manager passes) is
// viewed as its bytes; any other is decoded and cleaned only when it is
// asked for.
class GivenPaths {
public:
    GivenPaths() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): drops and dialogs hand texts
    GivenPaths(QStringList texts);
    GivenPaths(std::initializer_list<QString> texts)
        : GivenPaths(QStringList(texts))
    {}
    // argv[1] to argv[argc - 1], which must outlive the paths (a process's
    // own arguments do); relative ones are taken against `currentFolder`.
    [[nodiscard]] static GivenPaths ofArguments(int argc, const char* const* argv,
                                                const QString& currentFolder);

    [[nodiscard]] qsizetype size() const { return m_arguments ? m_count : m_texts.size(); }
    [[nodiscard]] bool isEmpty() const { return size() == 0; }
    // Path i: ASCII bytes of an argument as they are, or UTF-16 text; an
    // argument that had to be decoded or cleaned is put in `decoded`, and
    // the view lasts as long as that.
    [[nodiscard]] QAnyStringView at(qsizetype i, QString& decoded) const;
    [[nodiscard]] QStringList toStringList() const;

private:
    QStringList m_texts;
    const char* const* m_arguments = nullptr; // argv + 1
    qsizetype m_count = 0;
    std::vector<bool> m_asGiven; // the argument is a clean absolute path in ASCII
    QDir m_currentFolder;
};

// Calls `visit` with a path GivenPaths::at gave as the QLatin1StringView or
// QStringView it is.
template <typename Visit> decltype(auto) VisitPath(QAnyStringView path, Visit&& visit)
{
    return path.visit([&visit](auto view) -> decltype(auto) {
        if constexpr (std::is_same_v<decltype(view), QStringView>)
            return visit(view);
        else // ASCII bytes: the same as Latin-1
            return visit(QLatin1StringView(reinterpret_cast<const char*>(view.data()), view.size()));
    });
}

// The piece made absolute against `folder` and cleaned, in the platform's
// separators: "a.txt" and "./a.txt" become one path, "." the folder itself,
// not "folder/.". An empty piece, and one that is clean and absolute
// already, stays as it is.
[[nodiscard]] QString CleanGivenPath(const QString& piece, const QDir& folder);
