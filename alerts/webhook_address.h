// A webhook's address as alerts take it: "https://" or "http://", a host,
// perhaps a port, and the path with its query. The address carries the
// webhook's secret, so no reason given here repeats any of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct WebhookAddress {
    bool secure = false;
    std::string host;  // an IPv6 address keeps its brackets
    std::uint16_t port = 0;
    std::string path;  // "/" at least; the fragment is left out
};

// Null, with `address` filled, when `url` is a webhook's address; otherwise
// why not, said of the address ("names no host"), as the Alerts dialog and
// the set's list of ignored values say it.
const char* ReadWebhookAddress(std::string_view url, WebhookAddress& address);

// Null also for an empty address, which turns alerts off.
const char* WebhookAddressProblem(std::string_view url);
