// The command line that carries a server's settings to the game server.
#pragma once

#include <string>

#include "servers/server_config.h"

// Every piece starts with a blank and a plus sign; there is no program name
// in front. Values are passed unquoted, so a blank splits a value into words.
std::string BuildCommandLine(const ServerConfig& server);
