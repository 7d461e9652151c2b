// What an alert says, and the body of its request in each format.
#pragma once

#include <string>

#include "alerts/alert.h"
#include "alerts/alert_settings.h"

// One sentence: the host, the server (none for the set's own events), the
// event and its details as the history writes them, then what was held back
// or dropped, e.g.
//   GAMEHOST: Friday exited: code 1 after 0:00:03, and 6 more exits since 03:12
//   GAMEHOST: set not saved: D:\qyr\servers.ini: Access is denied.
std::string AlertLine(const std::string& host, const Alert& alert);

// UTF-8 JSON: Discord {"content", "username"}, Slack {"text"}, JSON {"text",
// "time", "host", "server", "event", "details"}. Discord's content is cut to
// the 2000 characters it takes, ending in an ellipsis. The texts are meant to be
// UTF-8 already; what is not becomes U+FFFD.
std::string AlertBody(AlertFormat format, const std::string& host, const Alert& alert);
