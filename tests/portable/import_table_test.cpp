// The import-table reader over small executable images laid out here byte by
// byte, whole and damaged, and the list of DLLs that count as Windows' own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/imports/import_table.h"
#include "tests/imports/windows_dlls.h"

namespace {

constexpr std::uint32_t kNewHeader = 0x40;
constexpr std::uint32_t kFileHeader = kNewHeader + 4;
constexpr std::uint32_t kOptionalHeader = kFileHeader + 20;
constexpr std::uint32_t kDirectoryCount = 16;
constexpr std::uint32_t kDataOffset = 0x200;  // where the one section lies in the file
constexpr std::uint32_t kDataAddress = 0x1000;
constexpr std::uint32_t kAddressTable = 0x3000;  // never read, only required to be there

void Put16(std::vector<unsigned char>& image, std::uint64_t at, std::uint32_t value)
{
    image[at] = static_cast<unsigned char>(value);
    image[at + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(std::vector<unsigned char>& image, std::uint64_t at, std::uint32_t value)
{
    Put16(image, at, value & 0xFFFF);
    Put16(image, at + 2, value >> 16);
}

// One section holding the names, then the import descriptors with their
// end marker, then the delay-load descriptors with theirs. The section ends
// the file, so that every cut of the file cuts into it.
struct Layout {
    bool wide = true;  // 64-bit optional header
    std::vector<std::string> imports;
    std::vector<std::string> delayImports;
    std::uint32_t delayAttributes = 1;
};

struct Image {
    std::vector<unsigned char> bytes;
    std::uint32_t directories = 0;  // file offsets
    std::uint32_t sectionHeader = 0;
    std::uint32_t importDescriptors = 0;
    std::uint32_t delayDescriptors = 0;
    std::vector<std::uint32_t> names;

    static std::uint32_t AddressOf(std::uint32_t fileOffset) { return fileOffset - kDataOffset + kDataAddress; }
};

Image Build(const Layout& layout)
{
    Image image;
    const std::uint32_t directoriesAt = layout.wide ? 112 : 96;
    const std::uint32_t optionalSize = directoriesAt + kDirectoryCount * 8;
    image.directories = kOptionalHeader + directoriesAt;
    image.sectionHeader = kOptionalHeader + optionalSize;

    std::string names;
    std::vector<std::uint32_t> nameAddresses;
    for (const auto* list : {&layout.imports, &layout.delayImports}) {
        for (const std::string& name : *list) {
            image.names.push_back(kDataOffset + static_cast<std::uint32_t>(names.size()));
            nameAddresses.push_back(Image::AddressOf(image.names.back()));
            names += name + '\0';
        }
    }
    image.importDescriptors = kDataOffset + static_cast<std::uint32_t>(names.size());
    const std::uint32_t importSize = static_cast<std::uint32_t>(layout.imports.size() + 1) * 20;
    image.delayDescriptors = image.importDescriptors + importSize;
    const std::uint32_t delaySize = static_cast<std::uint32_t>(layout.delayImports.size() + 1) * 32;
    const std::uint32_t end = image.delayDescriptors + delaySize;

    std::vector<unsigned char>& b = image.bytes;
    b.assign(end, 0);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, kNewHeader);
    b[kNewHeader] = 'P';
    b[kNewHeader + 1] = 'E';
    Put16(b, kFileHeader, layout.wide ? 0x8664 : 0x14C);
    Put16(b, kFileHeader + 2, 1);
    Put16(b, kFileHeader + 16, optionalSize);
    Put16(b, kOptionalHeader, layout.wide ? 0x20B : 0x10B);
    Put32(b, kOptionalHeader + directoriesAt - 4, kDirectoryCount);
    if (!layout.imports.empty())
        Put32(b, image.directories + 8, Image::AddressOf(image.importDescriptors));
    if (!layout.delayImports.empty())
        Put32(b, image.directories + 13 * 8, Image::AddressOf(image.delayDescriptors));

    std::copy(names.begin(), names.end(), b.begin() + kDataOffset);
    std::size_t name = 0;
    for (std::size_t i = 0; i < layout.imports.size(); ++i) {
        const std::uint32_t at = image.importDescriptors + static_cast<std::uint32_t>(i) * 20;
        Put32(b, at + 12, nameAddresses[name++]);
        Put32(b, at + 16, kAddressTable);
    }
    for (std::size_t i = 0; i < layout.delayImports.size(); ++i) {
        const std::uint32_t at = image.delayDescriptors + static_cast<std::uint32_t>(i) * 32;
        Put32(b, at, layout.delayAttributes);
        Put32(b, at + 4, nameAddresses[name++]);
    }

    const std::uint32_t section = image.sectionHeader;
    std::copy_n(".idata", 6, b.begin() + section);
    Put32(b, section + 8, end - kDataOffset);
    Put32(b, section + 12, kDataAddress);
    Put32(b, section + 16, end - kDataOffset);
    Put32(b, section + 20, kDataOffset);
    return image;
}

const Layout kToolLike = {true, {"COMCTL32.dll", "KERNEL32.dll", "msvcrt.dll", "USER32.dll"}, {"comdlg32.dll"}, 1};

TEST(ImportTable, ListsImportsThenDelayLoadsInTableOrder)
{
    const ImportedDlls dlls = ReadImportedDlls(Build(kToolLike).bytes);
    ASSERT_TRUE(dlls.ok()) << dlls.error;
    EXPECT_EQ(dlls.names,
              (std::vector<std::string>{"COMCTL32.dll", "KERNEL32.dll", "msvcrt.dll", "USER32.dll", "comdlg32.dll"}));
}

TEST(ImportTable, ReadsThe32BitHeaderAlike)
{
    Layout layout = kToolLike;
    layout.wide = false;
    const ImportedDlls dlls = ReadImportedDlls(Build(layout).bytes);
    ASSERT_TRUE(dlls.ok()) << dlls.error;
    EXPECT_EQ(dlls.names.size(), 5u);
}

TEST(ImportTable, ProgramWithoutTablesNeedsNothing)
{
    const ImportedDlls none = ReadImportedDlls(Build(Layout{}).bytes);
    ASSERT_TRUE(none.ok()) << none.error;
    EXPECT_TRUE(none.names.empty());

    // Directories beyond the count the header gives do not exist, whatever
    // bytes stand where they would be.
    Image image = Build(kToolLike);
    Put32(image.bytes, image.directories - 4, 1);
    const ImportedDlls uncounted = ReadImportedDlls(image.bytes);
    ASSERT_TRUE(uncounted.ok()) << uncounted.error;
    EXPECT_TRUE(uncounted.names.empty());
}

TEST(ImportTable, EndsWhereTheLoaderEnds)
{
    // A descriptor without an address table ends the table even though it
    // names a DLL, and so does one without a name.
    Image image = Build(kToolLike);
    Put32(image.bytes, image.importDescriptors + 20 + 16, 0);
    EXPECT_EQ(ReadImportedDlls(image.bytes).names,
              (std::vector<std::string>{"COMCTL32.dll", "comdlg32.dll"}));

    image = Build(kToolLike);
    Put32(image.bytes, image.importDescriptors + 2 * 20 + 12, 0);
    EXPECT_EQ(ReadImportedDlls(image.bytes).names,
              (std::vector<std::string>{"COMCTL32.dll", "KERNEL32.dll", "comdlg32.dll"}));
}

TEST(ImportTable, EveryCutOfTheFileIsRefused)
{
    const std::vector<unsigned char> whole = Build(kToolLike).bytes;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        // An exact-size copy, so that the sanitizer sees any read past it.
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
        const ImportedDlls dlls = ReadImportedDlls(cut);
        EXPECT_FALSE(dlls.ok()) << "cut to " << size << " bytes";
        EXPECT_TRUE(dlls.names.empty()) << "cut to " << size << " bytes";
    }
}

std::uint32_t End(const Image& image)
{
    return static_cast<std::uint32_t>(image.bytes.size());
}

struct Damage {
    const char* what;
    std::function<void(Image&)> apply;
};

TEST(ImportTable, DamagedFilesAreRefusedWithNoNames)
{
    const Damage damages[] = {
        {"no MZ", [](Image& i) { i.bytes[1] = 'X'; }},
        {"new header beyond the file", [](Image& i) { Put32(i.bytes, 0x3C, 0xFFFFFFF0); }},
        {"no PE signature", [](Image& i) { i.bytes[kNewHeader + 1] = 'X'; }},
        {"unknown optional header", [](Image& i) { Put16(i.bytes, kOptionalHeader, 0x107); }},
        {"optional header longer than the file", [](Image& i) { Put16(i.bytes, kFileHeader + 16, 0xFFFF); }},
        {"optional header without a directory count", [](Image& i) { Put16(i.bytes, kFileHeader + 16, 2); }},
        {"import directory outside the optional header",
         [](Image& i) {
             Put16(i.bytes, kFileHeader + 16, i.directories - kOptionalHeader + 4);
         }},
        {"more sections than the file holds", [](Image& i) { Put16(i.bytes, kFileHeader + 2, 0xFFFF); }},
        {"section beyond the file", [](Image& i) { Put32(i.bytes, i.sectionHeader + 20, 0xFFFFFF00); }},
        {"section longer than the file",
         [](Image& i) {
             Put32(i.bytes, i.sectionHeader + 8, 0xFFFFFFFF);
             Put32(i.bytes, i.sectionHeader + 16, 0xFFFFFFFF);
         }},
        {"import table in no section", [](Image& i) { Put32(i.bytes, i.directories + 8, 0x9000); }},
        {"import table running off its section",
         [](Image& i) { Put32(i.bytes, i.directories + 8, Image::AddressOf(End(i) - 12)); }},
        {"name in no section", [](Image& i) { Put32(i.bytes, i.importDescriptors + 12, 0x9000); }},
        {"empty name", [](Image& i) { Put32(i.bytes, i.importDescriptors + 12, Image::AddressOf(i.names[1] - 1)); }},
        {"name running to the end of its section",
         [](Image& i) {
             // Over the unused delay-load end marker: a name that the file
             // ends, but the section, shorter in memory, cuts.
             std::fill(i.bytes.end() - 16, i.bytes.end() - 1, 'x');
             Put32(i.bytes, i.directories + 13 * 8, 0);
             Put32(i.bytes, i.sectionHeader + 8, End(i) - 8 - kDataOffset);
             Put32(i.bytes, i.importDescriptors + 12, Image::AddressOf(End(i) - 16));
         }},
        {"name running to the end of the file, in a section longer than the file",
         [](Image& i) {
             // A second section, from the last bytes of the file on.
             std::fill(i.bytes.end() - 8, i.bytes.end(), 'x');
             Put32(i.bytes, i.directories + 13 * 8, 0);
             Put16(i.bytes, kFileHeader + 2, 2);
             const std::uint32_t second = i.sectionHeader + 40;
             Put32(i.bytes, second + 8, 0x10000);
             Put32(i.bytes, second + 12, 0x8000);
             Put32(i.bytes, second + 16, 0x10000);
             Put32(i.bytes, second + 20, End(i) - 8);
             Put32(i.bytes, i.importDescriptors + 12, 0x8000);
         }},
        {"delay-load table with absolute addresses", [](Image& i) { Put32(i.bytes, i.delayDescriptors, 0); }},
        {"delay-load descriptor cut by its section's end",
         [](Image& i) { Put32(i.bytes, i.directories + 13 * 8, Image::AddressOf(End(i) - 16)); }},
    };
    for (const Damage& damage : damages) {
        Image image = Build(kToolLike);
        damage.apply(image);
        const ImportedDlls dlls = ReadImportedDlls(image.bytes);
        EXPECT_FALSE(dlls.ok()) << damage.what;
        EXPECT_TRUE(dlls.names.empty()) << damage.what;
    }
}

TEST(ImportTable, NamesLongerThanAnyFileNameAreRefused)
{
    const std::string longest(255, 'a');
    EXPECT_TRUE(ReadImportedDlls(Build({true, {longest}, {}, 1}).bytes).ok());
    EXPECT_FALSE(ReadImportedDlls(Build({true, {longest + "a"}, {}, 1}).bytes).ok());
}

TEST(ImportTable, TableRepeatedBySectionsOverTheSameBytesIsCutOff)
{
    // The end marker replaced by one more descriptor, and three more
    // sections, one after another in memory, over the same descriptors: each
    // walk through them names the DLLs again, until more descriptors are read
    // than the whole file could hold.
    const std::uint32_t kImports = 30;
    Image image = Build({true, std::vector<std::string>(kImports, "a.dll"), {}, 1});
    std::vector<unsigned char>& b = image.bytes;
    const std::uint32_t block = kImports * 20;
    const std::uint32_t tableEnd = image.importDescriptors + block + 20;
    std::copy_n(b.begin() + image.importDescriptors, 20, b.begin() + image.importDescriptors + block);
    Put32(b, image.sectionHeader + 8, tableEnd - kDataOffset);
    Put32(b, image.sectionHeader + 16, tableEnd - kDataOffset);
    std::uint32_t address = Image::AddressOf(tableEnd);
    for (std::uint32_t copy = 1; copy < 4; ++copy, address += block) {
        const std::uint32_t header = image.sectionHeader + copy * 40;
        ASSERT_LE(header + 40, kDataOffset);
        Put32(b, header + 8, block);
        Put32(b, header + 12, address);
        Put32(b, header + 16, block);
        Put32(b, header + 20, image.importDescriptors);
    }
    Put16(b, kFileHeader + 2, 4);
    ASSERT_GT(4 * block, b.size());  // more than the file holds

    const ImportedDlls dlls = ReadImportedDlls(b);
    EXPECT_FALSE(dlls.ok());
    EXPECT_NE(dlls.error.find("longer than the file"), std::string::npos) << dlls.error;
}

TEST(ImportTable, WhateverTheDamageNoReadLeavesTheImage)
{
    // Every byte of the headers and of the tables set to values that matter
    // to a reader (0, a small count, all bits); the sanitizer watches the
    // reads. What does get read is a list of real names.
    const Image whole = Build(kToolLike);
    for (std::size_t at = 0; at < whole.bytes.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7F, 0xFF}) {
            std::vector<unsigned char> damaged = whole.bytes;
            damaged[at] = value;
            const ImportedDlls dlls = ReadImportedDlls(damaged);
            for (const std::string& name : dlls.names) {
                EXPECT_FALSE(name.empty()) << "byte " << at;
                EXPECT_LE(name.size(), 255u) << "byte " << at;
            }
            EXPECT_TRUE(dlls.ok() || dlls.names.empty()) << "byte " << at;
        }
    }
}

TEST(WindowsDlls, SystemDllsPassInAnyCaseAndCompilerRuntimesDoNot)
{
    for (const char* own : {"KERNEL32.dll", "kernel32.dll", "USER32.DLL", "msvcrt.dll", "comctl32.dll", "GDI32.dll"})
        EXPECT_TRUE(IsWindowsOwnDll(own)) << own;
    for (const char* foreign : {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll", "ucrtbase.dll",
                                "api-ms-win-crt-runtime-l1-1-0.dll", "msvcp140.dll", "kernel32.dll.bak", "kernel32", ""})
        EXPECT_FALSE(IsWindowsOwnDll(foreign)) << foreign;

    EXPECT_EQ(ForeignDlls({"KERNEL32.dll", "libstdc++-6.dll", "USER32.dll", "libgcc_s_seh-1.dll"}),
              (std::vector<std::string>{"libstdc++-6.dll", "libgcc_s_seh-1.dll"}));
    EXPECT_TRUE(ForeignDlls({"KERNEL32.dll", "msvcrt.dll"}).empty());
}

}  // namespace
