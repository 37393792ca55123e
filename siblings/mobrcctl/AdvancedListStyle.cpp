// The advanced-style word of the list control. These two members are the
// only ones the settings module exports from the list class, so this file is
// compiled into both the control library and the module; the definitions
// must stay exactly these plain accessors.
#include "mobrcctl/AdvancedListCtrl.h"

uint32_t CAdvancedListCtrl::GetAdvancedStyle() const { return advancedStyle_; }

void CAdvancedListCtrl::SetAdvancedStyle(uint32_t style) { advancedStyle_ = style; }
