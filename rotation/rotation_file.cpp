#include "rotation/rotation_file.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "rotation/replace_file.h"

namespace {

#ifdef _WIN32
constexpr const char* kPathSeparators = "\\/:";
#else
constexpr const char* kPathSeparators = "/";
#endif

constexpr int kTempNameAttempts = 16;

bool HoldsLineFeed(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        if (entry.find('\n') != std::string::npos)
            return true;
    }
    return false;
}

std::string RotationText(const std::vector<std::string>& entries)
{
    static constexpr std::string_view kLineStart = "Map = ";
    static constexpr std::string_view kLineEnd = ";\r\n";
    std::size_t size = 0;
    for (const std::string& entry : entries)
        size += kLineStart.size() + entry.size() + kLineEnd.size();
    std::string text;
    text.reserve(size);
    for (const std::string& entry : entries) {
        text += kLineStart;
        text += entry;
        text += kLineEnd;
    }
    return text;
}

// Names need only differ from files already in the folder, which the caller
// checks for: the clock keeps two runs of the tool apart, the counter the
// names of one run, and the mixing spreads both over all eight hex digits.
std::uint32_t NextTempNumber()
{
    static std::uint64_t counter = 0;
    std::uint64_t x = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) +
                      0x9E3779B97F4A7C15ull * ++counter;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>(x ^ (x >> 31));
}

// Closes the file also when reading it runs out of memory: a file left open
// would keep the next save from replacing it.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

bool FileExists(const std::string& path)
{
    return OpenFile(std::fopen(path.c_str(), "rb")) != nullptr;
}

// The temporary file lies in the target's own folder, so that the final move
// stays on one volume and never has to copy. Its name is kept short: a target
// path near the platform's limit still leaves room for it.
std::FILE* CreateTempBeside(const std::string& target, std::string& tempPath)
{
    const std::size_t separator = target.find_last_of(kPathSeparators);
    const std::string folder = separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "~%08lx.tmp", static_cast<unsigned long>(NextTempNumber()));
        tempPath = folder + name;
        if (!FileExists(tempPath))
            return std::fopen(tempPath.c_str(), "wb");
    }
    return nullptr;
}

bool WriteWholly(std::FILE* file, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0 &&
           FlushToDisk(file);
}

}  // namespace

std::string ParseRotationLine(std::string_view line)
{
    const std::size_t lineFeed = line.find('\n');
    if (lineFeed != std::string_view::npos) {
        line = line.substr(0, lineFeed);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::string();
    // Only the space is a blank here; a tab belongs to the entry.
    const std::size_t start = line.find_first_not_of(' ', equals + 1);
    if (start == std::string_view::npos)
        return std::string();
    const std::size_t semicolon = line.find(';', start);
    return std::string(line.substr(start, semicolon == std::string_view::npos ? line.npos : semicolon - start));
}

// The file is read in binary mode and split at each LF here, so the line end
// is the same on every platform and no line is ever cut into pieces. A last
// line without a line end still gives its entry; the LF that ends the file
// does not start another.
std::vector<std::string> ReadRotation(const char* path)
{
    std::string text;
    {
        const OpenFile file(std::fopen(path, "rb"));
        if (file == nullptr)
            return {};
        char chunk[16384];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
            text.append(chunk, got);
        // Half a rotation would be written back as the whole one.
        if (std::ferror(file.get()) != 0)
            return {};
    }

    std::vector<std::string> entries;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t lineFeed = rest.find('\n');
        const std::size_t lineLength = lineFeed == std::string_view::npos ? rest.size() : lineFeed + 1;
        entries.push_back(ParseRotationLine(rest.substr(0, lineLength)));
        rest.remove_prefix(lineLength);
    }
    return entries;
}

// Written in binary mode with the CR LF put in by hand, so the bytes on disk
// are the same whatever the platform's text mode does. The text is composed
// before the temporary file exists, so that running out of memory leaves no
// file behind.
bool WriteRotation(const char* path, const std::vector<std::string>& entries)
{
    if (HoldsLineFeed(entries))
        return false;
    const std::string text = RotationText(entries);
    const std::string target = path;
    std::string tempPath;
    std::FILE* temp = CreateTempBeside(target, tempPath);
    if (temp == nullptr)
        return false;
    const bool written = WriteWholly(temp, text);
    const bool closed = std::fclose(temp) == 0;
    if (written && closed && MoveReplacing(tempPath.c_str(), target.c_str()))
        return true;
    std::remove(tempPath.c_str());
    return false;
}
