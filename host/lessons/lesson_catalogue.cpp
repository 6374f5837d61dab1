#include "host/lessons/lesson_catalogue.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The installed lessons: share/qpx-sim/lessons beside the program's bin/.
std::string InstalledFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "";
    return (program.parent_path().parent_path() / "share" / "qpx-sim" / "lessons").string();
}

bool IsFolder(const std::string &path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

} // namespace

std::string LessonsFolder()
{
    if (const char *given = getenv("QPX_LESSONS"); given && *given)
        return IsFolder(given) ? given : "";
    for (const std::string &folder : {InstalledFolder(), std::string(QPX_SOURCE_LESSONS)})
        if (IsFolder(folder))
            return folder;
    return "";
}

std::string LessonTitle(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    if (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 1 && line[0] == '#') {
            const size_t start = line.find_first_not_of(" \t", 1);
            if (start != std::string::npos)
                return line.substr(start);
        }
    }
    return fs::path(path).stem().string();
}

std::vector<LessonEntry> FindLessonsIn(const std::string &folder)
{
    std::vector<LessonEntry> lessons;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".txt" && it->is_regular_file(error))
            lessons.push_back({it->path().string(), ""});
    std::sort(lessons.begin(), lessons.end(),
              [](const LessonEntry &a, const LessonEntry &b) { return a.file < b.file; });
    for (LessonEntry &lesson : lessons)
        lesson.title = LessonTitle(lesson.file);
    return lessons;
}

std::vector<LessonEntry> FindLessons()
{
    const std::string folder = LessonsFolder();
    return folder.empty() ? std::vector<LessonEntry>{} : FindLessonsIn(folder);
}
