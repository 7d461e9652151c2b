#include "framework/paths.h"

namespace {

#ifdef _WIN32
constexpr const char* kPathSeparators = "\\/:";
#else
constexpr const char* kPathSeparators = "/";
#endif

}  // namespace

std::string FileNameOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
