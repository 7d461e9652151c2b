#include "servers/server_manager.h"

#include <cstdio>
#include <memory>
#include <new>

#include "servers/text_compare.h"

ServerManager* g_serverManager = nullptr;

namespace {
const char kBaseName[] = "qyr";
}

ServerManager::~ServerManager()
{
    // Its watchers may be gone already; a table going as a whole tells none.
    observer = nullptr;
    for (int i = 0; i < kMaxServers; ++i)
        FreeSlot(i);
    count = 0;
}

// The record goes, and with it the handles of its last launch; the process
// itself, if still running, is left alone.
void ServerManager::FreeSlot(int index)
{
    ServerConfig*& slot = slots[index];
    if (slot == nullptr)
        return;
    slot->ForgetProcess();
    delete slot;
    slot = nullptr;
    m_watchdog.OperatorActed(index);
    if (observer != nullptr)
        observer->Removed(index);
}

ServerConfig* ServerManager::Current() const
{
    if (current < 0 || current >= kMaxServers)
        return nullptr;
    return slots[current];
}

int ServerManager::FindSlotByName(const char* name) const
{
    for (int i = 0; i < kMaxServers; ++i) {
        if (slots[i] != nullptr && EqualNoCase(slots[i]->name, name))
            return i;
    }
    return -1;
}

bool ServerManager::SelectServerByName(const char* name)
{
    const int slot = FindSlotByName(name);
    if (slot < 0)
        return false;
    current = slot;
    return true;
}

ServerConfig* ServerManager::FindServerByName(const char* name) const
{
    const int slot = FindSlotByName(name);
    return slot < 0 ? nullptr : slots[slot];
}

void ServerManager::MakeUniqueName(char (&out)[kTextSize]) const
{
    CopyText(out, kBaseName);
    // At most 32 names are taken, so one of the first 33 candidates is free.
    for (int n = 1; FindSlotByName(out) >= 0; ++n)
        std::snprintf(out, sizeof out, "qyr(%i)", n);
}

bool ServerManager::IsPortUsed(int port) const
{
    for (const ServerConfig* slot : slots) {
        if (slot != nullptr && slot->port == port)
            return true;
    }
    return false;
}

int ServerManager::NextFreePort() const
{
    int port = kDefaultPort;
    if (count == 0)
        return port;
    while (IsPortUsed(port))
        ++port;
    return port;
}

bool ServerManager::AddServer()
{
    char name[kTextSize];
    MakeUniqueName(name);
    const int port = NextFreePort();

    int slot = 0;
    while (slot < kMaxServers && slots[slot] != nullptr)
        ++slot;
    if (slot == kMaxServers)
        return false;

    ServerConfig* server = new (std::nothrow) ServerConfig;
    if (server == nullptr)
        return false;
    CopyText(server->name, name);
    server->port = port;
    slots[slot] = server;
    current = slot;
    ++count;
    return true;
}

bool ServerManager::ReplaceServers(const std::vector<SlotRecord>& servers)
{
    std::unique_ptr<ServerConfig> fresh[kMaxServers];
    for (const SlotRecord& server : servers) {
        if (server.slot < 0 || server.slot >= kMaxServers || fresh[server.slot] != nullptr)
            return false;
        fresh[server.slot].reset(new (std::nothrow) ServerConfig(server.config));
        if (fresh[server.slot] == nullptr)
            return false;
    }
    for (int i = 0; i < kMaxServers; ++i) {
        FreeSlot(i);
        slots[i] = fresh[i].release();
    }
    count = static_cast<std::int32_t>(servers.size());
    current = 0;
    while (current < kMaxServers - 1 && slots[current] == nullptr)
        ++current;
    return true;
}

bool ServerManager::DeleteCurrentServer()
{
    if (Current() == nullptr)
        return false;
    FreeSlot(current);
    --count;
    for (int i = 0; i < kMaxServers; ++i) {
        if (slots[i] != nullptr)
            current = i;
    }
    return true;
}

int ServerManager::CountRunning() const
{
    if (count == 0)
        return 0;
    int running = 0;
    for (const ServerConfig* slot : slots) {
        if (slot != nullptr && slot->running == 1)
            ++running;
    }
    return running;
}

bool CreateServerManager()
{
    if (g_serverManager != nullptr)
        return false;
    g_serverManager = new (std::nothrow) ServerManager;
    return true;
}

bool DestroyServerManager()
{
    delete g_serverManager;
    g_serverManager = nullptr;
    return true;
}
