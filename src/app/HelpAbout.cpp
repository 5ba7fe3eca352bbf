// The help file and the About box.
#include "app/Help.h"
#include "app/Unit1.h"
#include "dialogs/Unit3.h"

namespace {

// Frees the About box once its modal loop has ended, however it ended.
class AboutBoxRelease {
public:
    AboutBoxRelease() = default;
    AboutBoxRelease(const AboutBoxRelease&) = delete;
    AboutBoxRelease& operator=(const AboutBoxRelease&) = delete;
    ~AboutBoxRelease() {
        if (AboutBox) AboutBox->Release();
        AboutBox = nullptr;
    }
};

}  // namespace

void TForm1::About1Click(ui::Component*) {
    AboutBoxRelease release;
    AboutBox = new TAboutBox(this);
    AboutBox->ShowModal();
}

void TForm1::SearchforHelpOn1Click(ui::Component*) { OpenHelpFile(Handle()); }
