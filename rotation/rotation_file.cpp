#include "rotation/rotation_file.h"

#include "framework/file_contents.h"

namespace {

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
    std::string failure;
    // Half a rotation would be written back as the whole one.
    if (!ReadFileContents(path, text.max_size(), text, failure))
        return {};

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
bool WriteRotation(const char* path, const std::vector<std::string>& entries, std::string& failure)
{
    if (HoldsLineFeed(entries)) {
        failure = "An entry holds a line break, which a line of the file cannot keep";
        return false;
    }
    return ReplaceFileContents(path, RotationText(entries), failure);
}
