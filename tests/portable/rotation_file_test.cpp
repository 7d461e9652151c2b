#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "framework/file_replace.h"
#include "rotation/rotation_file.h"
#include "tests/file_bytes.h"

namespace fs = std::filesystem;

namespace {

// For the cases that do not look at why a write failed.
bool WriteRotation(const char* path, const std::vector<std::string>& entries)
{
    std::string failure;
    return ::WriteRotation(path, entries, failure);
}

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.
class TempFolder {
public:
    TempFolder()
    {
        std::mt19937_64 names(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        for (;;) {
            path_ = fs::temp_directory_path() / ("qyr_rotation_test_" + std::to_string(names()));
            if (fs::create_directory(path_))
                break;
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

std::vector<std::string> ReadText(const TempFolder& folder, std::string_view bytes)
{
    const std::string path = folder.File("in.map");
    WriteFileBytes(path, bytes);
    return ReadRotation(path.c_str());
}

using Entries = std::vector<std::string>;

}  // namespace

TEST(RotationWrite, WritesEachEntryAsOneCrLfLineAndNothingElse)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    ASSERT_TRUE(WriteRotation(path.c_str(), {"Fallout\\Dunes", "TeamEscape\\Canyon"}));
    EXPECT_EQ(ReadFileBytes(path), "Map = Fallout\\Dunes;\r\nMap = TeamEscape\\Canyon;\r\n");
    EXPECT_EQ(ReadRotation(path.c_str()), (Entries{"Fallout\\Dunes", "TeamEscape\\Canyon"}));

    ASSERT_TRUE(WriteRotation(path.c_str(), {"TeamDeathMatch\\Harbour"}));
    EXPECT_EQ(ReadFileBytes(path).size(), 31u);
    EXPECT_EQ(folder.Names(), Entries{"r.map"});
}

TEST(RotationWrite, NoEntriesEmptyAnExistingFile)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    WriteFileBytes(path, "Map = Fallout\\Dunes;\r\n");
    ASSERT_TRUE(WriteRotation(path.c_str(), {}));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_TRUE(ReadRotation(path.c_str()).empty());
}

TEST(RotationWrite, EntriesAreWrittenAsTheyAreAndReadBackByTheRule)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    ASSERT_TRUE(WriteRotation(path.c_str(), {"  Fallout\\Dunes", "A\\B;C", "", "A\\B "}));
    EXPECT_EQ(ReadFileBytes(path), "Map =   Fallout\\Dunes;\r\nMap = A\\B;C;\r\nMap = ;\r\nMap = A\\B ;\r\n");
    EXPECT_EQ(ReadRotation(path.c_str()), (Entries{"Fallout\\Dunes", "A\\B", "", "A\\B "}));
}

TEST(RotationWrite, AnEntryWithALineFeedFailsTheWriteAndChangesNothing)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    WriteFileBytes(path, "old");
    EXPECT_FALSE(WriteRotation(path.c_str(), {"Fallout\\Dunes", "Team\nEscape"}));
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(folder.Names(), Entries{"r.map"});
}

TEST(RotationParse, WrittenFormAndItsVariants)
{
    EXPECT_EQ(ParseRotationLine("Map = TeamEscape\\Canyon;\r\n"), "TeamEscape\\Canyon");
    EXPECT_EQ(ParseRotationLine("Map =    Fallout\\Dunes;\r\n"), "Fallout\\Dunes");
    EXPECT_EQ(ParseRotationLine("Map=TeamEscape\\Canyon;\r\n"), "TeamEscape\\Canyon");
    EXPECT_EQ(ParseRotationLine("Map = A\\B;C;\r\n"), "A\\B");
    EXPECT_EQ(ParseRotationLine("Map = A\\B ;\r\n"), "A\\B ");
    // The key is not examined.
    EXPECT_EQ(ParseRotationLine("= X;"), "X");
    EXPECT_EQ(ParseRotationLine("Level = X;"), "X");
    EXPECT_EQ(ParseRotationLine("a=b=c;"), "b=c");
    // Only spaces are blanks.
    EXPECT_EQ(ParseRotationLine("Map =\tX;"), "\tX");
}

TEST(RotationParse, LineEndNeverBelongsToTheEntry)
{
    EXPECT_EQ(ParseRotationLine("Map = Fallout\\Dunes\r\n"), "Fallout\\Dunes");
    EXPECT_EQ(ParseRotationLine("Map = Fallout\\Dunes\n"), "Fallout\\Dunes");
    EXPECT_EQ(ParseRotationLine("Map = Fallout\\Dunes"), "Fallout\\Dunes");
    EXPECT_EQ(ParseRotationLine("Map = A\\B \r\n"), "A\\B ");
    EXPECT_EQ(ParseRotationLine("Map = \r\n"), "");
    EXPECT_EQ(ParseRotationLine("Map =\n"), "");
    // Only the first line counts, whatever follows it.
    EXPECT_EQ(ParseRotationLine("Map = A\r\nMap = B;"), "A");
    EXPECT_EQ(ParseRotationLine("Map\n= B;"), "");
    // A CR that is not directly before the LF is text.
    EXPECT_EQ(ParseRotationLine("Map = A\rB\r\n"), "A\rB");
}

TEST(RotationParse, LinesWithoutAnEntryGiveAnEmptyOne)
{
    EXPECT_EQ(ParseRotationLine("Map TeamEscape\\Canyon;\r\n"), "");
    EXPECT_EQ(ParseRotationLine("\n"), "");
    EXPECT_EQ(ParseRotationLine(""), "");
    EXPECT_EQ(ParseRotationLine("Map ="), "");
    EXPECT_EQ(ParseRotationLine("Map =   "), "");
    EXPECT_EQ(ParseRotationLine("Map = ;X\r\n"), "");
}

// How a line reads is RotationParse's; here, that each line of a file,
// whatever its end, gives one entry.
TEST(RotationRead, EveryLineGivesExactlyOneEntry)
{
    TempFolder folder;
    EXPECT_EQ(ReadText(folder,
                       "Map = TeamEscape\\Canyon;\r\n"
                       "Map = A\\B;C;\n"
                       "no equals sign\r\n"
                       "\n"
                       "\r\n"
                       "Map = Fallout\\Dunes"),
              (Entries{"TeamEscape\\Canyon", "A\\B", "", "", "", "Fallout\\Dunes"}));
}

TEST(RotationRead, LineCountAtTheEndsOfTheFile)
{
    TempFolder folder;
    EXPECT_EQ(ReadText(folder, ""), Entries{});
    EXPECT_EQ(ReadText(folder, "\n"), Entries{""});
    EXPECT_EQ(ReadText(folder, "\n\n"), (Entries{"", ""}));
    EXPECT_EQ(ReadText(folder, "Map = A;"), Entries{"A"});
    EXPECT_EQ(ReadText(folder, "Map = A\r\nMap = B"), (Entries{"A", "B"}));
    EXPECT_EQ(ReadText(folder, "Map = A\r\n\r\n"), (Entries{"A", ""}));
    // Without its LF, a last CR is no line end.
    EXPECT_EQ(ReadText(folder, "Map = A\r"), Entries{"A\r"});
    // A zero byte is an ordinary character of its line.
    EXPECT_EQ(ReadText(folder, std::string_view("Map = A\0B;\n", 11)), Entries{std::string("A\0B", 3)});
}

TEST(RotationRead, LongLinesAreReadWhole)
{
    TempFolder folder;
    const std::string huge(100000, 'h');
    EXPECT_EQ(ReadText(folder, "Map = " + huge + "\r\nMap = " + huge + ";"), (Entries{huge, huge}));
}

TEST(RotationRead, EntriesOfEveryEditorLengthComeBackUnchanged)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    Entries entries;
    for (std::size_t length = 0; length <= 255; ++length) {
        std::string entry;
        for (std::size_t i = 0; i < length; ++i)
            entry += static_cast<char>('!' + (length + i) % 26);  // printable, never ';' or blank
        entries.push_back(entry);
    }
    ASSERT_TRUE(WriteRotation(path.c_str(), entries));
    EXPECT_EQ(ReadRotation(path.c_str()), entries);
}

TEST(RotationRead, WhatCannotBeReadGivesNoEntries)
{
    TempFolder folder;
    EXPECT_TRUE(ReadRotation(folder.File("missing.map").c_str()).empty());
    EXPECT_TRUE(ReadRotation(folder.File("no/such/folder/r.map").c_str()).empty());
    EXPECT_TRUE(ReadRotation(folder.Path().string().c_str()).empty());
}

TEST(RotationWriteFailure, MissingFolderCreatesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(WriteRotation(folder.File("missing/r.map").c_str(), {"Fallout\\Dunes"}));
    EXPECT_TRUE(folder.Names().empty());
}

// The temporary file beside the target is made only where nothing of its
// name is: a file put there in between by anyone is never taken over.
TEST(RotationWriteFailure, TemporaryFileNeverTakesOverAFileThatIsThere)
{
    TempFolder folder;
    WriteFileBytes(folder.File("~t.tmp"), "kept");
    bool nameTaken = false;
    std::string failure;
    EXPECT_EQ(CreateNewFile(folder.File("~t.tmp").c_str(), nameTaken, failure), nullptr);
    EXPECT_TRUE(nameTaken) << failure;
    EXPECT_EQ(ReadFileBytes(folder.File("~t.tmp")), "kept");
}

// The temporary file is complete when the replacement fails: it has to go.
TEST(RotationWriteFailure, TargetThatCannotBeReplacedStaysAndTheTemporaryFileGoes)
{
    TempFolder folder;
    const std::string target = folder.File("r.map");
    fs::create_directory(target);
    WriteFileBytes(folder.File("r.map/inside.txt"), "kept");
    EXPECT_FALSE(WriteRotation(target.c_str(), {"Fallout\\Dunes"}));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadFileBytes(folder.File("r.map/inside.txt")), "kept");
    EXPECT_EQ(folder.Names(), Entries{"r.map"});
}

// Windows refuses to replace a read-only file; POSIX asks the folder, not the
// file, so there the write goes through, just as it does for an editor.
TEST(RotationWriteFailure, ReadOnlyTarget)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    WriteFileBytes(path, "Map = Fallout\\Dunes;\r\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool written = WriteRotation(path.c_str(), {"TeamEscape\\Canyon"});
#ifdef _WIN32
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(path), "Map = Fallout\\Dunes;\r\n");
#else
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadFileBytes(path), "Map = TeamEscape\\Canyon;\r\n");
#endif
    EXPECT_EQ(folder.Names(), Entries{"r.map"});
}

namespace {

constexpr std::uint32_t kSeed = 4242;

// Bytes that matter to the format come up far more often than chance would
// have them.
char RandomByte(std::mt19937& random)
{
    static constexpr char kSpecial[] = {'=', ';', ' ', '\r', '\n', '\t', '\\', 'M', '\0'};
    const std::uint32_t pick = random() % 3;
    if (pick == 0)
        return kSpecial[random() % sizeof kSpecial];
    return static_cast<char>(random() % 256);
}

// What the rule allows as an entry that comes back unchanged: no LF, no ";",
// no leading blank.
std::string RandomEntry(std::mt19937& random)
{
    const std::size_t length = random() % 8 == 0 ? random() % 1000 : random() % 256;
    std::string entry;
    while (entry.size() < length) {
        const char c = RandomByte(random);
        if (c != '\n' && c != ';' && !(entry.empty() && c == ' '))
            entry += c;
    }
    return entry;
}

std::string RandomGarbage(std::mt19937& random, std::size_t maxLength)
{
    std::string text(random() % (maxLength + 1), '\0');
    for (char& c : text)
        c = RandomByte(random);
    return text;
}

// Checks an entry against the line it came from without deriving it again:
// it must sit after the first "=" with only blanks before it, end at the
// first ";" or at the line end, and hold no LF, no ";" and no leading blank.
// Returns what is wrong, or nothing.
std::string EntryProblem(std::string_view line, const std::string& entry)
{
    const std::size_t lineFeed = line.find('\n');
    if (lineFeed != std::string_view::npos) {
        line = line.substr(0, lineFeed);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    }
    if (entry.find_first_of("\n;") != std::string::npos)
        return "LF or ';' in the entry";
    if (!entry.empty() && entry[0] == ' ')
        return "leading blank kept";
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return entry.empty() ? "" : "entry from a line without '='";
    std::size_t start = equals + 1;
    while (start < line.size() && line[start] == ' ')
        ++start;
    if (line.substr(start, entry.size()) != entry)
        return "entry is not the text after the blanks";
    const std::size_t end = start + entry.size();
    if (end != line.size() && line[end] != ';')
        return "entry stops before the first ';' or the line end";
    return "";
}

}  // namespace

TEST(RotationRandom, GarbageLinesGiveEntriesThatObeyTheRule)
{
    std::mt19937 random(kSeed);
    for (int i = 0; i < 100000; ++i) {
        std::string line = RandomGarbage(random, 60);
        if (random() % 2 == 0)
            line.insert(0, "Map = ");
        const std::string entry = ParseRotationLine(line);
        ASSERT_EQ(EntryProblem(line, entry), "") << "seed " << kSeed << ", case " << i;
        ASSERT_EQ(ParseRotationLine("Map = " + entry + ";\r\n"), entry) << "seed " << kSeed << ", case " << i;
    }
}

TEST(RotationRandom, GarbageFilesReadAsOneEntryPerLineAndSurviveAWriteBack)
{
    TempFolder folder;
    const std::string in = folder.File("in.map");
    const std::string out = folder.File("out.map");
    std::mt19937 random(kSeed);
    for (int i = 0; i < 200; ++i) {
        const std::string bytes = RandomGarbage(random, 5000);
        WriteFileBytes(in, bytes);
        const Entries entries = ReadRotation(in.c_str());

        std::vector<std::string_view> lines;
        for (std::string_view rest = bytes; !rest.empty();) {
            const std::size_t length = std::min(rest.find('\n'), rest.size() - 1) + 1;
            lines.push_back(rest.substr(0, length));
            rest.remove_prefix(length);
        }
        ASSERT_EQ(entries.size(), lines.size()) << "seed " << kSeed << ", file " << i;
        for (std::size_t n = 0; n < lines.size(); ++n)
            ASSERT_EQ(EntryProblem(lines[n], entries[n]), "") << "seed " << kSeed << ", file " << i << ", line " << n;

        ASSERT_TRUE(WriteRotation(out.c_str(), entries));
        ASSERT_EQ(ReadRotation(out.c_str()), entries) << "seed " << kSeed << ", file " << i;
    }
}

TEST(RotationRandom, RandomRotationsComeBackUnchanged)
{
    TempFolder folder;
    const std::string path = folder.File("r.map");
    std::mt19937 random(kSeed);
    std::size_t entriesTried = 0;
    for (int file = 0; entriesTried < 100000; ++file) {
        Entries entries(random() % 2000);
        for (std::string& entry : entries)
            entry = RandomEntry(random);
        ASSERT_TRUE(WriteRotation(path.c_str(), entries)) << "seed " << kSeed << ", file " << file;
        ASSERT_EQ(ReadRotation(path.c_str()), entries) << "seed " << kSeed << ", file " << file;
        entriesTried += entries.size();
    }
    EXPECT_EQ(folder.Names(), Entries{"r.map"});
}
