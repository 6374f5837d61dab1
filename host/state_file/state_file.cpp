#include "host/state_file/state_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "host/state_file/atomic_write.h"
#include "host/state_file/state_file_format.h"
#include "host/state_file/state_file_limits.h"

// The whole file as text, or as much of it as shows that it is too large to
// be a state file; false with *error naming the file and why.
static bool ReadWholeFile(const std::string &path, std::string *text, std::string *error)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) {
        *error = path + ": cannot read: " + strerror(errno);
        return false;
    }
    char buffer[4096];
    size_t n;
    while (text->size() <= StateFileMaxBytes && (n = fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, n);
    bool failed = ferror(file) != 0;
    int code = errno;
    fclose(file);
    if (failed) {
        *error = path + ": cannot read: " + strerror(code);
        return false;
    }
    return true;
}

StateFileResult ReadStateFile(const std::string &path, StateFileValues *values)
{
    StateFileResult result;
    std::string text;
    if (ReadWholeFile(path, &text, &result.error))
        result.ok = ParseStateFile(text, path, values, &result.warnings, &result.error);
    return result;
}

StateFileResult LoadStateFile(const std::string &path, ControlValues *controls)
{
    StateFileValues values;
    StateFileResult result = ReadStateFile(path, &values);
    if (result.ok)
        ApplyStateFileValues(values);
    *controls = values.controls;
    return result;
}

StateFileResult SaveStateFile(const std::string &path, const ControlValues &controls)
{
    StateFileResult result;
    result.ok = WriteFileAtomically(path, StateFileText(PresentStateFileValues(controls)), &result.error);
    return result;
}

bool ReportStateFileResult(const StateFileResult &result, const char *program, std::ostream &err)
{
    for (const std::string &warning : result.warnings)
        err << program << ": " << warning << "\n";
    if (!result.ok) {
        size_t start = 0;
        while (start < result.error.size()) {
            size_t end = result.error.find('\n', start);
            end = end == std::string::npos ? result.error.size() : end;
            err << program << ": " << result.error.substr(start, end - start) << "\n";
            start = end + 1;
        }
    }
    return result.ok;
}

std::string TimeStampedStateFileName(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char name[64];
    strftime(name, sizeof name, "qpx-state-%Y%m%d-%H%M%S.toml", &local);
    return name;
}

StateFileResult SaveNewStateFile(const std::string &folder, const ControlValues &controls, std::string *path)
{
    std::string name = TimeStampedStateFileName(std::time(nullptr));
    std::string stem = (folder.empty() ? "" : folder + "/") + name.substr(0, name.size() - 5);
    std::string candidate = stem + ".toml";
    struct stat existing;
    for (int n = 2; stat(candidate.c_str(), &existing) == 0; ++n)
        candidate = stem + "-" + std::to_string(n) + ".toml";
    *path = candidate;
    return SaveStateFile(candidate, controls);
}
