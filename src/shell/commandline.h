#pragma once

// What the game answers from its command line alone, before anything else
// starts: its version and its usage. Every other argument, Qt's options
// (-display, -platform, -style, ...) among them, is left for Qt as it is.
namespace CommandLine {

// True when --version or --help was asked for, after printing the answer on
// standard output.
bool answered(int argc, char **argv);

} // namespace CommandLine
