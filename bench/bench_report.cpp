#include "bench/bench_report.h"

#include <algorithm>
#include <cstdio>

void ReportSamples(const std::string& operation, const std::string& size, std::vector<double> samples,
                   const char* unit)
{
    if (samples.empty())
        return;
    std::sort(samples.begin(), samples.end());
    std::printf("%s\t%s\t%zu\t%.6f\t%.6f\t%.6f\t%s\n", operation.c_str(), size.c_str(), samples.size(),
                samples[samples.size() / 2], samples.front(), samples.back(), unit);
    std::fflush(stdout);
}

void ReportValue(const std::string& operation, const std::string& size, double value, const char* unit)
{
    std::printf("%s\t%s\t1\t%.6f\t\t\t%s\n", operation.c_str(), size.c_str(), value, unit);
    std::fflush(stdout);
}

void ReportNote(const std::string& note)
{
    std::printf("# %s\n", note.c_str());
    std::fflush(stdout);
}

void ReportFailure(const std::string& what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
    std::fflush(stderr);
}

std::string WithThousands(long long number)
{
    std::string digits = std::to_string(number < 0 ? -number : number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return number < 0 ? "-" + digits : digits;
}
