// velmora: the desktop program. It takes no arguments and reads no
// settings file.
#include "program.h"

int main(int argc, char** argv) {
    return velmora::runProgram(argc, argv);
}
