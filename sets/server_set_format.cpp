#include "sets/server_set_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "servers/list_values.h"
#include "servers/text_compare.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kSlotSection = "Slot";
constexpr std::size_t kShownValueLength = 40;
constexpr std::size_t kIgnoredShown = 10;

// Quotes of either kind around the whole value are not part of it.
std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

// A value is read without blanks at either end and without a pair of
// quotes around it: one that has either is written in double quotes.
bool ReadsBackAsItself(std::string_view value)
{
    return Trimmed(value) == value && Unquoted(value) == value;
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

// The whole text, and nothing but the text, must be the number; otherwise
// the number is left as it was.
template <typename Number>
bool ParseWhole(std::string_view text, Number& number)
{
    Number parsed = 0;
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, parsed);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return false;
    number = parsed;
    return true;
}

// How a field's value is written and read.
enum class Kind {
    Text,       // in double quotes, any text of the field's size
    Integer,    // any 32-bit number
    Listed,     // one of the numbers its list offers
    Real,       // single precision, written with the digits it needs
    Flag,       // 0 or 1
    GameMode,   // a game mode's keyword
    Address,    // a.b.c.d
    ProcessId,  // the launch's ids and creation time, only while running
    Created,
};

struct FieldDescription {
    const char* key;
    Kind kind;
    char (ServerConfig::*text)[kTextSize] = nullptr;
    std::int32_t ServerConfig::*integer = nullptr;
    std::vector<std::int32_t> ListValues::*allowed = nullptr;
    float ServerConfig::*real = nullptr;
    std::uint8_t ServerConfig::*flag = nullptr;
    std::uint32_t ProcessRecord::*id = nullptr;
};

FieldDescription TextField(const char* key, char (ServerConfig::*field)[kTextSize])
{
    FieldDescription entry{key, Kind::Text};
    entry.text = field;
    return entry;
}

FieldDescription IntegerField(const char* key, std::int32_t ServerConfig::*field, Kind kind = Kind::Integer,
                              std::vector<std::int32_t> ListValues::*allowed = nullptr)
{
    FieldDescription entry{key, kind};
    entry.integer = field;
    entry.allowed = allowed;
    return entry;
}

FieldDescription ListedField(const char* key, std::int32_t ServerConfig::*field,
                             std::vector<std::int32_t> ListValues::*allowed)
{
    return IntegerField(key, field, Kind::Listed, allowed);
}

FieldDescription RealField(const char* key, float ServerConfig::*field)
{
    FieldDescription entry{key, Kind::Real};
    entry.real = field;
    return entry;
}

FieldDescription FlagField(const char* key, std::uint8_t ServerConfig::*field)
{
    FieldDescription entry{key, Kind::Flag};
    entry.flag = field;
    return entry;
}

FieldDescription ProcessIdField(const char* key, std::uint32_t ProcessRecord::*field)
{
    FieldDescription entry{key, Kind::ProcessId};
    entry.id = field;
    return entry;
}

// Every field of the record that a set keeps, in the order it is written.
const FieldDescription kFields[] = {
    TextField("name", &ServerConfig::name),
    TextField("password", &ServerConfig::password),
    IntegerField("port", &ServerConfig::port),
    ListedField("playOn", &ServerConfig::playOn, &ListValues::playOn),
    ListedField("maxPlayers", &ServerConfig::maxPlayers, &ListValues::maxPlayers),
    ListedField("matchTime", &ServerConfig::matchTime, &ListValues::matchTime),
    ListedField("freezeTime", &ServerConfig::freezeTime, &ListValues::freezeTime),
    ListedField("roundTime", &ServerConfig::roundTime, &ListValues::roundTime),
    ListedField("mapTime", &ServerConfig::mapTime, &ListValues::mapTime),
    IntegerField("rankPoints", &ServerConfig::rankPoints),
    RealField("damageMultiplier", &ServerConfig::damageMultiplier),
    RealField("jumpSlowdown", &ServerConfig::jumpSlowdown),
    IntegerField("gameMode", &ServerConfig::gameMode, Kind::GameMode),
    TextField("mapName", &ServerConfig::mapName),
    TextField("rotationFile", &ServerConfig::rotationFile),
    FlagField("useMapRotation", &ServerConfig::useMapRotation),
    ListedField("team1SkinSet", &ServerConfig::team1SkinSet, &ListValues::team1SkinSet),
    ListedField("team2SkinSet", &ServerConfig::team2SkinSet, &ListValues::team2SkinSet),
    FlagField("friendlyFire", &ServerConfig::friendlyFire),
    FlagField("dedicated", &ServerConfig::dedicated),
    FlagField("respawn", &ServerConfig::respawn),
    FlagField("spectateAll", &ServerConfig::spectateAll),
    FlagField("immediatePlay", &ServerConfig::immediatePlay),
    FlagField("allowShadows", &ServerConfig::allowShadows),
    FlagField("pure", &ServerConfig::pure),
    FlagField("hash", &ServerConfig::hash),
    FlagField("antiCheat", &ServerConfig::antiCheat),
    FlagField("openChat", &ServerConfig::openChat),
    FlagField("minimize", &ServerConfig::minimize),
    FlagField("useExternIp", &ServerConfig::useExternIp),
    FieldDescription{"externIp", Kind::Address},
    FlagField("running", &ServerConfig::running),
    ProcessIdField("processId", &ProcessRecord::dwProcessId),
    ProcessIdField("threadId", &ProcessRecord::dwThreadId),
    FieldDescription{"processCreated", Kind::Created},
};
constexpr std::size_t kFieldCount = sizeof kFields / sizeof kFields[0];

const FieldDescription* FindField(std::string_view key)
{
    for (const FieldDescription& field : kFields) {
        if (EqualKeys(key, field.key))
            return &field;
    }
    return nullptr;
}

bool OnlyWhileRunning(const FieldDescription& field)
{
    return field.kind == Kind::ProcessId || field.kind == Kind::Created;
}

void WriteValue(const FieldDescription& field, const ServerConfig& server, std::string& out)
{
    char number[32];
    switch (field.kind) {
    case Kind::Text:
        out += '"';
        out += server.*field.text;
        out += '"';
        return;
    case Kind::Integer:
    case Kind::Listed:
        out += std::to_string(server.*field.integer);
        return;
    case Kind::Real:
        // Nine significant digits bring every single-precision value back.
        std::snprintf(number, sizeof number, "%.9g", static_cast<double>(server.*field.real));
        out += number;
        return;
    case Kind::Flag:
        // Flags count as set only when they hold 1.
        out += server.*field.flag == 1 ? '1' : '0';
        return;
    case Kind::GameMode:
        if (server.gameMode >= 0 && server.gameMode < kGameModeCount)
            out += kGameModes[server.gameMode];
        return;
    case Kind::Address:
        std::snprintf(number, sizeof number, "%u.%u.%u.%u", server.externIp[0], server.externIp[1],
                      server.externIp[2], server.externIp[3]);
        out += number;
        return;
    case Kind::ProcessId:
        out += std::to_string(server.process.*field.id);
        return;
    case Kind::Created:
        out += std::to_string(server.processCreated);
        return;
    }
}

const char* ReadAddress(std::string_view value, std::uint8_t (&address)[4])
{
    std::uint8_t octets[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? value.find('.') : value.size();
        if (dot == std::string_view::npos || !ParseWhole(value.substr(0, dot), octets[i]))
            return "not an address of four numbers from 0 to 255";
        value.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    std::copy(std::begin(octets), std::end(octets), address);
    return nullptr;
}

// The tool never changes the C library's locale, so the decimal point is
// always a full stop.
bool ParseReal(std::string_view value, float& number)
{
    const std::string text(value);
    char* end = nullptr;
    number = std::strtof(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
}

// Stores a value it takes and answers null; otherwise leaves the field
// alone and answers why not.
const char* ReadValue(const FieldDescription& field, std::string_view value, ServerConfig& server)
{
    constexpr const char* kNoNumber = "not a whole number the setting can hold";
    switch (field.kind) {
    case Kind::Text:
        if (value.size() >= kTextSize)
            return "longer than 255 characters";
        value.copy(server.*field.text, value.size());
        (server.*field.text)[value.size()] = '\0';
        return nullptr;
    case Kind::Integer:
        return ParseWhole(value, server.*field.integer) ? nullptr : kNoNumber;
    case Kind::Listed: {
        const std::vector<std::int32_t>& allowed = kListValues.*field.allowed;
        std::int32_t number = 0;
        if (!ParseWhole(value, number) || std::find(allowed.begin(), allowed.end(), number) == allowed.end())
            return "not one of its list's values";
        server.*field.integer = number;
        return nullptr;
    }
    case Kind::Real: {
        float number = 0;
        if (!ParseReal(value, number))
            return "not a number";
        server.*field.real = number;
        return nullptr;
    }
    case Kind::Flag: {
        bool on = false;
        if (const char* why = ReadSetFlag(value, on))
            return why;
        server.*field.flag = on ? 1 : 0;
        return nullptr;
    }
    case Kind::GameMode:
        for (int mode = 0; mode < kGameModeCount; ++mode) {
            if (EqualKeys(value, kGameModes[mode])) {
                server.gameMode = mode;
                return nullptr;
            }
        }
        return "no game mode's keyword";
    case Kind::Address:
        return ReadAddress(value, server.externIp);
    case Kind::ProcessId:
        return ParseWhole(value, server.process.*field.id) ? nullptr : kNoNumber;
    case Kind::Created:
        return ParseWhole(value, server.processCreated) ? nullptr : kNoNumber;
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
    explicit SetReader(ServerSetReading& reading) : m_reading(reading)
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
    void StartOtherSection(std::string_view name);
    void Value(std::string_view key, std::string_view value);

    ServerSetReading& m_reading;
    bool m_inSection = false;
    std::string m_section;           // as written, for the ignored lines
    ServerConfig* m_server = nullptr;  // the slot whose section is being read, if any
    SetSection* m_other = nullptr;     // or the other section, if its first
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
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Unquoted(Trimmed(line.substr(equals + 1)));
    if (m_server != nullptr)
        Value(key, value);
    else if (m_other != nullptr)
        m_other->values.emplace_back(key, value);
    return true;
}

void SetReader::StartSection(std::string_view header, std::string_view name)
{
    m_inSection = true;
    m_section = std::string(header);
    m_server = nullptr;
    m_other = nullptr;
    const int slot = SlotOfSection(name);
    if (slot < 0) {
        StartOtherSection(name);
        return;
    }
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

void SetReader::StartOtherSection(std::string_view name)
{
    if (FindSection(m_reading.sections, name) != nullptr)
        return;
    m_reading.sections.push_back(SetSection{std::string(name), {}});
    m_other = &m_reading.sections.back();
}

// Unknown keys are left alone, as is a key given twice after its first.
void SetReader::Value(std::string_view key, std::string_view value)
{
    const FieldDescription* field = FindField(key);
    if (field == nullptr || m_keysSeen[field - kFields])
        return;
    m_keysSeen[field - kFields] = true;
    if (const char* why = ReadValue(*field, value, *m_server))
        m_reading.ignored.push_back(IgnoredValueLine(m_section, field->key, value, why));
}

// Slot order decides which of two equal names stays, as it decides which
// server a name selects.
void SetReader::Finish()
{
    std::sort(m_records.begin(), m_records.end(),
              [](const SlotRecord& a, const SlotRecord& b) { return a.slot < b.slot; });
    for (SlotRecord& record : m_records) {
        ServerConfig& server = record.config;
        if (server.running != 1)
            server.ForgetProcess();
        const bool repeated = std::any_of(m_reading.servers.begin(), m_reading.servers.end(),
                                          [&](const SlotRecord& kept) { return EqualNoCase(kept.config.name, server.name); });
        if (repeated)
            m_reading.ignored.push_back(IgnoredValueLine(SlotHeader(record.slot), "name", server.name,
                                                         "the name of an earlier server, so this server is left out"));
        else
            m_reading.servers.push_back(record);
    }
}

}  // namespace

const char* ReadSetFlag(std::string_view value, bool& flag)
{
    if (value != "0" && value != "1")
        return "not 0 or 1";
    flag = value == "1";
    return nullptr;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return std::string_view();
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

std::string IgnoredValueLine(const std::string& header, std::string_view key, std::string_view value,
                             std::string_view why)
{
    return header + " " + std::string(key) + " = " + Shown(value) + ": " + std::string(why);
}

const SetSection* FindSection(const std::vector<SetSection>& sections, std::string_view name)
{
    for (const SetSection& section : sections) {
        if (EqualKeys(section.name, name))
            return &section;
    }
    return nullptr;
}

const std::string* SetSection::Find(std::string_view key) const
{
    for (const auto& [name, value] : values) {
        if (EqualKeys(name, key))
            return &value;
    }
    return nullptr;
}

bool ServerSetText(const ServerManager& table, const std::vector<SetSection>& sections, std::string& text)
{
    text = "; A server set: one section per occupied slot, one key per setting\r\n";
    for (int slot = 0; slot < kMaxServers; ++slot) {
        const ServerConfig* server = table.slots[slot];
        if (server == nullptr)
            continue;
        text += "\r\n" + SlotHeader(slot) + "\r\n";
        for (const FieldDescription& field : kFields) {
            if (OnlyWhileRunning(field) && server->running != 1)
                continue;
            text += field.key;
            text += '=';
            const std::size_t valueStart = text.size();
            WriteValue(field, *server, text);
            if (text.find('\n', valueStart) != std::string::npos)
                return false;
            text += "\r\n";
        }
    }
    for (const SetSection& section : sections) {
        text += "\r\n[" + section.name + "]\r\n";
        for (const auto& [key, value] : section.values) {
            if (value.find('\n') != std::string::npos)
                return false;
            text += key + "=" + (ReadsBackAsItself(value) ? value : '"' + value + '"') + "\r\n";
        }
    }
    return true;
}

ServerSetReading ReadServerSetText(std::string_view text)
{
    ServerSetReading reading;
    if (text.find('\0') != std::string_view::npos) {
        reading.holdsNul = true;
        return reading;
    }
    SetReader reader(reading);
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
