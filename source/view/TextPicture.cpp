// Text screens as pictures: drawn with the Apple II font, then written back as screen memory.
// The two halves live apart so orvel-convert can draw in its Qt helper and write without Qt.
#include "view/TextPicture.h"

#include "view/TextScreenDots.h"
#include "view/TextScreenDrawing.h"

void DrawTextScreenPicture(ORVEL_GlobalsRec* rec, const QString& screenText) {
    WriteTextScreenDots(rec, DrawTextScreenMask(screenText));
}

void DrawTextScreenPicture(ORVEL_GlobalsRec* rec, const QString& rows, bool eighty) {
    WriteTextScreenDots(rec, DrawTextScreenMask(rows, eighty));
}
