// SPDX-License-Identifier: GPL-3.0-or-later
// Dovrel Consist Editor: composes consists of the game's rail vehicles and stores them in the
// game's own user-consist file.
#include "app/EditorProgram.h"

int main(int argc, char** argv) {
    return dovrel::runEditor(argc, argv);
}
