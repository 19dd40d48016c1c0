// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the converter: writes the path it was given into the output (to show it arrived intact),
// then acts as the input's first word says: "exit N", "kill" (ends by SIGKILL), or "abort" (exit(-2)).
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 100;
    }
    const std::string input = argv[1];
    std::ifstream in(input, std::ios::binary);
    std::string word;
    int code = 0;
    in >> word >> code;

    std::ofstream(input.substr(0, input.size() - 4) + ".xml", std::ios::binary) << input; // a .bin input
    if (word == "kill") {
        std::raise(SIGKILL);
    }
    if (word == "abort") {
        std::exit(-2);
    }
    return word == "exit" ? code : 101;
}
