// The file actions of the main window: execute, open the folder, properties, move to a listed folder, open with a
// registered application, rename, delete and search.
#include "app/Unit1.h"

void TForm1::N2Click(ui::Component*) {}
void TForm1::N3Click(ui::Component*) {}
void TForm1::Property1Click(ui::Component*) {}
void TForm1::MoveFile(ui::Component*) {}
void TForm1::Open_Apli(ui::Component*) {}
void TForm1::N5Click(ui::Component*) {}
void TForm1::Delete1Click(ui::Component*) {}
void TForm1::N6Click(ui::Component*) {}
void TForm1::BuildMoveMenu() {}
void TForm1::MakeApplicationMenu() {}
void TForm1::FreeDynamicMenuItems() {}
