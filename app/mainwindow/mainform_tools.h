#pragma once
// What the menus name: the lock captions for the state the element or page is in.

#include <QString>

namespace app {

enum class TCaptionPlace { ToolsMenu, PopupMenu };

// The element's lock command as the menu it shows in names it.
QString LockSealCaption(bool locked, TCaptionPlace place);
// The Tools menu's page lock, without accelerator.
QString LockPageCaption(bool locked);

}  // namespace app
