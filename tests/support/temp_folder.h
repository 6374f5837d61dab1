// A fresh folder for a test's files, removed with its contents afterwards,
// and small helpers for looking at files.
#pragma once
#include <string>

struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::string File(const std::string &name) const { return path + "/" + name; }
    // The names in the folder, sorted, joined by blanks.
    std::string Listing() const;
    std::string path;
};

std::string ReadText(const std::string &path);
void WriteText(const std::string &path, const std::string &text);
// Sets the file's modification time far into the past, so that a later
// write shows in its Stamp even within the same clock tick.
void AgeFile(const std::string &path);
// The file's modification time and bytes: equal stamps, untouched file.
std::string Stamp(const std::string &path);
