// What each reader of outside input must do with any bytes at all, as one
// function per reader: the fuzz targets call them on what the fuzzer makes
// up, and the test suite on every input kept in fuzz/corpus and
// fuzz/findings, so that a finding never comes back.
//
// Each returns "" when the reader kept its contract, else what it broke. A
// crash, a sanitizer report or a hang is a broken contract too, caught by
// the fuzzer or the sanitizer build.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A scenario script: it is read, or refused with "file:line: why" in a
// message of bounded length; a command read can be written back as a line
// that reads as the same command.
std::string CheckScriptReader(const uint8_t *data, size_t size);

// A state file, from its bytes to checked values: they are read, or the
// file is refused with "file:line: why", one line per problem.
std::string CheckStateFileReader(const uint8_t *data, size_t size);

// A recorded engine run (CSV), in any layout; a first line "?engine N" or
// "?columns MAP" reads the rest with that option. It is read, or refused
// with "file:line: why" (or why the option cannot be used) and nothing
// kept; a log read has samples whose time never goes back and whose values
// are finite, and its values between samples lie between theirs.
std::string CheckEngineLogReader(const uint8_t *data, size_t size);

// A datagram of a live engine feed: taken with finite values of 0 or more
// and at least one of them, or refused with a reason; never more.
std::string CheckFeedDatagramReader(const uint8_t *data, size_t size);

// The lines of a qpx-run --serve session, one at a time: each is a command
// that can be written back as a line reading as the same command, a query
// of a field that exists, or refused with a short one-line reason; the
// answer it gets (an error, or the query's on the state record as it is)
// is one line of valid JSON.
std::string CheckServeLineReader(const uint8_t *data, size_t size);
