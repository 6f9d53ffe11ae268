#pragma once
// The version box of the main screen's menu.

#include <QWidget>

namespace tei {

inline constexpr const char* kVersionText = "鼎峙録Revised\n (ver.1.1)\nsince2004/1/23";

void showVersionBox(QWidget* parent);

}  // namespace tei
