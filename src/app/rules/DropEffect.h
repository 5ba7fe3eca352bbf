// What a drop of files into a folder does, as a folder window decides it: Ctrl copies, Shift moves; without either
// (or with both) the files move within one volume and are copied to another, or copied whenever their source asks
// for a copy. Only what the source allows is done.
#pragma once

namespace app {

enum class DropAction { None, Copy, Move };

struct DropRequest {
    bool ctrl = false;
    bool shift = false;
    bool sameVolume = false;   // the files and the folder lie on one volume
    bool sourcePrefersCopy = false;
    bool allowsCopy = true;
    bool allowsMove = true;
};

DropAction ChooseDropAction(const DropRequest& request);

}  // namespace app
