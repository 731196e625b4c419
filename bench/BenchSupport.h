#pragma once
// What the benchmarks share: folders of many empty files, the resident
// memory of the process, and a reporter that prints the ratio of two
// benchmarks run side by side.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

// `count` empty files named file_000000.jpg and on (five suffixes in turn),
// in a temporary folder removed with the returned object.
inline std::unique_ptr<QTemporaryDir> FolderOfFiles(int count)
{
    auto dir = std::make_unique<QTemporaryDir>();
    const char* suffixes[] = {".jpg", ".png", ".mp3", ".txt", ".pdf"};
    const QByteArray root = QFile::encodeName(dir->path()) + '/';
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "file_%06d%s", i, suffixes[i % 5]);
        const int fd = ::open(QByteArray(root + name).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    return dir;
}

// Resident set size of this process in bytes, from /proc/self/statm.
inline long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

// The peak resident set size since the start or the last ResetPeakResident(),
// in bytes, from VmHWM in /proc/self/status.
inline long PeakResidentBytes()
{
    long kilobytes = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1)
                break;
        }
        std::fclose(status);
    }
    return kilobytes * 1024;
}

// Starts the peak over from the present size (Linux: "5" to clear_refs).
inline void ResetPeakResident()
{
    if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

// Prints as usual and remembers each benchmark's times for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };

    RatioReporter()
        : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular)
    {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred)
                m_times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    // "name / base: real r, cpu c (goal <= g)" for two benchmarks by full
    // name, from their medians when they were repeated.
    void printRatio(const std::string& name, const std::string& base, double goal) const
    {
        const auto a = find(name);
        const auto b = find(base);
        if (a == m_times.end() || b == m_times.end() || b->second.real <= 0 || b->second.cpu <= 0)
            return;
        std::printf("%s / %s: real %.2f, cpu %.2f (goal <= %.2f)\n", name.c_str(), base.c_str(),
                    a->second.real / b->second.real, a->second.cpu / b->second.cpu, goal);
    }

private:
    std::map<std::string, Times>::const_iterator find(const std::string& name) const
    {
        const auto median = m_times.find(name + "_median");
        return median != m_times.end() ? median : m_times.find(name);
    }

    std::map<std::string, Times> m_times;
};

// Without arguments, a benchmark program repeats each benchmark and
// interleaves the repetitions in random order, so a change of load on a
// shared machine falls on both sides of a ratio alike; the ratios then
// compare medians.
inline void InitializeWithRepetitions(int& argc, char**& argv, int repetitions)
{
    static std::string repeat;
    static std::vector<char*> arguments;
    if (argc == 1) {
        repeat = "--benchmark_repetitions=" + std::to_string(repetitions);
        arguments = {argv[0], repeat.data(), const_cast<char*>("--benchmark_enable_random_interleaving=true"),
                     const_cast<char*>("--benchmark_report_aggregates_only=true"), nullptr};
        argc = static_cast<int>(arguments.size()) - 1;
        argv = arguments.data();
    }
    benchmark::Initialize(&argc, argv);
}

// The main of a program whose benchmarks are compared side by side: an
// offscreen application for the real view, repetitions in random order,
// then `report` prints the ratios from the medians.
template <typename Report> int RunComparedBenchmarks(int argc, char** argv, int repetitions, Report report)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitializeWithRepetitions(argc, argv, repetitions);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    report(reporter);
    benchmark::Shutdown();
    return 0;
}
