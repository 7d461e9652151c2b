#include "framework/paths.h"

#include <cstring>

namespace {

#ifdef _WIN32
constexpr const char* kPathSeparators = "\\/:";
constexpr char kSeparator = '\\';
#else
constexpr const char* kPathSeparators = "/";
constexpr char kSeparator = '/';
#endif

const std::string kLongPrefix = "\\\\?\\";
const std::string kLongUncPrefix = "\\\\?\\UNC\\";

}  // namespace

std::string FileNameOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string WithoutExtension(const std::string& path)
{
    const std::size_t nameStart = path.size() - FileNameOf(path).size();
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && dot >= nameStart ? path.substr(0, dot) : path;
}

std::string PathInFolder(const std::string& folder, const std::string& relative)
{
    if (folder.empty() || std::strchr(kPathSeparators, folder.back()) != nullptr)
        return folder + relative;
    return folder + kSeparator + relative;
}

std::string WithoutLongPathPrefix(const std::string& path)
{
    if (path.rfind(kLongUncPrefix, 0) == 0)
        return "\\\\" + path.substr(kLongUncPrefix.size());
    return path.rfind(kLongPrefix, 0) == 0 ? path.substr(kLongPrefix.size()) : path;
}
