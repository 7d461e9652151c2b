#include "servers/server_config.h"

#include <cstring>

#include "servers/process_handles.h"

const char* const kGameModes[kGameModeCount] = {
    "Fallout", "Cooperative", "HostageRescue", "PlantTheBomb", "TeamDeathMatch", "TeamEscape",
};

void CopyText(char* dest, std::size_t destSize, const char* src)
{
    if (destSize == 0)
        return;
    std::size_t length = 0;
    if (src != nullptr) {
        while (length + 1 < destSize && src[length] != '\0')
            ++length;
        std::memmove(dest, src, length);
    }
    dest[length] = '\0';
}

ServerConfig::ServerConfig()
{
    CopyText(name, "qyr");
    CopyText(mapName, "");
    CopyText(password, "");
    CopyText(rotationFile, "");
}

void ServerConfig::ForgetProcess()
{
    ReleaseProcessHandles(process);
    processCreated = 0;
}
