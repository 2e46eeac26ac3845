#include "Support/FileHandler.h"

#include "Support/CriticalSectionLock.h"
#include "Support/FileUtils.h"
#include "Support/InvalidArgumentException.h"
#include "Support/ProductException.h"
#include "Support/Utf8Text.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace Orvik {
namespace Support {

namespace {

// The number of a copy's name: decimal digits without a leading zero, at most ten of them.
bool ParseCopyNumber(const std::string& in_digits, uint64_t& out_number)
{
    if (in_digits.empty() || in_digits.size() > 10 || in_digits[0] == '0')
    {
        return false;
    }
    out_number = 0;
    for (char c : in_digits)
    {
        if (c < '0' || c > '9')
        {
            return false;
        }
        out_number = out_number * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

bool EndsWith(const std::string& in_text, const std::string& in_suffix)
{
    return in_text.size() >= in_suffix.size()
           && in_text.compare(in_text.size() - in_suffix.size(), in_suffix.size(), in_suffix) == 0;
}

} // namespace

FileHandler::FileHandler(const std::string& in_path, uint64_t in_maxFileSize, uint32_t in_maxFileCount)
    : m_maxFileSize(in_maxFileSize), m_maxFileCount(in_maxFileCount), m_path(in_path)
{
    if (in_maxFileCount == 0)
    {
        throw InvalidArgumentException(SupportError(SupportErrorCode::InvalidArgument),
                                       { orvik_wstring("FileHandler"), orvik_wstring("32") });
    }
    std::string fileName;
    FileUtils::SplitPath(in_path, m_directory, fileName);
    FileUtils::SplitExtension(fileName, m_stem, m_extension);
}

bool FileHandler::IsOpen()
{
    CriticalSectionLock lock(m_lock);
    OpenOnce();
    return m_file != nullptr && m_file->IsOpen();
}

void FileHandler::Write(const char* in_format, va_list in_arguments)
{
    CriticalSectionLock lock(m_lock);
    OpenOnce();
    if (m_file == nullptr || !m_file->IsOpen())
    {
        throw ProductException(orvik_wstring("CannotOpenFile"), { WStringFromUtf8(m_path) });
    }
    m_file->WriteFormatted(in_format, in_arguments);
    m_file->WriteNewLine();
    if (m_maxFileSize != 0 && m_file->GetSize() >= m_maxFileSize)
    {
        Rotate();
    }
}

void FileHandler::OpenOnce()
{
    if (m_openAttempted)
    {
        return;
    }
    m_openAttempted = true;
    m_file.reset();
    try
    {
        m_file = std::make_unique<BinaryFile>(m_path, OPEN_APPEND);
    }
    catch (const ErrorException&)
    {
        // The handler stays without a file; every write then reports it.
    }
}

void FileHandler::Rotate()
{
    m_file.reset();
    const uint64_t lastCopy = m_maxFileCount - 1;
    // Highest first, so that every target has already moved on; failures leave a file where
    // it was.
    for (uint64_t number : FindCopies())
    {
        if (number == lastCopy)
        {
            FileUtils::DeleteFile(GetCopyName(number));
        }
        else
        {
            FileUtils::RenameFile(GetCopyName(number), GetCopyName(number + 1));
        }
    }
    if (lastCopy == 0)
    {
        FileUtils::DeleteFile(m_path);
    }
    else
    {
        FileUtils::RenameFile(m_path, GetCopyName(1));
    }
    try
    {
        m_file = std::make_unique<BinaryFile>(m_path, OPEN_WRITE_TRUNCATE);
    }
    catch (const ErrorException&)
    {
        // As for the first open: the handler stays without a file.
    }
}

std::string FileHandler::GetCopyName(uint64_t in_number) const
{
    return m_directory + m_stem + "." + std::to_string(in_number) + m_extension;
}

std::vector<uint64_t> FileHandler::FindCopies() const
{
    const std::string prefix = m_stem + ".";
    std::vector<uint64_t> numbers;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(m_directory.empty() ? "." : m_directory, error), end;
         !error && entry != end; entry.increment(error))
    {
        const std::string name = entry->path().filename().string();
        uint64_t number;
        if (name.size() > prefix.size() + m_extension.size() && name.compare(0, prefix.size(), prefix) == 0
            && EndsWith(name, m_extension)
            && ParseCopyNumber(name.substr(prefix.size(), name.size() - prefix.size() - m_extension.size()), number)
            && number < m_maxFileCount)
        {
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end(), std::greater<uint64_t>());
    return numbers;
}

} // namespace Support
} // namespace Orvik
