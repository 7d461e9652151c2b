// One POST to a webhook through the system's own HTTP stack, WinHTTP: its
// proxy settings and its certificate checks, which are never turned off.
// 10 s to connect, 10 s to answer.
#pragma once

#include <string>

#include "alerts/alert_sender.h"

WebhookAnswer PostToWebhook(const WebhookAddress& address, const std::string& body);
