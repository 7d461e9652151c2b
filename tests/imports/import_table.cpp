#include "tests/imports/import_table.h"

#include <cstdint>

namespace {

// Offsets and sizes of the executable file format's headers and tables.
constexpr std::uint64_t kNewHeaderPointerOffset = 0x3C;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint64_t kSectionCountOffset = 2;
constexpr std::uint64_t kOptionalHeaderSizeOffset = 16;
constexpr std::uint16_t kMagic32 = 0x10B;
constexpr std::uint16_t kMagic64 = 0x20B;
constexpr std::uint64_t kDirectoryCountOffset32 = 92;
constexpr std::uint64_t kDirectoryCountOffset64 = 108;
constexpr std::uint64_t kDirectoryEntrySize = 8;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::uint32_t kDelayImportDirectory = 13;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kImportDescriptorSize = 20;
constexpr std::uint64_t kDelayDescriptorSize = 32;
// Bit 0 of a delay-load descriptor's attributes: its addresses are relative
// to the image. Without it they are absolute, a form only very old linkers
// wrote.
constexpr std::uint32_t kDelayAddressesRelative = 1;
// Longer than any file name Windows can load.
constexpr std::size_t kMaxNameLength = 255;

struct Section {
    std::uint64_t address;  // relative to the image
    std::uint64_t fileOffset;
    std::uint64_t fileSize;  // the part of the section that comes from the file
};

// Bytes of the file at an offset, and where the part they belong to ends.
struct FileSpan {
    std::uint64_t offset;
    std::uint64_t end;
};

class ImageReader {
public:
    explicit ImageReader(const std::vector<unsigned char>& image) : m_image(image) {}

    std::uint64_t Size() const { return m_image.size(); }

    // Little-endian numbers; false when any byte lies outside [offset, end).
    bool Read(std::uint64_t offset, std::uint64_t end, int bytes, std::uint64_t& value) const
    {
        if (end > Size() || offset > end || end - offset < static_cast<std::uint64_t>(bytes))
            return false;
        value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | m_image[static_cast<std::size_t>(offset) + i];
        return true;
    }
    bool Read16(std::uint64_t offset, std::uint64_t& value) const { return Read(offset, Size(), 2, value); }
    bool Read32(std::uint64_t offset, std::uint64_t& value) const { return Read(offset, Size(), 4, value); }

    // A zero-terminated name inside the span.
    bool ReadName(const FileSpan& span, std::string& name) const
    {
        name.clear();
        for (std::uint64_t at = span.offset; at < span.end && at < Size(); ++at) {
            const char c = static_cast<char>(m_image[static_cast<std::size_t>(at)]);
            if (c == '\0')
                return !name.empty();
            if (name.size() == kMaxNameLength)
                return false;
            name.push_back(c);
        }
        return false;
    }

    bool HasBytes(std::uint64_t offset, const char* bytes, std::uint64_t count) const
    {
        if (offset > Size() || Size() - offset < count)
            return false;
        for (std::uint64_t i = 0; i < count; ++i) {
            if (m_image[static_cast<std::size_t>(offset + i)] != static_cast<unsigned char>(bytes[i]))
                return false;
        }
        return true;
    }

private:
    const std::vector<unsigned char>& m_image;
};

struct Headers {
    std::vector<Section> sections;
    std::uint64_t directoryCount = 0;
    std::uint64_t directoriesOffset = 0;
    std::uint64_t directoriesEnd = 0;  // the end of the optional header
};

class ImportReader {
public:
    explicit ImportReader(const std::vector<unsigned char>& image) : m_reader(image) {}

    ImportedDlls Run()
    {
        ImportedDlls result;
        if (!ReadHeaders() || !ReadImportTable(result.names) || !ReadDelayImportTable(result.names)) {
            result.names.clear();
            result.error = m_error;
        }
        return result;
    }

private:
    bool Fail(const char* why)
    {
        m_error = why;
        return false;
    }

    bool ReadHeaders()
    {
        std::uint64_t newHeader = 0;
        if (!m_reader.HasBytes(0, "MZ", 2) || !m_reader.Read32(kNewHeaderPointerOffset, newHeader))
            return Fail("not an executable file: no MZ header");
        if (!m_reader.HasBytes(newHeader, "PE\0\0", 4))
            return Fail("no PE signature where the MZ header points");
        const std::uint64_t fileHeader = newHeader + 4;
        std::uint64_t sectionCount = 0;
        std::uint64_t optionalSize = 0;
        std::uint64_t magic = 0;
        const std::uint64_t optional = fileHeader + kFileHeaderSize;
        if (!m_reader.Read16(fileHeader + kSectionCountOffset, sectionCount) ||
            !m_reader.Read16(fileHeader + kOptionalHeaderSizeOffset, optionalSize) || !m_reader.Read16(optional, magic))
            return Fail("file header cut short");
        m_headers.directoriesEnd = optional + optionalSize;
        if (m_headers.directoriesEnd > m_reader.Size())
            return Fail("optional header cut short");

        std::uint64_t countOffset = 0;
        if (magic == kMagic32)
            countOffset = kDirectoryCountOffset32;
        else if (magic == kMagic64)
            countOffset = kDirectoryCountOffset64;
        else
            return Fail("unknown optional header kind");
        if (!m_reader.Read(optional + countOffset, m_headers.directoriesEnd, 4, m_headers.directoryCount))
            return Fail("optional header too small for its directory count");
        m_headers.directoriesOffset = optional + countOffset + 4;

        const std::uint64_t sectionTable = m_headers.directoriesEnd;
        for (std::uint64_t i = 0; i < sectionCount; ++i) {
            const std::uint64_t header = sectionTable + i * kSectionHeaderSize;
            std::uint64_t virtualSize = 0;
            Section section = {};
            std::uint64_t rawSize = 0;
            if (!m_reader.Read32(header + 8, virtualSize) || !m_reader.Read32(header + 12, section.address) ||
                !m_reader.Read32(header + 16, rawSize) || !m_reader.Read32(header + 20, section.fileOffset))
                return Fail("section table cut short");
            // Only so much of the file is loaded as the section is long in
            // memory; a zero length in memory means the file's length.
            section.fileSize = virtualSize != 0 && virtualSize < rawSize ? virtualSize : rawSize;
            m_headers.sections.push_back(section);
        }
        return true;
    }

    // Where the file holds the bytes loaded at `address`, up to the end of
    // their section's part in the file; whether the file is that long is
    // left to the reads.
    bool Locate(std::uint64_t address, FileSpan& span) const
    {
        for (const Section& section : m_headers.sections) {
            if (address < section.address || address - section.address >= section.fileSize)
                continue;
            span.offset = section.fileOffset + (address - section.address);
            span.end = section.fileOffset + section.fileSize;
            return true;
        }
        return false;
    }

    // The table's start, or 0 when the file has none.
    bool DirectoryAddress(std::uint32_t index, std::uint64_t& address)
    {
        address = 0;
        if (index >= m_headers.directoryCount)
            return true;
        const std::uint64_t entry = m_headers.directoriesOffset + index * kDirectoryEntrySize;
        if (!m_reader.Read(entry, m_headers.directoriesEnd, 4, address))
            return Fail("data directory lies outside the optional header");
        return true;
    }

    bool ReadNameAt(std::uint64_t address, std::vector<std::string>& names)
    {
        FileSpan span = {};
        std::string name;
        if (!Locate(address, span) || !m_reader.ReadName(span, name))
            return Fail("DLL name outside the file, unterminated or too long");
        names.push_back(name);
        return true;
    }

    // Descriptors follow each other until the one the loader stops at. Sections
    // may overlap in the file, so only the file's size bounds the walk.
    bool ReadImportTable(std::vector<std::string>& names)
    {
        std::uint64_t address = 0;
        if (!DirectoryAddress(kImportDirectory, address))
            return false;
        if (address == 0)
            return true;
        for (std::uint64_t read = 0;; ++read, address += kImportDescriptorSize) {
            if (read * kImportDescriptorSize >= m_reader.Size())
                return Fail("import table longer than the file");
            FileSpan span = {};
            std::uint64_t name = 0;
            std::uint64_t firstThunk = 0;
            if (!Locate(address, span) || !m_reader.Read(span.offset + 12, span.end, 4, name) ||
                !m_reader.Read(span.offset + 16, span.end, 4, firstThunk))
                return Fail("import table runs out of the file before its end");
            // The loader ends the table at the first descriptor without a
            // name or without an address table.
            if (name == 0 || firstThunk == 0)
                return true;
            if (!ReadNameAt(name, names))
                return false;
        }
    }

    bool ReadDelayImportTable(std::vector<std::string>& names)
    {
        std::uint64_t address = 0;
        if (!DirectoryAddress(kDelayImportDirectory, address))
            return false;
        if (address == 0)
            return true;
        for (std::uint64_t read = 0;; ++read, address += kDelayDescriptorSize) {
            if (read * kDelayDescriptorSize >= m_reader.Size())
                return Fail("delay-load table longer than the file");
            FileSpan span = {};
            std::uint64_t attributes = 0;
            std::uint64_t name = 0;
            if (!Locate(address, span) || span.end - span.offset < kDelayDescriptorSize ||
                !m_reader.Read(span.offset, span.end, 4, attributes) ||
                !m_reader.Read(span.offset + 4, span.end, 4, name))
                return Fail("delay-load table runs out of the file before its end");
            if (name == 0)
                return true;
            if ((attributes & kDelayAddressesRelative) == 0)
                return Fail("delay-load table with absolute addresses");
            if (!ReadNameAt(name, names))
                return false;
        }
    }

    ImageReader m_reader;
    Headers m_headers;
    std::string m_error;
};

}  // namespace

ImportedDlls ReadImportedDlls(const std::vector<unsigned char>& image)
{
    return ImportReader(image).Run();
}
