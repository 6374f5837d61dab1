#include "support/temp_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qpx-test-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : "";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempFolder::Listing() const
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path))
        names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

std::string ReadText(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void AgeFile(const std::string &path)
{
    timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, path.c_str(), past, 0);
}

std::string Stamp(const std::string &path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + "\n" +
           ReadText(path);
}
