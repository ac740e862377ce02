// The images of the main window's toolbar buttons, drawn in code (no image
// files): set file new/open/save, item data file new/open/save, find, and
// the conversion glyph; also the program's window icon.
#pragma once

#include <QIcon>

namespace lexicana {

// Image indexes of the toolbar buttons.
enum ToolImage {
    ImageNewSet = 0,
    ImageOpenSet = 1,
    ImageSaveSet = 2,
    ImageNewItem = 3,
    ImageOpenItem = 4,
    ImageSaveItem = 5,
    ImageFind = 6,
    ImageConvert = 7,
};

// The icon of a toolbar image (16 by 16, drawn once and cached).
QIcon ToolIcon(ToolImage image);
// The window icon of the program.
QIcon ProgramIcon();

} // namespace lexicana
