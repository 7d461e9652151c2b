// A copy of the tool's claim on a server set's file: while one copy holds
// it, no other copy on this machine can, so a set is written by one copy at
// a time. The claim ends with the copy, also when it is killed.
#pragma once

#include <string>

class ServerSetClaim {
public:
    ServerSetClaim() = default;
    ~ServerSetClaim();
    ServerSetClaim(ServerSetClaim&& other) noexcept;
    ServerSetClaim& operator=(ServerSetClaim&& other) noexcept;
    ServerSetClaim(const ServerSetClaim&) = delete;
    ServerSetClaim& operator=(const ServerSetClaim&) = delete;

    // False when another holder, this copy included, has the file's claim.
    bool Take(const std::string& path);
    bool Holds(const std::string& path) const { return m_handle != nullptr && m_key == KeyFor(path); }

private:
    // What names one file, whatever way its path is written: the same key
    // for the same file.
    static std::string KeyFor(const std::string& path);
    void Release();

    void* m_handle = nullptr;
    std::string m_key;
};
