// The lessons a pilot can choose: the lesson files of one folder, in the
// order of their names (01-..., 02-...), each with the title its first
// line gives. The folder is $QPX_LESSONS when set, else the installed
// share/qpx-sim/lessons beside the program, else lessons/ of the source
// tree; the page sets $QPX_LESSONS to the folder its files preload.
#pragma once
#include <string>
#include <vector>

struct LessonEntry {
    std::string file; // the path of the lesson file
    std::string
        title; // its first line when that is a comment ("# Powering on" -> "Powering on"), else its stem
};

// The folder of the lessons, as above; "" when none of them exists.
std::string LessonsFolder();
// The lessons of LessonsFolder().
std::vector<LessonEntry> FindLessons();
// The *.txt files of folder, sorted by name; none when it cannot be read.
std::vector<LessonEntry> FindLessonsIn(const std::string &folder);
// The title as above, of the file at path ("" when it cannot be read: the
// stem).
std::string LessonTitle(const std::string &path);
