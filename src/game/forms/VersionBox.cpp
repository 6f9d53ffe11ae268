#include "game/forms/VersionBox.h"

#include "core/forms/GameLook.h"
#include "core/forms/MessageBoxes.h"

namespace tei {

void showVersionBox(QWidget* parent) { showNotice(parent, qs(kVersionText)); }

}  // namespace tei
