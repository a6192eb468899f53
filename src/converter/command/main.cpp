#include "converter/command/Cli.h"
#include "converter/command/Files.h"

#include <iostream>

int main(int argc, char** argv) {
    korven::converter::removeTemporaryFileOnSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return korven::converter::runTtf2pgf(args, std::cout, std::cerr);
}
