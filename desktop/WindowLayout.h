#pragma once

#include <QRect>

class QSplitter;
class QWidget;

namespace lumora::desktop {

// Where the windows go at the first start, on the screen the program starts on: the main window at
// the left, KORVEN's window in the room right of it, or over the main window's right part when the
// room is too narrow for the board and its marker list.
QRect mainWindowAtFirstStart(const QRect& available);
QRect boardWindowBeside(const QRect& mainFrame, const QRect& available);

// Each window's geometry and splitter positions are remembered between starts (QSettings, under
// "windows/" and the key). A remembered geometry that the screens no longer hold is moved onto them.
bool restoreWindow(QWidget& window, const char* key);
void saveWindow(const QWidget& window, const char* key);
void restoreSplitter(QSplitter& splitter, const char* key);
void saveSplitter(const QSplitter& splitter, const char* key);

} // namespace lumora::desktop
