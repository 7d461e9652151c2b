#include "framework/file_contents.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/file_replace.h"
#include "framework/paths.h"

namespace {

constexpr int kTempNameAttempts = 16;

// Closes the file also when reading it runs out of memory: a file left open
// would keep the next save from replacing it.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

std::string ErrnoText()
{
    return std::strerror(errno);
}

// A name already taken is skipped for the next one: the clock keeps two runs
// of the tool apart, the counter the names of one run, and the mixing
// spreads both over all eight hex digits.
std::uint32_t NextTempNumber()
{
    static std::uint64_t counter = 0;
    std::uint64_t x = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) +
                      0x9E3779B97F4A7C15ull * ++counter;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>(x ^ (x >> 31));
}

// The temporary file lies in the target's own folder, so that the final move
// stays on one volume and never has to copy. Its name is kept short: a target
// path near the platform's limit still leaves room for it. The file is
// created only where no file of its name exists, in one step, so that a
// file that appears in between is never taken over.
std::FILE* CreateTempBeside(const std::string& target, std::string& tempPath, std::string& failure)
{
    const std::string folder = target.substr(0, target.size() - FileNameOf(target).size());
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "~%08lx.tmp", static_cast<unsigned long>(NextTempNumber()));
        tempPath = folder + name;
        bool nameTaken = false;
        if (std::FILE* file = CreateNewFile(tempPath.c_str(), nameTaken, failure))
            return file;
        if (!nameTaken)
            return nullptr;
    }
    return nullptr;
}

bool WriteWholly(std::FILE* file, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0 &&
           FlushToDisk(file);
}

}  // namespace

std::string FileFailureMessage(const std::string& headline, const std::string& path, const std::string& failure)
{
    std::string text = headline + ":\n" + path + "\n\n" + failure;
    if (!failure.empty() && failure.back() != '.')
        text += '.';
    return text;
}

bool ReadFileContents(const char* path, std::size_t limit, std::string& text, std::string& failure)
{
    text.clear();
    const OpenFile file(std::fopen(path, "rb"));
    if (file == nullptr) {
        failure = ErrnoText();
        return false;
    }
    char chunk[16384];
    while (text.size() < limit) {
        const std::size_t wanted = limit - text.size() < sizeof chunk ? limit - text.size() : sizeof chunk;
        const std::size_t got = std::fread(chunk, 1, wanted, file.get());
        if (got == 0)
            break;
        text.append(chunk, got);
    }
    if (std::ferror(file.get()) != 0) {
        failure = ErrnoText();
        return false;
    }
    return true;
}

bool ReplaceFileContents(const char* path, const std::string& text, std::string& failure)
{
    const std::string target = path;
    std::string tempPath;
    std::FILE* temp = CreateTempBeside(target, tempPath, failure);
    if (temp == nullptr)
        return false;
    bool done = WriteWholly(temp, text);
    if (!done)
        failure = ErrnoText();
    if (std::fclose(temp) != 0 && done) {
        failure = ErrnoText();
        done = false;
    }
    if (done && MoveReplacing(tempPath.c_str(), target.c_str(), failure))
        return true;
    std::remove(tempPath.c_str());
    return false;
}
