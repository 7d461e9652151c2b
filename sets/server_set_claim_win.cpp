#include "sets/server_set_claim.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <utility>

#include "framework/paths.h"

ServerSetClaim::~ServerSetClaim()
{
    Release();
}

ServerSetClaim::ServerSetClaim(ServerSetClaim&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_key(std::move(other.m_key))
{
}

ServerSetClaim& ServerSetClaim::operator=(ServerSetClaim&& other) noexcept
{
    if (this != &other) {
        Release();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_key = std::move(other.m_key);
    }
    return *this;
}

// A kernel object's name holds no backslash and at most MAX_PATH
// characters, so the file goes into it as a hash of its canonical path:
// the same for every spelling that reaches the file.
std::string ServerSetClaim::KeyFor(const std::string& path)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : CanonicalPath(path.c_str())) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    char key[64];
    std::snprintf(key, sizeof key, "Global\\QYRSAT server set %016llx", static_cast<unsigned long long>(hash));
    return key;
}

// A named mutex that already exists is held by another copy: the system
// removes it once the last copy that held it has ended, however it ended.
bool ServerSetClaim::Take(const std::string& path)
{
    const std::string key = KeyFor(path);
    const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, key.c_str());
    if (mutex == nullptr)
        return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return false;
    }
    Release();
    m_handle = mutex;
    m_key = key;
    return true;
}

void ServerSetClaim::Release()
{
    if (m_handle != nullptr)
        ::CloseHandle(m_handle);
    m_handle = nullptr;
    m_key.clear();
}
