#include "resources/keypad_icon.h"

// An upright black handset with its antenna at the top right, a green display
// and green keypad dots, on a transparent background; 16 colours.
namespace {

const char* const kKeypadIcon32[] = {
    "32 32 4 1",
    ". c None",
    "k c #000000",
    "g c #00FF00",
    "d c #808080",
    "..................kkkk..........",
    "..................kkkk..........",
    "...................kk...........",
    "...................kk...........",
    "...................kk...........",
    "...................kk...........",
    "...........kkkkkkkkkk...........",
    "..........kkkkkkkkkkkk..........",
    "..........kkkkddddkkkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkggggggggkk..........",
    "..........kkggggggggkk..........",
    "..........kkggggggggkk..........",
    "..........kkggggggggkk..........",
    "..........kkggggggggkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkggkggkggkk..........",
    "..........kkggkggkggkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkggkggkggkk..........",
    "..........kkggkggkggkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkggkggkggkk..........",
    "..........kkggkggkggkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkggkggkggkk..........",
    "..........kkggkggkggkk..........",
    "..........kkkkkkkkkkkk..........",
    "..........kkkkkddkkkkk..........",
    "..........kkkkkkkkkkkk..........",
    "...........kkkkkkkkkk..........."
};

const char* const kKeypadIcon16[] = {
    "16 16 4 1",
    ". c None",
    "k c #000000",
    "g c #00FF00",
    "d c #808080",
    "..........k.....",
    "..........k.....",
    "..........k.....",
    "......kkkkk.....",
    ".....kkkkkkk....",
    ".....kgggggk....",
    ".....kgggggk....",
    ".....kgggggk....",
    ".....kkkkkkk....",
    ".....kgkgkgk....",
    ".....kkkkkkk....",
    ".....kgkgkgk....",
    ".....kkkkkkk....",
    ".....kgkgkgk....",
    ".....kkkkkkk....",
    "......kkkkk....."
};

constexpr XpmImage kImages[] = {kKeypadIcon32, kKeypadIcon16};

}  // namespace

std::span<const XpmImage> KeypadIconImages() { return kImages; }
