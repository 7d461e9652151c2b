#include "standin/self_report_win.h"

#include <windows.h>

#include <cstdio>

#include "standin/standin_protocol.h"

SelfReport ReadSelfReport()
{
    SelfReport report = {::GetCurrentProcessId(), 0, 0};
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    if (::GetProcessAffinityMask(::GetCurrentProcess(), &processMask, &systemMask))
        report.processAffinity = processMask;
    GROUP_AFFINITY thread = {};
    if (::GetThreadGroupAffinity(::GetCurrentThread(), &thread))
        report.threadAffinity = thread.Mask;
    return report;
}

void LogEvent(const char* event, const std::string& details)
{
    const SelfReport self = ReadSelfReport();
    char head[160];
    std::snprintf(head, sizeof head, "%s pid=%lu affinity=0x%llx thread_affinity=0x%llx", event, self.processId,
                  static_cast<unsigned long long>(self.processAffinity),
                  static_cast<unsigned long long>(self.threadAffinity));
    std::string line = head;
    if (!details.empty())
        line += " " + details;
    line += "\r\n";
    // Several stand-ins share one log: appending only, and each line in a
    // single write, keeps their lines whole. A log that cannot be opened is
    // skipped; the server runs on.
    const HANDLE file = ::CreateFileA(standin::kLogFileName, FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}
