#pragma once
// The player's settings of the game window, kept by Qt under the game's organisation name
// (~/.config/teijiroku/teijiroku.conf on Linux), and the one thing kept there so far: the size and
// place of every window the player can resize, so that a window opens again where it was left.

#include <QSettings>
#include <QString>
#include <memory>

class QWidget;

namespace tei {

inline constexpr const char* kSettingsOrganization = "teijiroku";
inline constexpr const char* kSettingsApplication = "teijiroku";

std::unique_ptr<QSettings> gameSettings();

// Gives the window the size and place it had when it was last hidden, if any (never smaller than
// its minimum, and moved onto the screen when it would be off it), and keeps them again whenever it
// is hidden. The window's objectName names the setting. Call once, when the window is built.
void rememberGeometry(QWidget* window);

// The setting that holds a window's size and place.
QString geometryKey(const QString& windowName);

}  // namespace tei
