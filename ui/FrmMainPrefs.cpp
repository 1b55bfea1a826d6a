// Preferences and pop-up help. Start-up, shut-down and the failed counter search already
// call these routines; they stay inert until the preferences file and the pop-up texts are
// in place.
#include "ui/FrmMain.h"

namespace ui {

void FrmMain::LoadConfig() {}

void FrmMain::onBtnSavePressed() {}

void FrmMain::onBtnResetPressed() {}

void FrmMain::UpdatePopUps() {}

}  // namespace ui
