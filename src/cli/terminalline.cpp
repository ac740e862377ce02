#include "cli/terminalline.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace lexicana {

namespace {

// Length of the UTF-8 sequence that starts with byte b (1 for a stray byte).
int SequenceLength(unsigned char b)
{
    if (b >= 0xF0 && b <= 0xF7)
        return 4;
    if (b >= 0xE0)
        return 3;
    if (b >= 0xC0)
        return 2;
    return 1;
}

// Terminal columns of the character whose UTF-8 sequence starts with b: the
// characters of three and four bytes (Japanese among them) are wide; the
// Latin, Greek and Cyrillic of two bytes are not.
int ColumnsOf(unsigned char b)
{
    return SequenceLength(b) >= 3 ? 2 : 1;
}

} // namespace

TTerminalLine::TTerminalLine(std::FILE* out, bool enabled)
    : out_(out)
    , enabled_(enabled)
{
}

void TTerminalLine::Show(const std::string& text)
{
    if (!enabled_)
        return;
    // Keep the last column free: a line that fills the width would wrap.
    const std::string fitted = FitToColumns(text, TerminalColumns(fileno(out_)) - 1);
    std::fprintf(out_, "\r%s\x1b[K", fitted.c_str());
    std::fflush(out_);
    shown_ = true;
}

void TTerminalLine::Clear()
{
    if (!enabled_ || !shown_)
        return;
    std::fputs("\r\x1b[K", out_);
    std::fflush(out_);
    shown_ = false;
}

std::string FitToColumns(const std::string& text, int columns)
{
    int used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int width = ColumnsOf(b);
        if (used + width > columns)
            break;
        used += width;
        i += static_cast<std::size_t>(SequenceLength(b));
    }
    return text.substr(0, i < text.size() ? i : text.size());
}

int TerminalColumns(int fd)
{
    struct winsize size = {};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

} // namespace lexicana
