// The main window's size and the height of its text pane, kept in the
// settings store (subkey "Window") from one session to the next.
#pragma once

#include <QSize>
#include <optional>

namespace lexicana {

struct TWindowLayout {
    QSize size; // the window's normal (not maximised) size
    int paneHeight = 0; // the text pane below the splitter
    bool maximized = false;
};

// The layout the last session left; nothing when none is stored or it
// cannot be read (the window then opens at its initial size).
std::optional<TWindowLayout> LoadWindowLayout();
// Stores the layout. A store that cannot be written is reported by the
// settings' own save at the same moment, so this one stays silent.
void SaveWindowLayout(const TWindowLayout& layout);

} // namespace lexicana
