// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliProgram.h"

int main(int argc, char** argv) {
    return dovrel::cli::runDovrel(argc, argv);
}
