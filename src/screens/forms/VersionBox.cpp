#include "screens/forms/VersionBox.h"

#include "screens/forms/GameLook.h"
#include "screens/forms/MessageBoxes.h"

namespace tei {

void showVersionBox(QWidget* parent) { showNotice(parent, qs(kVersionText)); }

}  // namespace tei
