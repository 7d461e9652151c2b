#include "servers/server_set_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "servers/text_compare.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kSlotSection = "Slot";
constexpr std::size_t kShownValueLength = 40;
constexpr std::size_t kIgnoredShown = 10;

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return std::string_view();
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// Quotes of either kind around the whole value are not part of it.
std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

// Keys and section names, like the system's profile functions, ignore the
// case of ASCII letters.
bool EqualKeys(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// The whole text, and nothing but the text, must be the number.
template <typename Number>
bool ParseWhole(std::string_view text, Number& number)
{
    const char* end = text.data() + text.size();
    const std::from_chars_result parsed = std::from_chars(text.data(), end, number);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == end;
}

// A field's reader stores a value it takes and answers null; otherwise it
// leaves the field alone and answers why not.
using FieldReader = const char* (*)(std::string_view, const ServerSetRules&, ServerConfig&);
using FieldWriter = void (*)(const ServerConfig&, std::string&);

template <char (ServerConfig::*Field)[kTextSize]>
void WriteText(const ServerConfig& server, std::string& out)
{
    out += '"';
    out += server.*Field;
    out += '"';
}

template <char (ServerConfig::*Field)[kTextSize]>
const char* ReadText(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    if (value.size() >= kTextSize)
        return "longer than 255 characters";
    char* field = server.*Field;
    value.copy(field, value.size());
    field[value.size()] = '\0';
    return nullptr;
}

template <typename Number, Number ServerConfig::*Field>
void WriteNumber(const ServerConfig& server, std::string& out)
{
    out += std::to_string(server.*Field);
}

template <typename Number, Number ServerConfig::*Field>
const char* ReadNumber(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    Number number = 0;
    if (!ParseWhole(value, number))
        return "not a whole number the setting can hold";
    server.*Field = number;
    return nullptr;
}

template <std::int32_t ServerConfig::*Field, std::vector<std::int32_t> ServerSetRules::*Allowed>
const char* ReadListed(std::string_view value, const ServerSetRules& rules, ServerConfig& server)
{
    const std::vector<std::int32_t>& allowed = rules.*Allowed;
    std::int32_t number = 0;
    if (!ParseWhole(value, number) || std::find(allowed.begin(), allowed.end(), number) == allowed.end())
        return "not one of its list's values";
    server.*Field = number;
    return nullptr;
}

// Nine significant digits bring every single-precision value back exactly.
template <float ServerConfig::*Field>
void WriteFloat(const ServerConfig& server, std::string& out)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(server.*Field));
    out += text;
}

// The tool never changes the C library's locale, so the decimal point is
// always a full stop.
template <float ServerConfig::*Field>
const char* ReadFloat(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    const std::string text(value);
    char* end = nullptr;
    const float number = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
        return "not a number";
    server.*Field = number;
    return nullptr;
}

// Flags count as set only when they hold 1, so 1 is what a set one is written as.
template <std::uint8_t ServerConfig::*Field>
void WriteFlag(const ServerConfig& server, std::string& out)
{
    out += server.*Field == 1 ? '1' : '0';
}

template <std::uint8_t ServerConfig::*Field>
const char* ReadFlag(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    if (value != "0" && value != "1")
        return "not 0 or 1";
    server.*Field = value == "1" ? 1 : 0;
    return nullptr;
}

void WriteGameMode(const ServerConfig& server, std::string& out)
{
    if (server.gameMode >= 0 && server.gameMode < kGameModeCount)
        out += kGameModes[server.gameMode];
}

const char* ReadGameMode(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    for (int mode = 0; mode < kGameModeCount; ++mode) {
        if (EqualKeys(value, kGameModes[mode])) {
            server.gameMode = mode;
            return nullptr;
        }
    }
    return "no game mode's keyword";
}

void WriteAddress(const ServerConfig& server, std::string& out)
{
    const std::uint8_t* octets = server.externIp;
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", octets[0], octets[1], octets[2], octets[3]);
    out += text;
}

const char* ReadAddress(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    constexpr const char* kWhy = "not an address of four numbers from 0 to 255";
    std::uint8_t octets[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? value.find('.') : value.size();
        if (dot == std::string_view::npos || !ParseWhole(value.substr(0, dot), octets[i]))
            return kWhy;
        value.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    std::copy(std::begin(octets), std::end(octets), server.externIp);
    return nullptr;
}

// The launch's ids: read into the record, which then holds no handles.
template <std::uint32_t ProcessRecord::*Id>
void WriteProcessId(const ServerConfig& server, std::string& out)
{
    out += std::to_string(server.process.*Id);
}

template <std::uint32_t ProcessRecord::*Id>
const char* ReadProcessId(std::string_view value, const ServerSetRules&, ServerConfig& server)
{
    std::uint32_t id = 0;
    if (!ParseWhole(value, id))
        return "not a whole number the setting can hold";
    server.process.*Id = id;
    return nullptr;
}

struct FieldKey {
    const char* key;
    FieldWriter write;
    FieldReader read;
    bool onlyWhileRunning;
};

// Every field of the record that a set keeps, in the order it is written.
const FieldKey kFieldKeys[] = {
    {"name", WriteText<&ServerConfig::name>, ReadText<&ServerConfig::name>, false},
    {"password", WriteText<&ServerConfig::password>, ReadText<&ServerConfig::password>, false},
    {"port", WriteNumber<std::int32_t, &ServerConfig::port>, ReadNumber<std::int32_t, &ServerConfig::port>, false},
    {"playOn", WriteNumber<std::int32_t, &ServerConfig::playOn>, ReadListed<&ServerConfig::playOn, &ServerSetRules::playOn>, false},
    {"maxPlayers", WriteNumber<std::int32_t, &ServerConfig::maxPlayers>,
     ReadListed<&ServerConfig::maxPlayers, &ServerSetRules::maxPlayers>, false},
    {"matchTime", WriteNumber<std::int32_t, &ServerConfig::matchTime>,
     ReadListed<&ServerConfig::matchTime, &ServerSetRules::matchTime>, false},
    {"freezeTime", WriteNumber<std::int32_t, &ServerConfig::freezeTime>,
     ReadListed<&ServerConfig::freezeTime, &ServerSetRules::freezeTime>, false},
    {"roundTime", WriteNumber<std::int32_t, &ServerConfig::roundTime>,
     ReadListed<&ServerConfig::roundTime, &ServerSetRules::roundTime>, false},
    {"mapTime", WriteNumber<std::int32_t, &ServerConfig::mapTime>, ReadListed<&ServerConfig::mapTime, &ServerSetRules::mapTime>,
     false},
    {"rankPoints", WriteNumber<std::int32_t, &ServerConfig::rankPoints>, ReadNumber<std::int32_t, &ServerConfig::rankPoints>, false},
    {"damageMultiplier", WriteFloat<&ServerConfig::damageMultiplier>, ReadFloat<&ServerConfig::damageMultiplier>,
     false},
    {"jumpSlowdown", WriteFloat<&ServerConfig::jumpSlowdown>, ReadFloat<&ServerConfig::jumpSlowdown>, false},
    {"gameMode", WriteGameMode, ReadGameMode, false},
    {"mapName", WriteText<&ServerConfig::mapName>, ReadText<&ServerConfig::mapName>, false},
    {"rotationFile", WriteText<&ServerConfig::rotationFile>, ReadText<&ServerConfig::rotationFile>, false},
    {"useMapRotation", WriteFlag<&ServerConfig::useMapRotation>, ReadFlag<&ServerConfig::useMapRotation>, false},
    {"team1SkinSet", WriteNumber<std::int32_t, &ServerConfig::team1SkinSet>,
     ReadListed<&ServerConfig::team1SkinSet, &ServerSetRules::team1SkinSet>, false},
    {"team2SkinSet", WriteNumber<std::int32_t, &ServerConfig::team2SkinSet>,
     ReadListed<&ServerConfig::team2SkinSet, &ServerSetRules::team2SkinSet>, false},
    {"friendlyFire", WriteFlag<&ServerConfig::friendlyFire>, ReadFlag<&ServerConfig::friendlyFire>, false},
    {"dedicated", WriteFlag<&ServerConfig::dedicated>, ReadFlag<&ServerConfig::dedicated>, false},
    {"respawn", WriteFlag<&ServerConfig::respawn>, ReadFlag<&ServerConfig::respawn>, false},
    {"spectateAll", WriteFlag<&ServerConfig::spectateAll>, ReadFlag<&ServerConfig::spectateAll>, false},
    {"immediatePlay", WriteFlag<&ServerConfig::immediatePlay>, ReadFlag<&ServerConfig::immediatePlay>, false},
    {"allowShadows", WriteFlag<&ServerConfig::allowShadows>, ReadFlag<&ServerConfig::allowShadows>, false},
    {"pure", WriteFlag<&ServerConfig::pure>, ReadFlag<&ServerConfig::pure>, false},
    {"hash", WriteFlag<&ServerConfig::hash>, ReadFlag<&ServerConfig::hash>, false},
    {"antiCheat", WriteFlag<&ServerConfig::antiCheat>, ReadFlag<&ServerConfig::antiCheat>, false},
    {"openChat", WriteFlag<&ServerConfig::openChat>, ReadFlag<&ServerConfig::openChat>, false},
    {"minimize", WriteFlag<&ServerConfig::minimize>, ReadFlag<&ServerConfig::minimize>, false},
    {"useExternIp", WriteFlag<&ServerConfig::useExternIp>, ReadFlag<&ServerConfig::useExternIp>, false},
    {"externIp", WriteAddress, ReadAddress, false},
    {"running", WriteFlag<&ServerConfig::running>, ReadFlag<&ServerConfig::running>, false},
    {"processId", WriteProcessId<&ProcessRecord::dwProcessId>, ReadProcessId<&ProcessRecord::dwProcessId>, true},
    {"threadId", WriteProcessId<&ProcessRecord::dwThreadId>, ReadProcessId<&ProcessRecord::dwThreadId>, true},
    {"processCreated", WriteNumber<std::uint64_t, &ServerConfig::processCreated>,
     ReadNumber<std::uint64_t, &ServerConfig::processCreated>, true},
};
constexpr std::size_t kFieldCount = sizeof kFieldKeys / sizeof kFieldKeys[0];

const FieldKey* FindField(std::string_view key)
{
    for (const FieldKey& field : kFieldKeys) {
        if (EqualKeys(key, field.key))
            return &field;
    }
    return nullptr;
}

std::string SlotHeader(int slot)
{
    return "[" + std::string(kSlotSection) + " " + std::to_string(slot + 1) + "]";
}

std::string Shown(std::string_view value)
{
    if (value.size() <= kShownValueLength)
        return std::string(value);
    return std::string(value.substr(0, kShownValueLength)) + "...";
}

// The slot a section header names, 0-based: -1 for a section that is no
// slot's, which is ignored so that the format can grow; kMaxServers for a
// slot's section whose number is out of range.
int SlotOfSection(std::string_view name)
{
    if (name.size() < kSlotSection.size() || !EqualKeys(name.substr(0, kSlotSection.size()), kSlotSection))
        return -1;
    int number = 0;
    if (!ParseWhole(Trimmed(name.substr(kSlotSection.size())), number))
        return -1;
    return number >= 1 && number <= kMaxServers ? number - 1 : kMaxServers;
}

// Reads the lines of one set, section by section.
class SetReader {
public:
    SetReader(const ServerSetRules& rules, ServerSetReading& reading) : m_rules(rules), m_reading(reading)
    {
        // A slot has one section at most, so the records never move and the
        // pointers into them stay valid.
        m_records.reserve(kMaxServers);
    }

    // False when the line makes the text no set.
    bool Line(std::string_view line);
    void Finish();

private:
    void StartSection(std::string_view header, std::string_view name);
    void Value(std::string_view key, std::string_view value);

    const ServerSetRules& m_rules;
    ServerSetReading& m_reading;
    bool m_inSection = false;
    std::string m_section;           // as written, for the ignored lines
    ServerConfig* m_server = nullptr;  // the slot whose section is being read, if any
    bool m_keysSeen[kFieldCount] = {};
    ServerConfig* m_slots[kMaxServers] = {};
    std::vector<SlotRecord> m_records;  // each slot's record, in file order
};

bool SetReader::Line(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    line = Trimmed(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return true;
    if (line.front() == '[') {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos)
            return false;
        StartSection(line.substr(0, close + 1), Trimmed(line.substr(1, close - 1)));
        return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !m_inSection)
        return false;
    if (m_server != nullptr)
        Value(Trimmed(line.substr(0, equals)), Unquoted(Trimmed(line.substr(equals + 1))));
    return true;
}

void SetReader::StartSection(std::string_view header, std::string_view name)
{
    m_inSection = true;
    m_section = std::string(header);
    m_server = nullptr;
    const int slot = SlotOfSection(name);
    if (slot < 0)
        return;
    if (slot == kMaxServers) {
        m_reading.ignored.push_back(m_section + ": no slot from 1 to 32");
        return;
    }
    // The first section of a slot counts, as the system's profile functions read it.
    if (m_slots[slot] != nullptr) {
        m_reading.ignored.push_back(m_section + ": a second section for this slot");
        return;
    }
    std::fill(std::begin(m_keysSeen), std::end(m_keysSeen), false);
    m_records.push_back(SlotRecord{slot, ServerConfig()});
    m_server = &m_records.back().config;
    m_slots[slot] = m_server;
}

// Unknown keys are left alone, as is a key given twice after its first.
void SetReader::Value(std::string_view key, std::string_view value)
{
    const FieldKey* field = FindField(key);
    if (field == nullptr || m_keysSeen[field - kFieldKeys])
        return;
    m_keysSeen[field - kFieldKeys] = true;
    if (const char* why = field->read(value, m_rules, *m_server))
        m_reading.ignored.push_back(m_section + " " + field->key + " = " + Shown(value) + ": " + why);
}

// Slot order decides which of two equal names stays, as it decides which
// server a name selects.
void SetReader::Finish()
{
    std::sort(m_records.begin(), m_records.end(),
              [](const SlotRecord& a, const SlotRecord& b) { return a.slot < b.slot; });
    for (SlotRecord& record : m_records) {
        ServerConfig& server = record.config;
        if (server.running != 1) {
            server.process = ProcessRecord{};
            server.processCreated = 0;
        }
        const bool repeated = std::any_of(m_reading.servers.begin(), m_reading.servers.end(),
                                          [&](const SlotRecord& kept) { return EqualNoCase(kept.config.name, server.name); });
        if (repeated)
            m_reading.ignored.push_back(SlotHeader(record.slot) + " name = " + Shown(server.name) +
                                        ": the name of an earlier server, so this server is left out");
        else
            m_reading.servers.push_back(record);
    }
}

}  // namespace

bool ServerSetText(const ServerManager& table, std::string& text)
{
    text = "; A server set: one section per occupied slot, one key per setting\r\n";
    for (int slot = 0; slot < kMaxServers; ++slot) {
        const ServerConfig* server = table.slots[slot];
        if (server == nullptr)
            continue;
        text += "\r\n" + SlotHeader(slot) + "\r\n";
        for (const FieldKey& field : kFieldKeys) {
            if (field.onlyWhileRunning && server->running != 1)
                continue;
            text += field.key;
            text += '=';
            const std::size_t valueStart = text.size();
            field.write(*server, text);
            if (text.find('\n', valueStart) != std::string::npos)
                return false;
            text += "\r\n";
        }
    }
    return true;
}

ServerSetReading ReadServerSetText(std::string_view text, const ServerSetRules& rules)
{
    ServerSetReading reading;
    if (text.find('\0') != std::string_view::npos)
        return reading;
    SetReader reader(rules, reading);
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t lineFeed = text.find('\n');
        const std::string_view line = text.substr(0, lineFeed);
        text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
        if (!reader.Line(line)) {
            reading = ServerSetReading();
            reading.strayLine = lineNumber;
            return reading;
        }
    }
    reader.Finish();
    reading.isSet = true;
    return reading;
}

std::string IgnoredValuesList(const std::vector<std::string>& ignored)
{
    std::string list;
    for (std::size_t i = 0; i < ignored.size() && i < kIgnoredShown; ++i)
        list += ignored[i] + "\n";
    if (ignored.size() > kIgnoredShown)
        list += "... and " + std::to_string(ignored.size() - kIgnoredShown) + " more.\n";
    return list;
}
