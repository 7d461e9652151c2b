// The server set a copy of the tool has open: the file the table is kept
// in, with the settings that features keep beside it, written again
// whenever either has changed. With no set open the tool keeps nothing
// between runs.
#pragma once

#include <string>
#include <vector>

#include "servers/server_manager.h"
#include "sets/server_set_claim.h"
#include "sets/server_set_format.h"
#include "sets/set_section_keeper.h"

// A set file is read only up to this size.
constexpr std::size_t kMaxServerSetBytes = 1024 * 1024;

class ServerSetSession {
public:
    // From now on the set keeps the keeper's settings too, after those of
    // the keepers before it; it must outlive the session. Without any the
    // set keeps the table alone.
    void KeepSectionsOf(SetSectionKeeper& keeper) { m_sectionKeepers.push_back(&keeper); }

    bool IsOpen() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    // The file's name without its folder, as the caption shows it.
    std::string FileName() const;

    // Whether replacing the table would lose nothing: it is empty, or it
    // holds what the open set last got.
    bool ReplacingLosesNothing(const ServerManager& table) const;

    // Paths are full ones: the set stays the same file while it is open,
    // whatever the current directory.
    //
    // Reads the set at path and, when it is one and no other copy has it
    // open, puts its servers in the table, hands its other sections to the
    // keeper and makes it the open set; what was ignored is added to
    // `ignored`. Otherwise false with why, as a
    // sentence without its full stop, and the table and the open set stay
    // as they were.
    bool Open(const std::string& path, ServerManager& table, std::vector<std::string>& ignored,
              std::string& failure);
    // Writes the whole table to path and makes it the open set; otherwise
    // false with why, and the open set stays as it was.
    bool SaveAs(const std::string& path, const ServerManager& table, std::string& failure);
    // Leaves the set, claim and all, as when the table it kept is gone.
    void Close();
    // Writes the table and the keeper's sections to the open set when they
    // differ from what the set last got. Returns why a write failed when the one before it did not;
    // empty otherwise, so that the operator is told once until a write
    // succeeds again.
    std::string SaveIfChanged(const ServerManager& table);

private:
    std::vector<SetSection> KeptSections() const;
    bool Text(const ServerManager& table, std::string& text) const;
    // The set is written by this copy alone: another path, or the same one
    // when this copy already holds it.
    bool ClaimFor(const std::string& path, ServerSetClaim& claim, std::string& failure) const;
    // Makes path the open set, with the claim just taken for it (none when
    // this copy held it already) and what the file now holds.
    void MakeOpenSet(const std::string& path, ServerSetClaim& claim, std::string written);
    bool Write(const std::string& path, const ServerManager& table, std::string& written, std::string& failure) const;

    std::string m_path;
    ServerSetClaim m_claim;
    std::string m_written;  // what the set got last
    bool m_failureTold = false;
    std::vector<SetSectionKeeper*> m_sectionKeepers;
};
