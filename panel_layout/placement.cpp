#include "panel_layout/panel_layout.h"
