#include "alerts/webhook_address.h"

#include <charconv>

namespace {

// What the system's own URL functions take at the most.
constexpr std::size_t kLongestUrl = 2048;

struct Scheme {
    std::string_view prefix;
    bool secure;
    std::uint16_t port;
};

const Scheme kSchemes[] = {{"https://", true, 443}, {"http://", false, 80}};

bool ReadPort(std::string_view text, std::uint16_t& port)
{
    std::uint16_t read = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, read);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || read == 0)
        return false;
    port = read;
    return true;
}

}  // namespace

const char* ReadWebhookAddress(std::string_view url, WebhookAddress& address)
{
    if (url.size() > kLongestUrl)
        return "is longer than 2048 characters";
    for (char c : url) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F')
            return "holds a blank or a control character";
    }
    WebhookAddress read;
    const Scheme* scheme = nullptr;
    for (const Scheme& known : kSchemes) {
        if (url.substr(0, known.prefix.size()) == known.prefix)
            scheme = &known;
    }
    if (scheme == nullptr)
        return "does not begin with https:// or http://";
    url.remove_prefix(scheme->prefix.size());
    read.secure = scheme->secure;
    read.port = scheme->port;

    std::string_view host = url.substr(0, url.find_first_of("/?#"));
    url.remove_prefix(host.size());
    if (host.find('@') != std::string_view::npos)
        return "names a user before its host";
    const std::size_t colon = host.rfind(':');
    if (colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos) {
        if (!ReadPort(host.substr(colon + 1), read.port))
            return "has a port that is no number from 1 to 65535";
        host = host.substr(0, colon);
    }
    if (host.empty())
        return "names no host";
    read.host = std::string(host);
    url = url.substr(0, url.find('#'));
    read.path = url.substr(0, 1) == "/" ? std::string(url) : "/" + std::string(url);
    address = read;
    return nullptr;
}

const char* WebhookAddressProblem(std::string_view url)
{
    WebhookAddress address;
    return url.empty() ? nullptr : ReadWebhookAddress(url, address);
}
