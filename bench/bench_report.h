// What every benchmark program prints: one tab-separated row per measured
// operation, which bench/run.sh gathers into a single table. A row reads
//   operation <TAB> size <TAB> samples <TAB> median <TAB> best <TAB> worst <TAB> unit
// with full precision (run.sh rounds), and a line starting with "# " is a
// note printed under the table.
#pragma once

#include <chrono>
#include <string>
#include <vector>

template <typename Operation>
double TimeMs(Operation&& operation)
{
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Times `operation` at least minRuns and at most maxRuns times, stopping
// early once the samples add up to budgetMs: the big cases of a benchmark
// get fewer runs and the whole run stays short. `between` runs after each
// sample, untimed.
template <typename Operation, typename Between>
std::vector<double> SampleMs(Operation&& operation, Between&& between, int minRuns, int maxRuns, double budgetMs)
{
    std::vector<double> samples;
    double spent = 0;
    for (int run = 0; run < maxRuns && (run < minRuns || spent < budgetMs); ++run) {
        samples.push_back(TimeMs(operation));
        spent += samples.back();
        between();
    }
    return samples;
}

template <typename Operation>
std::vector<double> SampleMs(Operation&& operation, int minRuns, int maxRuns, double budgetMs)
{
    return SampleMs(operation, [] {}, minRuns, maxRuns, budgetMs);
}

// An empty list prints nothing.
void ReportSamples(const std::string& operation, const std::string& size, std::vector<double> samples,
                   const char* unit);
void ReportValue(const std::string& operation, const std::string& size, double value, const char* unit);
void ReportNote(const std::string& note);
// On the error stream, where run.sh shows it with the program's name.
void ReportFailure(const std::string& what);

// 10000 as "10,000".
std::string WithThousands(long long number);
