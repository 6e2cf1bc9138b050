#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

// Benchmarks come in pairs named "Toolkit/<case>" and "PlainQt/<case>" (optionally followed by
// "/args"). Besides the usual table the reporter prints, for every pair, toolkit time divided by
// plain-Qt time measured in the same run; with --benchmark_repetitions the medians are compared.
namespace NimbBench {

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median")
                continue;
            std::string name = run.benchmark_name();
            if (aggregate) // "<name>_median"
                name = name.substr(0, name.size() - std::string("_median").size());
            Entry& entry = m_times[name];
            if (aggregate || !entry.median) {
                entry.nanoseconds = run.GetAdjustedRealTime() * Multiplier(run.time_unit);
                entry.median = aggregate;
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-58s %12s %12s %8s\n", "case", "toolkit", "plain Qt", "ratio");
        for (const auto& item : m_times) {
            const std::string& name = item.first;
            if (name.rfind("Toolkit/", 0) != 0)
                continue;
            const std::string rest = name.substr(std::string("Toolkit/").size());
            const auto baseline = m_times.find("PlainQt/" + rest);
            if (baseline == m_times.end())
                continue;
            std::printf("%-58s %10.3fms %10.3fms %7.2fx\n", rest.c_str(),
                        item.second.nanoseconds / 1e6, baseline->second.nanoseconds / 1e6,
                        item.second.nanoseconds / baseline->second.nanoseconds);
        }
        std::printf("(ratio = toolkit / plain Qt; frame budget 16.7 ms)\n");
    }

private:
    static double Multiplier(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond: return 1e9;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kMicrosecond: return 1e3;
        default: return 1.0;
        }
    }
    struct Entry
    {
        double nanoseconds = 0;
        bool median = false;
    };
    std::map<std::string, Entry> m_times;
};

} // namespace NimbBench

// Widgets need a QApplication; benchmarks run offscreen unless told otherwise.
#define NIMB_BENCHMARK_MAIN()                                                                      \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);                                                 \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                    \
            return 1;                                                                              \
        NimbBench::RatioReporter reporter;                                                         \
        benchmark::RunSpecifiedBenchmarks(&reporter);                                              \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
