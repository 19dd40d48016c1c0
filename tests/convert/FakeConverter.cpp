// Stands in for the converter in tests. It writes the path it was given into the output that
// the real converter would write (so a test can see the argument arrived intact), then acts as
// the input's first word says: "exit N", "kill" (ends by SIGKILL), or "abort" (exit(-2)).
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
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

    std::string output = input;
    if (output.size() >= 4) {
        const std::string extension = output.substr(output.size() - 4);
        output.replace(output.size() - 4, 4, extension == ".bin" ? ".xml" : ".bin");
    }
    std::ofstream(output, std::ios::binary) << input;

    if (word == "kill") {
        std::raise(SIGKILL);
    }
    if (word == "abort") {
        std::exit(-2);
    }
    return word == "exit" ? code : 101;
}
