#include "sets/server_set_session.h"

#include <utility>

#include "framework/file_contents.h"
#include "framework/paths.h"

namespace {

const char kLineFeedInText[] = "A name, password, map or path holds a line break, which a set cannot keep";

}  // namespace

std::vector<SetSection> ServerSetSession::KeptSections() const
{
    std::vector<SetSection> sections;
    for (const SetSectionKeeper* keeper : m_sectionKeepers) {
        std::vector<SetSection> kept = keeper->Sections();
        sections.insert(sections.end(), kept.begin(), kept.end());
    }
    return sections;
}

bool ServerSetSession::Text(const ServerManager& table, std::string& text) const
{
    return ServerSetText(table, KeptSections(), text);
}

void ServerSetSession::Close()
{
    std::vector<SetSectionKeeper*> keepers = std::move(m_sectionKeepers);
    *this = ServerSetSession();
    m_sectionKeepers = std::move(keepers);
}

std::string ServerSetSession::FileName() const
{
    return FileNameOf(m_path);
}

bool ServerSetSession::ReplacingLosesNothing(const ServerManager& table) const
{
    if (table.count == 0)
        return true;
    std::string text;
    return IsOpen() && Text(table, text) && text == m_written;
}

bool ServerSetSession::ClaimFor(const std::string& path, ServerSetClaim& claim, std::string& failure) const
{
    if (m_claim.Holds(path))
        return true;
    if (claim.Take(path))
        return true;
    failure = "Another copy of the tool has it open";
    return false;
}

void ServerSetSession::MakeOpenSet(const std::string& path, ServerSetClaim& claim, std::string written)
{
    if (!m_claim.Holds(path))
        m_claim = std::move(claim);
    m_path = path;
    m_written = std::move(written);
    m_failureTold = false;
}

bool ServerSetSession::Open(const std::string& path, ServerManager& table, std::vector<std::string>& ignored,
                            std::string& failure)
{
    std::string text;
    if (!ReadFileContents(path.c_str(), kMaxServerSetBytes + 1, text, failure))
        return false;
    if (text.size() > kMaxServerSetBytes) {
        failure = "It is larger than 1 MiB, which no server set is";
        return false;
    }
    ServerSetReading reading = ReadServerSetText(text);
    if (!reading.isSet) {
        failure = reading.holdsNul
                      ? "It is no server set: it holds a NUL byte"
                      : "It is no server set: line " + std::to_string(reading.strayLine) +
                            " is neither a section, a key=value line in a section, a comment nor blank";
        return false;
    }
    ServerSetClaim claim;
    if (!ClaimFor(path, claim, failure))
        return false;
    if (!table.ReplaceServers(reading.servers)) {
        failure = "There is not enough memory";
        return false;
    }
    ignored.insert(ignored.end(), reading.ignored.begin(), reading.ignored.end());
    for (SetSectionKeeper* keeper : m_sectionKeepers)
        keeper->TakeSections(reading.sections, ignored);
    // What the file holds, as this copy would write it: opening alone
    // rewrites nothing.
    std::string written;
    Text(table, written);
    MakeOpenSet(path, claim, std::move(written));
    return true;
}

bool ServerSetSession::Write(const std::string& path, const ServerManager& table, std::string& written,
                             std::string& failure) const
{
    if (!Text(table, written)) {
        failure = kLineFeedInText;
        return false;
    }
    return ReplaceFileContents(path.c_str(), written, failure);
}

bool ServerSetSession::SaveAs(const std::string& path, const ServerManager& table, std::string& failure)
{
    ServerSetClaim claim;
    std::string written;
    if (!ClaimFor(path, claim, failure) || !Write(path, table, written, failure))
        return false;
    MakeOpenSet(path, claim, std::move(written));
    return true;
}

std::string ServerSetSession::SaveIfChanged(const ServerManager& table)
{
    std::string text;
    if (!IsOpen() || (Text(table, text) && text == m_written))
        return std::string();
    std::string failure;
    if (Write(m_path, table, text, failure)) {
        m_written = std::move(text);
        m_failureTold = false;
        return std::string();
    }
    if (m_failureTold)
        return std::string();
    m_failureTold = true;
    return failure;
}
