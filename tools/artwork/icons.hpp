// The programs' icons, drawn for any square canvas (16, 32 and 48 pixels go into each .ico).
#pragma once

#include "tools/artwork/canvas.hpp"

namespace artwork {

void drawChimewrightIcon(Canvas& canvas); // a gold bell on blue
void drawVoxreelIcon(Canvas& canvas);     // a speaker with sound waves on green
void drawTarnwickIcon(Canvas& canvas);    // a sampled wave on purple

} // namespace artwork
