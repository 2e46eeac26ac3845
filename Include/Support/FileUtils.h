#pragma once

#include <string>

namespace Orvik {
namespace Support {

/// Small operations on file names. Names are UTF-8 paths with "/" between their parts.
class FileUtils
{
public:
    FileUtils() = delete;

    /// Removes the file; 0 on success, -1 on failure (errno set).
    static int DeleteFile(const std::string& in_name);

    /// Renames the file, never over an existing one; 0 on success, -1 on failure (errno set,
    /// EEXIST when the new name is taken).
    static int RenameFile(const std::string& in_oldName, const std::string& in_newName);

    /// Splits at the last "/" (or "\"): the directory keeps the separator; without one the
    /// directory is empty.
    static void SplitPath(const std::string& in_path, std::string& out_directory, std::string& out_fileName);

    /// Splits at the last "." when it stands at index 2 or later: the extension keeps the dot.
    /// Otherwise the stem is the whole name and the extension is empty ("a.log" has no extension).
    static void SplitExtension(const std::string& in_fileName, std::string& out_stem, std::string& out_extension);
};

} // namespace Support
} // namespace Orvik
