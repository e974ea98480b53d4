// The panel's sizes taken from the system's icon metrics.
#pragma once
#include "panel/Geometry.h"

// Cell and icon sizes from the system, the fixed inset, gap and line width; the blocks from them.
void SetIconParams(PanelGeometry& g);
