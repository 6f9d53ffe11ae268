#pragma once
// The game's message boxes: a notice with "OK", a question with "OK" and "キャンセル", a question with
// "はい" and "いいえ". Each is modal over its parent and says whether the player agreed. The button
// texts are set here, so they read the same whatever translation is installed.

#include <QMessageBox>
#include <QString>
#include <memory>
#include <string>

namespace tei {

inline constexpr const char* kGameTitle = "鼎峙録・覇業編";

enum class BoxButtons { Ok, OkCancel, YesNo };

// The box itself, for a caller that shows it in its own way (the screenshots).
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text, BoxButtons buttons);

void showNotice(QWidget* parent, const QString& text);
bool askOkCancel(QWidget* parent, const QString& text);
bool askYesNo(QWidget* parent, const QString& text);

// Shows a screen's load failure; true when there was one to show.
bool reportLoadFailure(QWidget* parent, const std::string& message);

}  // namespace tei
