#include "alerts/webhook_post_win.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

#include "framework/code_page_win.h"
#include "framework/system_error_win.h"

namespace {

constexpr int kConnectMs = 10000;
constexpr int kAnswerMs = 10000;

using Handle = std::unique_ptr<void, BOOL(WINAPI*)(HINTERNET)>;

Handle Owned(HINTERNET handle)
{
    return Handle(handle, ::WinHttpCloseHandle);
}

// The words of WinHTTP's own errors that its library may not carry (Wine's
// does not, and gives the socket's error for a time-out), for an operator
// to read.
struct NamedError {
    DWORD error;
    const char* words;
};

const NamedError kNamedErrors[] = {
    {ERROR_WINHTTP_TIMEOUT, "The operation timed out"},
    {WSAETIMEDOUT, "The operation timed out"},
    {ERROR_WINHTTP_NAME_NOT_RESOLVED, "The server name or address could not be resolved"},
    {ERROR_WINHTTP_CANNOT_CONNECT, "A connection with the server could not be established"},
    {ERROR_WINHTTP_CONNECTION_ERROR, "The connection with the server was reset or terminated"},
    {ERROR_WINHTTP_INVALID_SERVER_RESPONSE, "The server response could not be parsed"},
    {ERROR_WINHTTP_SECURE_FAILURE, "The server's certificate was not accepted"},
};

WebhookAnswer NotAnswered()
{
    const DWORD error = ::GetLastError();
    WebhookAnswer answer;
    if (std::optional<std::string> words = SystemErrorWords(error, ::GetModuleHandleA("winhttp.dll"))) {
        answer.failure = *words;
        return answer;
    }
    answer.failure = "system error " + std::to_string(error);
    for (const NamedError& named : kNamedErrors) {
        if (named.error == error)
            answer.failure = named.words;
    }
    return answer;
}

// The system's proxy settings: those the operator set for the system where
// WinHTTP can follow them (Windows 8.1 and later), otherwise WinHTTP's own.
Handle OpenSession()
{
    HINTERNET session = ::WinHttpOpen(L"QYR SAT", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                      WINHTTP_NO_PROXY_BYPASS, 0);
    if (session == nullptr)
        session = ::WinHttpOpen(L"QYR SAT", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                WINHTTP_NO_PROXY_BYPASS, 0);
    // The answer's head is waited for as long as its own time-out says, which
    // is 90 s unless set.
    DWORD answerMs = kAnswerMs;
    if (session != nullptr &&
        (!::WinHttpSetTimeouts(session, kConnectMs, kConnectMs, kAnswerMs, kAnswerMs) ||
         !::WinHttpSetOption(session, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &answerMs, sizeof answerMs))) {
        ::WinHttpCloseHandle(session);
        session = nullptr;
    }
    return Owned(session);
}

// Empty when the receiver gave none, or one longer than any number of
// seconds.
std::string RetryAfter(HINTERNET request)
{
    wchar_t text[32] = L"";
    DWORD size = sizeof text;
    if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_RETRY_AFTER, WINHTTP_HEADER_NAME_BY_INDEX, text, &size,
                               WINHTTP_NO_HEADER_INDEX))
        return std::string();
    std::string ascii;
    for (const wchar_t* c = text; *c != L'\0'; ++c)
        ascii += *c < 0x80 ? static_cast<char>(*c) : '?';
    return ascii;
}

}  // namespace

WebhookAnswer PostToWebhook(const WebhookAddress& address, const std::string& body)
{
    const Handle session = OpenSession();
    if (session == nullptr)
        return NotAnswered();
    const Handle connection = Owned(::WinHttpConnect(session.get(), WideFromCodePage(address.host).c_str(),
                                                     address.port, 0));
    if (connection == nullptr)
        return NotAnswered();
    const Handle request =
        Owned(::WinHttpOpenRequest(connection.get(), L"POST", WideFromCodePage(address.path).c_str(), nullptr,
                                   WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                   address.secure ? WINHTTP_FLAG_SECURE : 0));
    if (request == nullptr)
        return NotAnswered();
    const DWORD size = static_cast<DWORD>(body.size());
    if (!::WinHttpSendRequest(request.get(), L"Content-Type: application/json; charset=utf-8", static_cast<DWORD>(-1),
                              const_cast<char*>(body.data()), size, size, 0) ||
        !::WinHttpReceiveResponse(request.get(), nullptr))
        return NotAnswered();
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX))
        return NotAnswered();
    WebhookAnswer answer;
    answer.answered = true;
    answer.status = static_cast<int>(status);
    answer.retryAfter = RetryAfter(request.get());
    return answer;
}
