#include "app/rules/DropEffect.h"

namespace app {

DropAction ChooseDropAction(const DropRequest& r) {
    DropAction wanted;
    if (r.ctrl != r.shift) wanted = r.ctrl ? DropAction::Copy : DropAction::Move;
    else wanted = r.sameVolume && !r.sourcePrefersCopy ? DropAction::Move : DropAction::Copy;
    if (wanted == DropAction::Move && !r.allowsMove) wanted = DropAction::Copy;
    if (wanted == DropAction::Copy && !r.allowsCopy) wanted = r.allowsMove ? DropAction::Move : DropAction::None;
    return wanted;
}

}  // namespace app
