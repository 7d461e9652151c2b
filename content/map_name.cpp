#include "content/map_name.h"

#include "framework/paths.h"

std::string MapNameFromFileName(const std::string& fileName)
{
    return WithoutExtension(FileNameOf(fileName));
}
