// tarnwick's skin: the background every dialog takes its size from, the buttons with their
// stacked faces (normal, hover, pressed, disabled), the toggle (off, on, locked) and the
// pictures. The sizes are those tarnwick's layout places.
#pragma once

#include "tools/artwork/canvas.hpp"

namespace artwork {

void drawTarnwickBackground(Canvas& canvas);     // bitmap 133, 210 x 108
void drawTarnwickCancel(Canvas& canvas);         // bitmap 134, 48 x 16 per face
void drawTarnwickErrorPicture(Canvas& canvas);   // bitmap 135, 210 x 36
void drawTarnwickToggle(Canvas& canvas);         // bitmap 136, 24 x 10 per face
void drawTarnwickClear(Canvas& canvas);          // bitmap 137, 56 x 16 per face
void drawTarnwickDialogOk(Canvas& canvas);       // bitmap 138, 48 x 16 per face
void drawTarnwickSuccessPicture(Canvas& canvas); // bitmap 139, 210 x 36
void drawTarnwickTitleOk(Canvas& canvas);        // bitmap 145, 56 x 16 per face
void drawTarnwickPower(Canvas& canvas);          // bitmap 146, 22 x 22 per face
void drawTarnwickDropspace(Canvas& canvas);      // bitmap 150, 210 x 44
void drawTarnwickAbout(Canvas& canvas);          // bitmap 156, 56 x 16 per face

} // namespace artwork
