#include "content/map_name.h"

std::string MapNameFromFileName(const std::string& fileName)
{
    const std::size_t slash = fileName.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}
