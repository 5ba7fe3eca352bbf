// The help file and the About box.
#include "app/Unit1.h"

void TForm1::About1Click(ui::Component*) {}
void TForm1::SearchforHelpOn1Click(ui::Component*) {}
