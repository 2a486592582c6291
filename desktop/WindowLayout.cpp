#include "desktop/WindowLayout.h"

#include <QSettings>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace lumora::desktop {

namespace {

constexpr QSize kMainWindow{1000, 700};
constexpr QSize kBoardWindow{1100, 800};
// Narrower than this, the board and the marker list's columns do not fit beside the main window.
constexpr int kNarrowestBoardWindow = 640;
constexpr double kMainShare = 0.4;        // of the screen's width, at most
constexpr double kMainHeightShare = 0.85; // of its height, leaving room for the frame

QString settingsKey(const char* key) {
    return QStringLiteral("windows/") + QLatin1String(key);
}

// A size no larger than the screen's.
QSize within(QSize wanted, const QRect& available) {
    return wanted.boundedTo(available.size());
}

} // namespace

QRect mainWindowAtFirstStart(const QRect& available) {
    QSize size = within(kMainWindow, available);
    size.setWidth(std::min(size.width(), static_cast<int>(kMainShare * available.width())));
    size.setHeight(std::min(size.height(), static_cast<int>(kMainHeightShare * available.height())));
    return {available.topLeft(), size};
}

QRect boardWindowBeside(const QRect& mainFrame, const QRect& available) {
    const int room = available.right() - mainFrame.right();
    QRect board(QPoint(), within(kBoardWindow, available));
    if (room >= kNarrowestBoardWindow) {
        board.setWidth(std::min(board.width(), room));
        board.moveLeft(mainFrame.right() + 1);
    } else {
        board.moveRight(available.right());
    }
    board.moveTop(std::clamp(mainFrame.top(), available.top(), available.bottom() - board.height() + 1));
    return board;
}

bool restoreWindow(QWidget& window, const char* key) {
    const QByteArray saved = QSettings().value(settingsKey(key)).toByteArray();
    return !saved.isEmpty() && window.restoreGeometry(saved);
}

void saveWindow(const QWidget& window, const char* key) {
    QSettings().setValue(settingsKey(key), window.saveGeometry());
}

void restoreSplitter(QSplitter& splitter, const char* key) {
    const QByteArray saved = QSettings().value(settingsKey(key)).toByteArray();
    if (!saved.isEmpty()) {
        splitter.restoreState(saved);
    }
}

void saveSplitter(const QSplitter& splitter, const char* key) {
    QSettings().setValue(settingsKey(key), splitter.saveState());
}

} // namespace lumora::desktop
