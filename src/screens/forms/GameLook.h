#pragma once
// The look shared by every screen: the Japanese font, Qt's own Japanese texts, and the few helpers
// the dialogs use to build their layouts the same way.

#include <QApplication>
#include <QLabel>
#include <QString>
#include <string_view>

namespace tei {

inline constexpr const char* kGameFont = "Noto Sans CJK JP";

// Installs Qt's Japanese translation and the game's font. Call once after creating the application.
void applyGameLook(QApplication& app);

// UTF-8 text of the engine as a Qt string.
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Engine text whose lines end in CR LF, as a label or text box shows it: with plain line feeds.
QString qsText(std::string_view text);

// A screen's heading: a larger bold label.
QLabel* makeHeading(const QString& text, QWidget* parent);

}  // namespace tei
