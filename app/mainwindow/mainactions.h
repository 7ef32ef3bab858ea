#pragma once
// The main window's commands, menus, pop-up menus and tool bar as data.

#include <vector>

namespace app {

struct TActionSpec {
  const char* name;
  const char* caption;   // nullptr: the action's own name
  const char* shortcut;  // nullptr: none
  const char* hint;      // nullptr: none; a hint without "|" is doubled into "short|long"
  int tag = 0;
  bool checkable = false;
  bool twinHint = true;
};

// ActionList1: commands of the menus and tool bar.
const std::vector<TActionSpec>& MainActions();
// ActionList2: drawing tools, templates and the palette's commands, in list order.
const std::vector<TActionSpec>& ToolActions();

struct TMenuSpec {
  const char* name;
  const char* caption;
  std::vector<const char*> items;  // action names; "-" is a separator
};

const std::vector<TMenuSpec>& MainMenus();
const std::vector<TMenuSpec>& PopupMenus();
// Tool bar items left to right: action names, "-" separators and the names of the panels.
const std::vector<const char*>& ToolBarItems();

}  // namespace app
