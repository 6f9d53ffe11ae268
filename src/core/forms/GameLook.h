#pragma once
// The look shared by every screen: the Japanese font, Qt's own Japanese texts, and the few helpers
// the dialogs use to build their layouts the same way.

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QString>
#include <QVBoxLayout>
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

// The panel that fills a dialog edge to edge, named for the look's style sheet ("Back", "Picture1"),
// and the column laid out on it. The panel is the column's parentWidget().
QVBoxLayout* makeBackColumn(QWidget* dialog, const QString& panelName);

// A row of buttons ending in "戻る" (backButton), which closes the dialog and has the keyboard. A
// screen's other buttons go in before it.
QHBoxLayout* makeBackRow(QDialog* dialog);

// An officer's name as the status and editor screens show it above his abilities: a larger label.
QLabel* makeNameLabel(QWidget* parent);

}  // namespace tei
