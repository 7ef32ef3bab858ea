#pragma once
// A combo box's drop-down list as wide as its widest item, so that no item shows cut short,
// however narrow the box itself is.

class QComboBox;

// Again after every change of the items.
void FitListToItems(QComboBox* box);
