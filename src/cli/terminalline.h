// One status line at the bottom of a terminal: drawn with a carriage return
// and erased before any other text is printed, so that messages and the
// progress line never run into each other.
#pragma once

#include <cstdio>
#include <string>

namespace lexicana {

class TTerminalLine {
public:
    // enabled false (not a terminal): Show does nothing.
    TTerminalLine(std::FILE* out, bool enabled);

    bool Enabled() const { return enabled_; }
    // Replaces the line by text (UTF-8), cut to the terminal's width.
    void Show(const std::string& text);
    // Erases the line if one is shown.
    void Clear();

private:
    std::FILE* out_;
    bool enabled_;
    bool shown_ = false;
};

// The first characters of text (UTF-8) that fit in columns terminal
// columns, counting East Asian characters as two columns.
std::string FitToColumns(const std::string& text, int columns);

// Width of the terminal of file descriptor fd; 80 when unknown.
int TerminalColumns(int fd);

} // namespace lexicana
