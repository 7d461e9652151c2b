#include "standin/self_report_win.h"

#include <windows.h>

#include <cstdio>

#include "standin/standin_protocol.h"

namespace {
const char kLogMutexName[] = "Local\\qyr-standin-log";
const DWORD kLogMutexWaitMs = 2000;
}  // namespace

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
    // Several stand-ins share one log. Wine carries out an append as a seek
    // and a write, which two processes can interleave so that one line
    // overwrites another; holding a mutex shared by every stand-in around
    // the whole append keeps each line. If the mutex is not had in time the
    // line is written all the same, and a log that cannot be opened is
    // skipped: the server runs on either way.
    const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, kLogMutexName);
    const DWORD waited = mutex != nullptr ? ::WaitForSingleObject(mutex, kLogMutexWaitMs) : WAIT_FAILED;
    const HANDLE file = ::CreateFileA(standin::kLogFileName, FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    // An abandoned mutex (a stand-in ended while writing) is owned all the same.
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        ::ReleaseMutex(mutex);
    if (mutex != nullptr)
        ::CloseHandle(mutex);
}
