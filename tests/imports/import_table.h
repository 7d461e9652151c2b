// The DLLs a Windows program needs before it can run, read from the import
// tables of its executable file. Plain bytes in, names out: no operating
// system involved, so the reader is tested natively under the sanitizers.
#pragma once

#include <string>
#include <vector>

struct ImportedDlls {
    // In table order: the import table, then the delay-load table, as the
    // file names them (case as written, duplicates kept).
    std::vector<std::string> names;
    // Empty when both tables were read whole. Otherwise why the file could
    // not be read, and `names` is empty: a part-read table must never pass
    // for a complete one.
    std::string error;

    bool ok() const { return error.empty(); }
};

// Never reads outside `image`, whatever its content.
ImportedDlls ReadImportedDlls(const std::vector<unsigned char>& image);
